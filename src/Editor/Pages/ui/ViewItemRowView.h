#pragma once

#include <QHash>
#include <QIcon>
#include <QStyledItemDelegate>

// How one row of the views page's tree looks: the icon of the node's class kind, the layer name
// and, beside it, the class name. The name's tool tip is the parent's id (the model's tool-tip
// role). Rows get no per-row widgets, so a tree of thousands of views stays cheap to show.
class ViewItemRowView : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit ViewItemRowView(QObject* parent = nullptr);

    // The picture "ic" followed by the key, or "icPoint" when there is no such picture.
    QIcon getImage(const QString& componentType) const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    mutable QHash<QString, QIcon> m_icons; // by class key
};
