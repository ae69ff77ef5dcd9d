#pragma once

#include "Components/ComponentTypeDisplayInfo.h"

#include <QAbstractListModel>

#include <optional>
#include <vector>

// The kinds of component a reply lists, one row each in the reply's order: the name shown and
// the information as the row's tool tip, both bounded for painting (PageDisplayText). The texts
// are made when a view asks for a row, so a new list costs one reset whatever its length.
class ComponentTypeListModel : public QAbstractListModel {
    Q_OBJECT

public:
    explicit ComponentTypeListModel(QObject* parent = nullptr);

    void update(std::vector<ComponentTypeDisplayInfo> types);
    const std::vector<ComponentTypeDisplayInfo>& types() const { return m_types; }
    // The type of a row; none for a row outside the list.
    std::optional<ComponentTypeDisplayInfo> typeAt(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::vector<ComponentTypeDisplayInfo> m_types;
};
