#include "Editor/Pages/TextStyleCardListModel.h"

#include "Editor/Pages/PageDisplayText.h"

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
    result.name = PageDisplayText::bounded(font.textStyleName);
    // both parts bounded, so that a long font name does not push the size out of the tool tip
    result.infoTexts = {PageDisplayText::bounded(font.name) + QStringLiteral(", ")
                        + PageDisplayText::bounded(font.sizeS)};
    return result;
}
