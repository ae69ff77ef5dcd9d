#include "Editor/Pages/ColorCardListModel.h"

#include <utility>

ColorCardListModel::ColorCardListModel(QObject* parent)
    : ResourceCardListModel(parent)
    , m_state(&ColorCardListModel::contains)
{
}

void ColorCardListModel::update(List projectList, List screenList)
{
    beginResetModel();
    m_state.update(std::move(projectList), std::move(screenList));
    endResetModel();
}

bool ColorCardListModel::contains(const PageSearchText::Query& query, const ColorModel& color)
{
    return query.isFoundIn(color.name) || query.isFoundIn(color.getHexString()) || query.isFoundIn(color.getRGBString());
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

int ColorCardListModel::cardCount() const
{
    return static_cast<int>(m_state.getList().size());
}

ResourceCard ColorCardListModel::makeCard(int row) const
{
    const auto& entry = m_state.getList().at(static_cast<std::size_t>(row));
    return entry ? card(*entry) : ResourceCard{};
}

void ColorCardListModel::applySearch(const std::optional<std::string>& query, ComponentSearchScope scope)
{
    m_state.startSearch(query, scope);
}
