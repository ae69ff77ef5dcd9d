#include "Editor/Pages/ui/ResourceCardDelegate.h"

#include "Editor/Pages/PageResources.h"
#include "Editor/Pages/ResourceCardListModel.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr qreal kCornerRadius = 4.0;
constexpr int kPadding = 8;
constexpr int kPictureSize = 48;
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
    std::vector<std::pair<QString, bool>> texts{{index.data(ResourceCardListModel::NameRole).toString(), true}};
    if (!infoTexts.isEmpty()) texts.emplace_back(infoTexts.first(), false);
    if (infoTexts.size() > 1) texts.emplace_back(infoTexts.mid(1).join(QStringLiteral("   ")), false);

    // the lines stand together in the middle of the card
    const int textLeft = layout.picture.right() + 1 + kPadding;
    const int textWidth = option.rect.left() + m_cardWidth - kPadding - textLeft;
    const int lineHeight = QFontMetrics(nameFont(option.font)).height();
    int top = option.rect.top() + (option.rect.height() - lineHeight * static_cast<int>(texts.size())) / 2;
    for (const auto& [text, bold] : texts) {
        const QFontMetrics metrics(bold ? nameFont(option.font) : option.font);
        layout.lines.push_back(
            {QRect(textLeft, top, textWidth, lineHeight), metrics.elidedText(text, Qt::ElideRight, textWidth), bold});
        top += lineHeight;
    }
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

    for (const CardLayout::Line& line : layout.lines) {
        painter->setFont(line.bold ? nameFont(option.font) : option.font);
        painter->setPen(option.palette.color(line.bold ? QPalette::Text : QPalette::PlaceholderText));
        painter->drawText(line.rect, Qt::AlignLeft | Qt::AlignVCenter, line.text);
    }
    painter->restore();
}

QSize ResourceCardDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    Q_UNUSED(option)
    Q_UNUSED(index)
    return {m_cardWidth + kCardSpacing, kCardHeight};
}
