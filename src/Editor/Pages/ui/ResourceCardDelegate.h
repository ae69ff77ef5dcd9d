#pragma once

#include <QIcon>
#include <QStyledItemDelegate>

// Paints one card of the colours or text-styles grid: a rounded card with the swatch (colours)
// or the card icon (text styles), the name, and the information texts in one line below it.
// The border shows while the pointer is over the card; the view reports that, so no tracking
// is registered per card or per paint.
class ResourceCardDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    static constexpr int kCardWidth = 282;
    static constexpr int kCardHeight = 64;
    static constexpr int kCardSpacing = 8; // between cards of a row

    explicit ResourceCardDelegate(QObject* parent = nullptr);

    // The picture of cards without a swatch.
    void setCardIcon(const QIcon& icon) { m_cardIcon = icon; }
    // Cards keep their width unless the grid is narrower: then they take what there is.
    void setCardWidth(int width) { m_cardWidth = width; }
    int cardWidth() const { return m_cardWidth; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QIcon m_cardIcon;
    int m_cardWidth = kCardWidth;
};
