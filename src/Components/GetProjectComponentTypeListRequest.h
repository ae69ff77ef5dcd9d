#pragma once

#include "Base/BaseModel.h"

#include <string>

// Asks for the component types of a platform ("components/getComponentTypeList").
struct GetProjectComponentTypeListRequest : BaseRequestModel {
    std::string projectId;
    std::string platform;
};
BOOST_DESCRIBE_STRUCT(GetProjectComponentTypeListRequest, (BaseRequestModel), (projectId, platform))
