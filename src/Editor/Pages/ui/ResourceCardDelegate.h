#pragma once

#include <QIcon>
#include <QRect>
#include <QString>
#include <QStyledItemDelegate>

#include <vector>

// Paints one card of the colours or text-styles grid: a rounded card with the swatch (colours)
// or the card icon (text styles), the name, and below it the information texts: the first on a
// line of its own, ended by any texts after the second, and the second on the next line (a
// colour's hex with its alpha at the line's end, then its "Rgb ..." text), so that only the name
// is ever cut at the default font. The swatch has a thin border, so that a white or transparent
// colour still shows as a swatch on the white card.
// The border shows while the pointer is over the card; the view reports that, so no tracking
// is registered per card or per paint.
class ResourceCardDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    static constexpr int kCardWidth = 282;
    static constexpr int kCardHeight = 64;
    static constexpr int kCardSpacing = 8; // between cards of a row

    // Where a card's parts go, and its texts as painted (elided where they do not fit).
    struct CardLayout {
        QRect picture;
        struct Text {
            QRect rect;
            QString text;
            bool bold = false;
        };
        std::vector<Text> texts; // the name, then the information texts in reading order
    };

    explicit ResourceCardDelegate(QObject* parent = nullptr);

    // The picture of cards without a swatch.
    void setCardIcon(const QIcon& icon) { m_cardIcon = icon; }
    // Cards keep their width unless the grid is narrower: then they take what there is.
    void setCardWidth(int width) { m_cardWidth = width; }
    int cardWidth() const { return m_cardWidth; }

    CardLayout cardLayout(const QStyleOptionViewItem& option, const QModelIndex& index) const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QIcon m_cardIcon;
    int m_cardWidth = kCardWidth;
};
