#pragma once

#include "Base/BaseModel.h"
#include "Projects/ProjectDisplayInfo.h"

#include <string>

// Body of "project/create".
struct CreateProjectRequest : BaseRequestModel {
    std::string name;
    std::string platform; // "iOS" or "Android"
};
BOOST_DESCRIBE_STRUCT(CreateProjectRequest, (BaseRequestModel), (name, platform))

struct CreateProjectResponse : BaseResponseModel {
    ProjectDisplayInfo project;
};
BOOST_DESCRIBE_STRUCT(CreateProjectResponse, (BaseResponseModel), (project))
