#pragma once

#include "Base/BaseModel.h"

#include <string>

// The font attributes of a Sketch text style.
struct SketchAttributesModel : BaseModel {
    std::string name; // empty when the design uses the system font
    double size = 0;
    std::string NSCTFontUIUsageAttribute = "CTFontRegularUsage";

    SketchAttributesModel() = default;
    SketchAttributesModel(std::string name, double size, std::string NSCTFontUIUsageAttribute)
        : name(std::move(name))
        , size(size)
        , NSCTFontUIUsageAttribute(std::move(NSCTFontUIUsageAttribute))
    {
    }
};
BOOST_DESCRIBE_STRUCT(SketchAttributesModel, (BaseModel), (name, size, NSCTFontUIUsageAttribute))

struct SketchFontAttributeModel : BaseModel {
    SketchAttributesModel attributes;

    SketchFontAttributeModel() = default;
    explicit SketchFontAttributeModel(SketchAttributesModel attributes)
        : attributes(std::move(attributes))
    {
    }
};
BOOST_DESCRIBE_STRUCT(SketchFontAttributeModel, (BaseModel), (attributes))
