#pragma once

#include "Base/BaseModel.h"

// A rectangle in points, as the upload records carry it.
struct FrameInfo : BaseModel {
    double height = 0;
    double width = 0;
    double x = 0;
    double y = 0;
};
BOOST_DESCRIBE_STRUCT(FrameInfo, (BaseModel), (height, width, x, y))
