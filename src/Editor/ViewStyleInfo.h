#pragma once

#include "Base/BaseModel.h"
#include "Editor/ColorModel.h"
#include "Editor/FontModel.h"
#include "Editor/OverridePropertiesModel.h"
#include "Editor/StringModel.h"
#include "Editor/ViewStyleExtraInfo.h"
#include "Import/Sketch/FrameModel.h"
#include "Import/Sketch/SharedModelListTraits.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The style of one view as the service analysed it. The frame and the colour, font and string
// models are shared with the client style the mapper builds from it.
struct ViewStyleInfo : BaseModel {
    std::shared_ptr<FrameModel> frame = std::make_shared<FrameModel>();
    std::vector<std::shared_ptr<OverridePropertiesModel>> overrides; // carried, never mapped
    std::string sketchClass;
    std::int64_t textAlignment = 0; // 0 left, 1 right, 2 center, 3 justified
    double cornerRadius = 0;
    bool isBorderEnabled = false;
    double borderWidth = 0;
    std::shared_ptr<ColorModel> borderColorModel;     // optional
    std::shared_ptr<ColorModel> backgroundColorModel; // optional
    std::shared_ptr<StringModel> stringModel;         // optional
    std::shared_ptr<FontModel> fontModel;             // optional
    std::shared_ptr<ColorModel> textColorModel;       // optional
    std::string imageName;
    std::string masterId;
    std::string contentMode; // "aspectToFill" is acted on
    std::string classNameString = "UIView";
    std::string ancestorClassKey = "view";
    bool useExtraInfo = false;
    std::shared_ptr<ViewStyleExtraInfo> extraInfo; // optional
};
BOOST_DESCRIBE_STRUCT(ViewStyleInfo, (BaseModel),
                      (frame, overrides, sketchClass, textAlignment, cornerRadius, isBorderEnabled, borderWidth,
                       borderColorModel, backgroundColorModel, stringModel, fontModel, textColorModel, imageName,
                       masterId, contentMode, classNameString, ancestorClassKey, useExtraInfo, extraInfo))

template <>
struct jsonmap::Traits<std::vector<std::shared_ptr<OverridePropertiesModel>>>
    : SharedModelListTraits<OverridePropertiesModel> {};
