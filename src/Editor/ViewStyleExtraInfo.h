#pragma once

#include "Base/BaseModel.h"
#include "Import/Sketch/FrameModel.h"

#include <memory>
#include <string>

// Further style flags and frames of a view; copied onto the client style when the service's style
// asks for it. The frames are shared with the client style, not copied.
struct ViewStyleExtraInfo : BaseModel {
    std::string leftViewImageName;
    bool isCustomClass = false;
    bool isImageView = false;
    bool hasTitle = false;
    bool hasImage = false;
    bool hasBackgroundImage = false;
    bool hasContentEdgeInset = false;
    double contentInsetPadding = 0;
    double contentInsetVerticalPadding = 0;
    std::shared_ptr<FrameModel> oneItemFrame = std::make_shared<FrameModel>();
    std::string scrollAlignment;
    bool hasText = false;
    bool hasPlaceholder = false;
    bool hasLeftView = false;
    bool hasLeftViewWithImage = false;
    std::shared_ptr<FrameModel> leftViewFrame = std::make_shared<FrameModel>();
    std::shared_ptr<FrameModel> leftImageFrame = std::make_shared<FrameModel>();
};
BOOST_DESCRIBE_STRUCT(ViewStyleExtraInfo, (BaseModel),
                      (leftViewImageName, isCustomClass, isImageView, hasTitle, hasImage, hasBackgroundImage,
                       hasContentEdgeInset, contentInsetPadding, contentInsetVerticalPadding, oneItemFrame,
                       scrollAlignment, hasText, hasPlaceholder, hasLeftView, hasLeftViewWithImage, leftViewFrame,
                       leftImageFrame))
