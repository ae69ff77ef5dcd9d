#pragma once

#include "Base/BaseModel.h"

#include <string>

// Asks for the project's components ("components/getAll").
struct GetProjectComponentsRequest : BaseRequestModel {
    std::string projectId;
};
BOOST_DESCRIBE_STRUCT(GetProjectComponentsRequest, (BaseRequestModel), (projectId))
