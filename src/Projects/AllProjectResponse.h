#pragma once

#include "Base/BaseModel.h"
#include "Projects/ProjectDisplayInfo.h"

#include <vector>

// Body of "project/getAll" (nothing beyond the common request fields).
struct AllProjectRequest : BaseRequestModel {
};
BOOST_DESCRIBE_STRUCT(AllProjectRequest, (BaseRequestModel), ())

struct AllProjectResponse : BaseResponseModel {
    std::vector<ProjectDisplayInfo> projects;
    bool shouldUploadSketch = false;
};
BOOST_DESCRIBE_STRUCT(AllProjectResponse, (BaseResponseModel), (projects, shouldUploadSketch))
