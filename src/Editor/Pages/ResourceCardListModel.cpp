#include "Editor/Pages/ResourceCardListModel.h"

ResourceCardListModel::ResourceCardListModel(QObject* parent)
    : QAbstractListModel(parent)
{
}

int ResourceCardListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : cardCount();
}

QVariant ResourceCardListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) return {};
    const ResourceCard& card = cardOfRow(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case NameRole:
        return card.name;
    case Qt::ToolTipRole:
    case InfoTextsRole:
        return role == Qt::ToolTipRole ? QVariant(card.infoTexts.join(QLatin1Char(' '))) : QVariant(card.infoTexts);
    case Qt::DecorationRole:
    case SwatchRole:
        return card.swatch ? QVariant(*card.swatch) : QVariant();
    default:
        return {};
    }
}

QHash<int, QByteArray> ResourceCardListModel::roleNames() const
{
    QHash<int, QByteArray> names = QAbstractListModel::roleNames();
    names.insert(NameRole, QByteArrayLiteral("name"));
    names.insert(InfoTextsRole, QByteArrayLiteral("infoTexts"));
    names.insert(SwatchRole, QByteArrayLiteral("swatch"));
    return names;
}

void ResourceCardListModel::startSearch(const std::optional<std::string>& query, ComponentSearchScope scope)
{
    beginResetModel();
    applySearch(query, scope);
    endResetModel();
}

ResourceCard ResourceCardListModel::cardAt(int row) const
{
    if (row < 0 || row >= cardCount()) return {};
    return cardOfRow(row);
}
