#include "Editor/Pages/TextStyleCardListModel.h"

TextStyleCardListModel::TextStyleCardListModel(QObject* parent)
    : ResourceCardListModelOf(&TextStyleCardListModel::searchTexts, &TextStyleCardListModel::card, parent)
{
}

std::vector<std::string> TextStyleCardListModel::searchTexts(const FontModel& font)
{
    return {font.name, font.textStyleName, font.sizeS};
}

ResourceCard TextStyleCardListModel::card(const FontModel& font)
{
    ResourceCard result;
    result.name = QString::fromStdString(font.textStyleName);
    result.infoTexts = {QString::fromStdString(font.name) + QStringLiteral(", ") + QString::fromStdString(font.sizeS)};
    return result;
}
