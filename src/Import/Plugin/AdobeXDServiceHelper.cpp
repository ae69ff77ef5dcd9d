#include "Import/Plugin/AdobeXDServiceHelper.h"

#include "Base/ServiceEndPoints.h"
#include "Import/Plugin/ImportAllFromPluginRequest.h"
#include "Import/Plugin/ResourceUploadRequest.h"
#include "Import/Plugin/StatusCheckedCall.h"

AdobeXDServiceHelper& AdobeXDServiceHelper::importer()
{
    static AdobeXDServiceHelper helper;
    return helper;
}

void AdobeXDServiceHelper::newScreensFromAdobe(const ImportAllFromPluginRequest& request, SuccessHandler successHandler,
                                               FailureHandler failureHandler)
{
    StatusCheckedCall::send(ServiceEndPoints::Import::importNewScreensSketch, request, false,
                            StatusCheckedCall::StatusRule::mustBeTrue, std::move(successHandler), std::move(failureHandler));
}

void AdobeXDServiceHelper::uploadResource(const ResourceUploadRequest& request, SuccessHandler successHandler,
                                          FailureHandler failureHandler)
{
    StatusCheckedCall::send(ServiceEndPoints::Export::uploadResource, request, true,
                            StatusCheckedCall::StatusRule::absentPasses, std::move(successHandler),
                            std::move(failureHandler));
}
