#include "Import/Plugin/AdobeXDServiceHelper.h"

#include "Base/ServiceEndPoints.h"
#include "Base/ServiceManager.h"
#include "Import/Plugin/ImportAllFromPluginRequest.h"
#include "Import/Plugin/ResourceUploadRequest.h"

#include <memory>

namespace {

// The progress screen reports failures, so the service client shows no dialog of its own; only
// whether a missing connection is announced differs between the calls.
ServiceCallOptions statusCallOptions(bool silentNoInternetConnection)
{
    ServiceCallOptions options;
    options.silentNoInternetConnection = silentNoInternetConnection;
    options.showIndicatorView = false;
    options.ignoreError = true;
    return options;
}

template <class Request>
void callStatusService(const ServiceEndPoint& endPoint, const Request& request, const ServiceCallOptions& options,
                       AdobeXDServiceHelper::SuccessHandler successHandler,
                       AdobeXDServiceHelper::FailureHandler failureHandler)
{
    // One reply settles a call; the handlers are shared by the three roads it may take.
    auto success = std::make_shared<AdobeXDServiceHelper::SuccessHandler>(std::move(successHandler));
    auto failure = std::make_shared<AdobeXDServiceHelper::FailureHandler>(std::move(failureHandler));
    auto onError = [failure](const ErrorModel& error) {
        if (*failure) (*failure)(error);
    };
    ServiceManager::shared().callService<StatusResponse>(
        endPoint, request, options,
        [success, failure](const StatusResponse& response) {
            if (response.status) {
                if (*success) (*success)(response);
            } else if (*failure) {
                (*failure)(response.errorModel);
            }
        },
        onError, onError);
}

} // namespace

AdobeXDServiceHelper& AdobeXDServiceHelper::importer()
{
    static AdobeXDServiceHelper helper;
    return helper;
}

void AdobeXDServiceHelper::newScreensFromAdobe(const ImportAllFromPluginRequest& request, SuccessHandler successHandler,
                                               FailureHandler failureHandler)
{
    callStatusService(ServiceEndPoints::Import::importNewScreensSketch, request, statusCallOptions(false),
                      std::move(successHandler), std::move(failureHandler));
}

void AdobeXDServiceHelper::uploadResource(const ResourceUploadRequest& request, SuccessHandler successHandler,
                                          FailureHandler failureHandler)
{
    callStatusService(ServiceEndPoints::Export::uploadResource, request, statusCallOptions(true),
                      std::move(successHandler), std::move(failureHandler));
}
