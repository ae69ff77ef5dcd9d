#pragma once

#include "Base/BaseModel.h"

#include <string>

// Asks for the whole detail of one artboard ("main/detailInfo").
struct GetArtboardInfoRequest : BaseRequestModel {
    std::string projectId;
    std::string artboardId;
    bool isSample = false;
    std::string platform; // "iOS" or "Android", as the project lists it
};
BOOST_DESCRIBE_STRUCT(GetArtboardInfoRequest, (BaseRequestModel), (projectId, artboardId, isSample, platform))
