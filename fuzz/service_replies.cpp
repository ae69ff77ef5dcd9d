// Every reply decoder of the service: how one HTTP answer is read (error id, HTTP status, a body
// that is not a JSON object), then the tolerant model mapper on each response type. A decoded
// model written back and decoded again must give the same JSON (the mapper loses nothing it kept).
//
// Input: one byte choosing the HTTP status, then the body.

#include "Account/LoginRequest.h"
#include "Account/RefreshTokenRequest.h"
#include "Base/BaseModel.h"
#include "Base/ServiceReply.h"
#include "Import/Plugin/ResourceDownloadPackResponse.h"
#include "Import/Plugin/ResourceDownloadResponse.h"
#include "Projects/AllProjectResponse.h"
#include "Projects/CreateProjectRequest.h"
#include "platform/HttpSession.h"
#include "platform/JsonText.h"
#include "support/FuzzSupport.h"

#include <array>

namespace {

template <class Response>
void decode(const boost::json::object& body)
{
    const Response first = jsonmap::fromJson<Response>(body);
    const boost::json::object written = jsonmap::toJsonObject(first);
    const Response second = jsonmap::fromJson<Response>(written);
    if (jsonmap::toJsonObject(second) != written) __builtin_trap();
    // What we would log or store of a reply must be writable as text.
    (void)platform::jsonText(written);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::initialise();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::initialise();
    if (size == 0) return 0;
    static constexpr std::array<int, 8> kStatuses = {200, 201, 204, 302, 400, 401, 500, 503};
    platform::HttpResult result;
    result.statusCode = kStatuses[data[0] % kStatuses.size()];
    result.body = QByteArray(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));

    const ServiceReply reply = ServiceReply::from(result);
    switch (reply.kind) {
    case ServiceReply::Kind::success:
        if (reply.error.errorId != 0) __builtin_trap();
        break;
    case ServiceReply::Kind::error:
    case ServiceReply::Kind::noValidReply:
        if (reply.error.errorId == 0) __builtin_trap();
        break;
    }
    if (reply.kind == ServiceReply::Kind::noValidReply) return 0;

    decode<ErrorModel>(reply.body);
    decode<StatusResponse>(reply.body);
    decode<LoginResponse>(reply.body);
    decode<RefreshTokenResponse>(reply.body);
    decode<AllProjectResponse>(reply.body);
    decode<CreateProjectResponse>(reply.body);
    decode<ResourceDownloadResponse>(reply.body);
    decode<ResourceDownloadPackResponse>(reply.body);
    return 0;
}
