#include "Import/Plugin/StatusCheckedCall.h"

#include <memory>

bool StatusCheckedCall::passes(const boost::json::object& reply, StatusRule rule)
{
    const boost::json::value* status = reply.if_contains("status");
    const bool isTrue = status && status->is_bool() && status->get_bool();
    const bool isFalse = status && status->is_bool() && !status->get_bool();
    // Only a boolean counts, as the reply model reads it.
    return rule == StatusRule::mustBeTrue ? isTrue : !isFalse;
}

void StatusCheckedCall::send(const ServiceEndPoint& endPoint, boost::json::object body, bool silentNoInternetConnection,
                             StatusRule rule, Success success, Failure failure)
{
    ServiceCallOptions options;
    options.silentNoInternetConnection = silentNoInternetConnection;
    options.showIndicatorView = false;
    options.ignoreError = true;
    // One reply settles a call; the failure handler is shared by the roads it may take.
    auto onFailure = std::make_shared<Failure>(std::move(failure));
    auto onError = [onFailure](const ErrorModel& error) {
        if (*onFailure) (*onFailure)(error);
    };
    ServiceManager::shared().callServiceJson(
        endPoint, std::move(body), options,
        [rule, success = std::move(success), onFailure](const boost::json::object& reply) {
            if (passes(reply, rule)) {
                if (success) success(reply);
            } else if (*onFailure) {
                (*onFailure)(std::nullopt);
            }
        },
        onError, onError);
}
