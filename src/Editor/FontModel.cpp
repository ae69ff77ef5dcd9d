#include "Editor/FontModel.h"

#include "Editor/FontWeight.h"
#include "platform/JsonText.h"

#include <QString>

#include <cmath>

FontModel::FontModel(const SketchFontAttributeModel& fontAttributeModel, const std::string& styleName)
    : textStyleName(styleName)
    , attributeModel(fontAttributeModel)
{
    const SketchAttributesModel& attributes = attributeModel.attributes;
    if (!attributes.name.empty()) {
        // a named font never becomes the system font, whatever its usage says
        name = attributes.name;
    } else {
        name = "System" + FontWeight::getWeightPrefix(attributes.NSCTFontUIUsageAttribute);
        isSystemFont = true;
        isNotSystemFont = false;
        weight = "." + QString::fromStdString(FontWeight::getFontWeightMeasure(attributes.NSCTFontUIUsageAttribute))
                           .toLower()
                           .toStdString();
    }
    size = std::round(attributes.size);
    sizeS = platform::decimalText(size);
    uniqueKey = name + "-" + weight + "-" + sizeS;
}

FontModel FontModel::getDefaultEmpty()
{
    return FontModel(SketchFontAttributeModel(SketchAttributesModel(std::string(), 0, std::string())), std::string());
}
