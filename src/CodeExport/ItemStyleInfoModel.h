#pragma once

#include "Base/BaseModel.h"
#include "Editor/ColorModel.h"
#include "Editor/FontModel.h"
#include "Editor/StringModel.h"

#include <memory>
#include <string>

// The part of a view's client style that code generation reads. The models are shared with the style.
struct ItemStyleInfoModel : BaseModel {
    std::string classNameString;
    bool hasBackgroundColor = false;
    std::shared_ptr<ColorModel> backgroundColorModel; // optional
    std::shared_ptr<FontModel> fontModel;             // optional
    std::shared_ptr<ColorModel> textColorModel;       // optional
    std::shared_ptr<StringModel> stringModel;         // optional
    std::string textAlignmentS;
    std::string imageName;
    bool hasImage = false;
    bool hasBackgroundImage = false;
    bool hasContentEdgeInset = false;
    double contentInsetPadding = 0;
    double contentInsetVerticalPadding = 0;
    bool hasPlaceholder = false;
    std::string scrollAlignment;
};
BOOST_DESCRIBE_STRUCT(ItemStyleInfoModel, (BaseModel),
                      (classNameString, hasBackgroundColor, backgroundColorModel, fontModel, textColorModel,
                       stringModel, textAlignmentS, imageName, hasImage, hasBackgroundImage, hasContentEdgeInset,
                       contentInsetPadding, contentInsetVerticalPadding, hasPlaceholder, scrollAlignment))
