#pragma once

#include "Base/BaseModel.h"

#include <string>

// Asks for one stored resource or a project's resource pack.
struct ResourceDownloadRequest : BaseRequestModel {
    std::string projectId;
    std::string oid;
    std::string scale;
};
BOOST_DESCRIBE_STRUCT(ResourceDownloadRequest, (BaseRequestModel), (projectId, oid, scale))
