#pragma once

#include "Base/BaseModel.h"

#include <string>

// The zipped design document.
struct ResourceDesignUploadRequest : BaseRequestModel {
    std::string projectId;
    std::string fileData; // the archive's bytes in Base64
    std::string fileName; // see UploadTextRules::designArchiveUploadName
};
BOOST_DESCRIBE_STRUCT(ResourceDesignUploadRequest, (BaseRequestModel), (projectId, fileData, fileName))
