#pragma once

#include "Base/BaseModel.h"
#include "Import/Sketch/SketchFontAttributeModel.h"

#include <cstdint>
#include <string>

// A text style: font name, whole point size, weight word and the design's style name.
// Its identity is `uniqueKey`; a model from the service keeps the key the service sent.
struct FontModel : BaseModel {
    std::string name;
    std::string textStyleName;
    double size = 0;
    std::string sizeS;
    std::string weight; // "." and the lower-case weight word of a system font; empty for a named font
    SketchFontAttributeModel attributeModel;
    bool isSystemFont = false;
    bool isNotSystemFont = true;
    std::string uniqueKey; // name-weight-sizeS
    std::int64_t textStyleNum = 0;

    FontModel() = default;
    FontModel(const SketchFontAttributeModel& fontAttributeModel, const std::string& textStyleName);

    // The system font at size 0: System- / . / 0.0.
    static FontModel getDefaultEmpty();
};
BOOST_DESCRIBE_STRUCT(FontModel, (BaseModel),
                      (name, textStyleName, size, sizeS, weight, attributeModel, isSystemFont, isNotSystemFont, uniqueKey,
                       textStyleNum))
