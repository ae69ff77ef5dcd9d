#include "Editor/Pages/ColorCardListModel.h"

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
    result.name = QString::fromStdString(color.name);
    // the percent sign comes first: %100, %50
    result.infoTexts = {QString::fromStdString(color.getHexString()),
                        QStringLiteral("Rgb ") + QString::fromStdString(color.getRGBString()),
                        QStringLiteral("%") + QString::number(color.alphaInt)};
    result.swatch = color.platformColor();
    return result;
}
