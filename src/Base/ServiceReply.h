#pragma once

#include "Base/BaseModel.h"

#include <boost/json.hpp>

namespace platform {
struct HttpResult;
}

// What one HTTP answer of the service means, before any error road is taken.
struct ServiceReply {
    enum class Kind {
        success,      // a JSON object without an error id, with a 2xx status
        error,        // an error id from the body's "errorModel", or else the HTTP status outside 2xx
        noValidReply, // no HTTP answer, or a 2xx answer whose body is not a JSON object
    };

    Kind kind = Kind::noValidReply;
    boost::json::object body; // the parsed body (success and body-carried errors)
    ErrorModel error;         // errorId != 0 unless kind == success

    // Never throws, whatever the bytes. The body is let go once it is parsed (pass the result by
    // move), so the bytes and the tree made of them are not held together longer than the parse.
    static ServiceReply from(platform::HttpResult result);
};
