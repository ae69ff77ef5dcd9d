#include "Base/ServiceReply.h"

#include "platform/HttpSession.h"
#include "platform/JsonText.h"

ServiceReply ServiceReply::from(platform::HttpResult result)
{
    ServiceReply reply;
    if (result.transportError) {
        reply.error.errorId = ErrorModel::kNoValidReply;
        reply.error.errorInformativeText = result.errorString.toStdString();
        return reply;
    }
    auto body = platform::parseJsonObject(std::string_view(result.body.constData(), static_cast<size_t>(result.body.size())));
    result.body = QByteArray();
    const bool httpError = result.statusCode < 200 || result.statusCode > 299;
    if (body) {
        reply.body = std::move(*body);
        if (const auto* model = reply.body.if_contains("errorModel"); model && model->is_object()) {
            const auto parsed = jsonmap::fromJson<ErrorModel>(*model);
            if (parsed.errorId != 0) {
                reply.kind = Kind::error;
                reply.error = parsed;
                return reply;
            }
        }
    } else if (!httpError) {
        // A 200 whose body is not an object carries no answer at all; it must not pass as success.
        reply.error.errorId = ErrorModel::kNoValidReply;
        reply.error.errorInformativeText = "HTTP status " + std::to_string(result.statusCode) + " without a JSON object";
        return reply;
    }
    if (httpError) {
        reply.kind = Kind::error;
        reply.error.errorId = result.statusCode;
        return reply;
    }
    reply.kind = Kind::success;
    return reply;
}
