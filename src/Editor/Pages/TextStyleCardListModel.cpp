#include "Editor/Pages/TextStyleCardListModel.h"

#include <utility>

TextStyleCardListModel::TextStyleCardListModel(QObject* parent)
    : ResourceCardListModel(parent)
    , m_state(&TextStyleCardListModel::contains)
{
}

void TextStyleCardListModel::update(List projectList, List screenList)
{
    beginResetModel();
    m_state.update(std::move(projectList), std::move(screenList));
    endResetModel();
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

int TextStyleCardListModel::cardCount() const
{
    return static_cast<int>(m_state.getList().size());
}

ResourceCard TextStyleCardListModel::makeCard(int row) const
{
    const auto& entry = m_state.getList().at(static_cast<std::size_t>(row));
    return entry ? card(*entry) : ResourceCard{};
}

void TextStyleCardListModel::applySearch(const std::optional<std::string>& query, ComponentSearchScope scope)
{
    m_state.startSearch(query, scope);
}
