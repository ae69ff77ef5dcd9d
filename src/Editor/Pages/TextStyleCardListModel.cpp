#include "Editor/Pages/TextStyleCardListModel.h"

TextStyleCardListModel::TextStyleCardListModel(QObject* parent)
    : ResourceCardListModelOf(&TextStyleCardListModel::contains, &TextStyleCardListModel::card, parent)
{
}

bool TextStyleCardListModel::contains(const PageSearchText::Query& query, const FontModel& font)
{
    return query.isFoundIn(font.name) || query.isFoundIn(font.textStyleName) || query.isFoundIn(font.sizeS);
}

ResourceCard TextStyleCardListModel::card(const FontModel& font)
{
    ResourceCard result;
    result.name = QString::fromStdString(font.textStyleName);
    result.infoTexts = {QString::fromStdString(font.name) + QStringLiteral(", ") + QString::fromStdString(font.sizeS)};
    return result;
}
