#pragma once

#include "Base/BaseModel.h"
#include "Components/ComponentDisplayInfo.h"

#include <vector>

struct GetProjectComponentsResponse : BaseResponseModel {
    std::vector<ComponentDisplayInfo> components;
};
BOOST_DESCRIBE_STRUCT(GetProjectComponentsResponse, (BaseResponseModel), (components))
