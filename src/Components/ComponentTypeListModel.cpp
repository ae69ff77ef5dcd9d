#include "Components/ComponentTypeListModel.h"

#include "Editor/Pages/PageDisplayText.h"

#include <algorithm>
#include <climits>
#include <utility>

ComponentTypeListModel::ComponentTypeListModel(QObject* parent)
    : QAbstractListModel(parent)
{
}

void ComponentTypeListModel::update(std::vector<ComponentTypeDisplayInfo> types)
{
    beginResetModel();
    m_types = std::move(types);
    endResetModel();
}

std::optional<ComponentTypeDisplayInfo> ComponentTypeListModel::typeAt(int row) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_types.size()) return std::nullopt;
    return m_types[static_cast<std::size_t>(row)];
}

int ComponentTypeListModel::rowCount(const QModelIndex& parent) const
{
    // a reply's list is far below INT_MAX entries; a view cannot show more rows anyway
    return parent.isValid() ? 0 : static_cast<int>(std::min<std::size_t>(m_types.size(), INT_MAX));
}

QVariant ComponentTypeListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) return {};
    const ComponentTypeDisplayInfo& type = m_types[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return PageDisplayText::bounded(type.name);
    case Qt::ToolTipRole:
        return PageDisplayText::bounded(type.info);
    default:
        return {};
    }
}
