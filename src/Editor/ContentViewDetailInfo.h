#pragma once

#include "Base/BaseModel.h"
#include "Editor/ColorModel.h"

#include <memory>

// The background of a screen's or a master's content view.
struct ContentViewDetailInfo : BaseModel {
    bool hasBackgroundColor = false;
    std::shared_ptr<ColorModel> backgroundColorModel; // optional
};
BOOST_DESCRIBE_STRUCT(ContentViewDetailInfo, (BaseModel), (hasBackgroundColor, backgroundColorModel))
