#include "Editor/Pages/ColorCardListModel.h"

#include "Editor/Pages/PageDisplayText.h"

ColorCardListModel::ColorCardListModel(QObject* parent)
    : ResourceCardListModelOf(&ColorCardListModel::searchTexts, &ColorCardListModel::card, parent)
{
}

std::vector<std::string> ColorCardListModel::searchTexts(const ColorModel& color)
{
    return {color.name, color.getHexString(), color.getRGBString()};
}

ResourceCard ColorCardListModel::card(const ColorModel& color)
{
    ResourceCard result;
    result.name = PageDisplayText::bounded(color.name);
    // the percent sign comes first: %100, %50
    // (the hex and RGB texts are numbers, short whatever the channels hold)
    result.infoTexts = {QString::fromStdString(color.getHexString()),
                        QStringLiteral("Rgb ") + QString::fromStdString(color.getRGBString()),
                        QStringLiteral("%") + QString::number(color.alphaInt)};
    result.swatch = color.platformColor();
    return result;
}
