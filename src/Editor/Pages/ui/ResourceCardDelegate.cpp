#include "Editor/Pages/ui/ResourceCardDelegate.h"

#include "Editor/Pages/PageResources.h"
#include "Editor/Pages/ResourceCardListModel.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <algorithm>

namespace {

constexpr qreal kCornerRadius = 4.0;
constexpr int kPadding = 8;
constexpr int kPictureSize = 48;
constexpr int kTextGap = 12; // between two texts of a line
// Dark and translucent: visible round a white or transparent swatch on the white card, and a
// slightly darker edge on any other colour.
const QColor kSwatchBorder(0, 0, 0, 60);

QFont nameFont(const QFont& font)
{
    QFont bold = font;
    bold.setBold(true);
    return bold;
}

} // namespace

ResourceCardDelegate::ResourceCardDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{
}

ResourceCardDelegate::CardLayout ResourceCardDelegate::cardLayout(const QStyleOptionViewItem& option,
                                                                  const QModelIndex& index) const
{
    CardLayout layout;
    layout.picture = QRect(option.rect.left() + kPadding, option.rect.top() + (option.rect.height() - kPictureSize) / 2,
                           kPictureSize, kPictureSize);

    const QStringList infoTexts = index.data(ResourceCardListModel::InfoTextsRole).toStringList();
    const QFont boldFont = nameFont(option.font);
    const QFontMetrics metrics(option.font);
    const int textLeft = layout.picture.right() + 1 + kPadding;
    const int textRight = option.rect.left() + m_cardWidth - kPadding; // just past the last column
    const int lineHeight = QFontMetrics(boldFont).height();
    const int lineCount = 1 + static_cast<int>(std::min<qsizetype>(infoTexts.size(), 2));
    // the lines stand together in the middle of the card
    int top = option.rect.top() + (option.rect.height() - lineHeight * lineCount) / 2;
    auto place = [&layout, &top, lineHeight](const QFontMetrics& font, const QString& text, int left, int right,
                                             bool bold) {
        const int width = std::max(0, right - left);
        layout.texts.push_back({QRect(left, top, width, lineHeight), font.elidedText(text, Qt::ElideRight, width), bold});
    };

    // Only the name may be long; the information texts are short numbers and codes, each kept
    // whole beside the swatch, down to the narrowest pane.
    place(QFontMetrics(boldFont), index.data(ResourceCardListModel::NameRole).toString(), textLeft, textRight, true);
    top += lineHeight;
    if (!infoTexts.isEmpty()) {
        // texts after the second end the first line (a colour's alpha beside its hex)
        const QString trailing = infoTexts.mid(2).join(QStringLiteral("   "));
        int firstRight = textRight;
        // rounded up: eliding compares the fractional advance with the room
        if (!trailing.isEmpty())
            firstRight = textRight - qCeil(QFontMetricsF(option.font).horizontalAdvance(trailing)) - kTextGap;
        place(metrics, infoTexts.first(), textLeft, firstRight, false);
        if (!trailing.isEmpty()) place(metrics, trailing, std::max(textLeft, firstRight + kTextGap), textRight, false);
        top += lineHeight;
    }
    if (infoTexts.size() > 1) place(metrics, infoTexts.at(1), textLeft, textRight, false);
    return layout;
}

void ResourceCardDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    // the cell is a card and the gap to its right-hand neighbour; rows touch, so the card
    // keeps a thin line of the list's background above and below it
    const QRectF card(option.rect.left() + 0.5, option.rect.top() + 2.5, m_cardWidth - 1.0, option.rect.height() - 5.0);
    QPainterPath shape;
    shape.addRoundedRect(card, kCornerRadius, kCornerRadius);
    painter->fillPath(shape, PageResources::namedColor(QStringLiteral("menuCardItemBg"), QColor(Qt::white)));
    if (option.state & QStyle::State_MouseOver) {
        painter->setPen(QPen(PageResources::namedColor(QStringLiteral("menuCardItemHoverBorder"), Qt::blue), 1));
        painter->drawPath(shape);
    }

    const CardLayout layout = cardLayout(option, index);
    const QVariant swatch = index.data(ResourceCardListModel::SwatchRole);
    if (swatch.canConvert<QColor>() && swatch.value<QColor>().isValid()) {
        QPainterPath swatchShape;
        // half a pixel in, so that the one-pixel border falls on whole pixels
        swatchShape.addRoundedRect(QRectF(layout.picture).adjusted(0.5, 0.5, -0.5, -0.5), kCornerRadius, kCornerRadius);
        painter->fillPath(swatchShape, swatch.value<QColor>());
        painter->setPen(QPen(kSwatchBorder, 1));
        painter->drawPath(swatchShape);
    } else if (!m_cardIcon.isNull()) {
        m_cardIcon.paint(painter, layout.picture.adjusted(8, 8, -8, -8));
    }

    for (const CardLayout::Text& text : layout.texts) {
        painter->setFont(text.bold ? nameFont(option.font) : option.font);
        painter->setPen(option.palette.color(text.bold ? QPalette::Text : QPalette::PlaceholderText));
        painter->drawText(text.rect, Qt::AlignLeft | Qt::AlignVCenter, text.text);
    }
    painter->restore();
}

QSize ResourceCardDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    Q_UNUSED(option)
    Q_UNUSED(index)
    return {m_cardWidth + kCardSpacing, kCardHeight};
}
