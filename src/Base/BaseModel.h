#pragma once

// The wire-model bases. Every wire and file model is a plain struct described with
// BOOST_DESCRIBE_STRUCT and read/written by the one tolerant mapper in JsonMapping.h.

#include "Base/JsonMapping.h"

#include <cstdint>
#include <optional>
#include <string>

struct BaseModel {
};
BOOST_DESCRIBE_STRUCT(BaseModel, (), ())

// Every request body carries "lang" (always "en") and "version" (the application version).
struct BaseRequestModel : BaseModel {
    std::string lang = "en";
    std::string version = defaultVersion();

    static std::string defaultVersion();
};
BOOST_DESCRIBE_STRUCT(BaseRequestModel, (BaseModel), (lang, version))

struct ErrorModel : BaseModel {
    std::int64_t errorId = 0;
    std::string errorMsg;
    std::string errorInformativeText;

    static constexpr std::int64_t kNoConnection = 777777;
    static constexpr std::int64_t kXDPluginFolderMissing = 999999;
    static constexpr std::int64_t kRefreshToken = 98001;
    static constexpr std::int64_t kSessionEnded = 98002;
    // No usable reply: no HTTP answer at all, or an answer whose body is not a JSON object.
    static constexpr std::int64_t kNoValidReply = -1;
};
BOOST_DESCRIBE_STRUCT(ErrorModel, (BaseModel), (errorId, errorMsg, errorInformativeText))

struct BaseResponseModel : BaseModel {
    std::optional<ErrorModel> errorModel;
};
BOOST_DESCRIBE_STRUCT(BaseResponseModel, (BaseModel), (errorModel))

struct StatusResponse : BaseResponseModel {
    bool status = false;
};
BOOST_DESCRIBE_STRUCT(StatusResponse, (BaseResponseModel), (status))
