#pragma once

#include "Import/Plugin/StatusCheckedCall.h"

#include <functional>
#include <optional>

struct ImportAllFromPluginRequest;
struct ResourceUploadRequest;

// The service calls of the Adobe XD import. The import succeeds only on a reply whose `status`
// is true; a resource upload on any reply without an error and without `status` false (the
// service answers uploads without a status). Every other outcome reaches the failure handler,
// which gets the service's error, or nullopt when the service answered `status` false. The
// service client shows no dialog of its own for these calls: the upload's progress screen
// reports the failure.
class AdobeXDServiceHelper {
public:
    using SuccessHandler = StatusCheckedCall::Success;
    using FailureHandler = StatusCheckedCall::Failure;

    static AdobeXDServiceHelper& importer();

    // "import/newScreensFromSketch"
    void newScreensFromAdobe(const ImportAllFromPluginRequest& request, SuccessHandler successHandler,
                             FailureHandler failureHandler);
    // "resource/uploadResource"; a missing connection is not announced by a dialog.
    void uploadResource(const ResourceUploadRequest& request, SuccessHandler successHandler,
                        FailureHandler failureHandler);

private:
    AdobeXDServiceHelper() = default;
};
