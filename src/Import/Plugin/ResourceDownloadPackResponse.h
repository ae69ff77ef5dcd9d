#pragma once

#include "Base/BaseModel.h"
#include "Import/Plugin/ResourceDownloadResponse.h"

#include <vector>

// A project's stored resources.
struct ResourceDownloadPackResponse : BaseResponseModel {
    std::vector<ResourceDownloadResponse> resources;
};
BOOST_DESCRIBE_STRUCT(ResourceDownloadPackResponse, (BaseResponseModel), (resources))
