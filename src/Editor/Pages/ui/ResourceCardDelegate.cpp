#include "Editor/Pages/ui/ResourceCardDelegate.h"

#include "Editor/Pages/PageResources.h"
#include "Editor/Pages/ResourceCardListModel.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr qreal kCornerRadius = 4.0;
constexpr int kPadding = 8;
constexpr int kPictureSize = 48;

} // namespace

ResourceCardDelegate::ResourceCardDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{
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

    const QRect picture(option.rect.left() + kPadding, option.rect.top() + (option.rect.height() - kPictureSize) / 2,
                        kPictureSize, kPictureSize);
    const QVariant swatch = index.data(ResourceCardListModel::SwatchRole);
    if (swatch.canConvert<QColor>() && swatch.value<QColor>().isValid()) {
        QPainterPath swatchShape;
        swatchShape.addRoundedRect(QRectF(picture), kCornerRadius, kCornerRadius);
        painter->fillPath(swatchShape, swatch.value<QColor>());
    } else if (!m_cardIcon.isNull()) {
        m_cardIcon.paint(painter, picture.adjusted(8, 8, -8, -8));
    }

    const int textLeft = picture.right() + 1 + kPadding;
    const int textRight = option.rect.left() + m_cardWidth - kPadding;
    const QRect nameRect(textLeft, option.rect.top() + kPadding, textRight - textLeft,
                         option.rect.height() / 2 - kPadding);
    const QRect infoRect(textLeft, option.rect.top() + option.rect.height() / 2, nameRect.width(),
                         option.rect.height() / 2 - kPadding);
    QFont nameFont = option.font;
    nameFont.setBold(true);
    painter->setFont(nameFont);
    painter->setPen(option.palette.color(QPalette::Text));
    const QString name = index.data(ResourceCardListModel::NameRole).toString();
    painter->drawText(nameRect, Qt::AlignLeft | Qt::AlignVCenter,
                      QFontMetrics(nameFont).elidedText(name, Qt::ElideRight, nameRect.width()));
    painter->setFont(option.font);
    painter->setPen(option.palette.color(QPalette::PlaceholderText));
    const QString info = index.data(ResourceCardListModel::InfoTextsRole).toStringList().join(QStringLiteral("   "));
    painter->drawText(infoRect, Qt::AlignLeft | Qt::AlignVCenter,
                      QFontMetrics(option.font).elidedText(info, Qt::ElideRight, infoRect.width()));
    painter->restore();
}

QSize ResourceCardDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    Q_UNUSED(option)
    Q_UNUSED(index)
    return {m_cardWidth + kCardSpacing, kCardHeight};
}
