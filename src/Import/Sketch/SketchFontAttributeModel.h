#pragma once

#include "Base/BaseModel.h"

#include <string>

// The font attributes of a Sketch text style.
struct SketchAttributesModel : BaseModel {
    std::string name; // empty when the design uses the system font
    double size = 0;
    std::string NSCTFontUIUsageAttribute = "CTFontRegularUsage";

    SketchAttributesModel() = default;
    SketchAttributesModel(std::string nameIn, double sizeIn, std::string usageIn)
        : name(std::move(nameIn))
        , size(sizeIn)
        , NSCTFontUIUsageAttribute(std::move(usageIn))
    {
    }
};
BOOST_DESCRIBE_STRUCT(SketchAttributesModel, (BaseModel), (name, size, NSCTFontUIUsageAttribute))

struct SketchFontAttributeModel : BaseModel {
    SketchAttributesModel attributes;

    SketchFontAttributeModel() = default;
    explicit SketchFontAttributeModel(SketchAttributesModel attributesIn)
        : attributes(std::move(attributesIn))
    {
    }
};
BOOST_DESCRIBE_STRUCT(SketchFontAttributeModel, (BaseModel), (attributes))
