#pragma once

#include "Base/BaseModel.h"
#include "Base/JsonMapping.h"
#include "Base/ServiceManager.h"

#include <boost/json.hpp>

#include <functional>
#include <optional>

// One call of an upload step whose reply carries a `status`. The service client shows no dialog
// of its own (the progress screen reports what failed); the reply decides:
//   - an error id, or no usable reply: failure with the service's error;
//   - `status` false: failure without an error (nullopt);
//   - `status` true: success;
//   - no boolean `status`: success only under StatusRule::absentPasses (the preview upload's
//     replies carry no status), failure otherwise.
class StatusCheckedCall {
public:
    enum class StatusRule { mustBeTrue, absentPasses };
    using Success = std::function<void(const boost::json::object& reply)>;
    using Failure = std::function<void(const std::optional<ErrorModel>& error)>;

    // Whether the reply passes the rule.
    static bool passes(const boost::json::object& reply, StatusRule rule);

    static void send(const ServiceEndPoint& endPoint, boost::json::object body, bool silentNoInternetConnection,
                     StatusRule rule, Success success, Failure failure);

    template <class Request>
    static void send(const ServiceEndPoint& endPoint, const Request& request, bool silentNoInternetConnection,
                     StatusRule rule, Success success, Failure failure)
    {
        send(endPoint, jsonmap::toJsonObject(request), silentNoInternetConnection, rule, std::move(success),
             std::move(failure));
    }
};
