#pragma once

#include "Base/BaseModel.h"
#include "Components/ComponentTypeDisplayInfo.h"

#include <vector>

struct GetProjectComponentTypeListResponse : BaseResponseModel {
    std::vector<ComponentTypeDisplayInfo> componentTypeList;
    std::vector<ComponentTypeDisplayInfo> convertibleTypeList;
};
BOOST_DESCRIBE_STRUCT(GetProjectComponentTypeListResponse, (BaseResponseModel), (componentTypeList, convertibleTypeList))
