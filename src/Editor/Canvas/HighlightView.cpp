#include "Editor/Canvas/HighlightView.h"

#include "Editor/Canvas/CanvasImages.h"

#include <QPainter>

HighlightView::ImageSet HighlightView::imageNames(const QSizeF& size)
{
    if (size.height() <= 18.0 || size.width() <= 18.0)
        return {QStringLiteral("cornerOnePiximage"), QStringLiteral("horizontalStop"), QStringLiteral("verticalStop")};
    return {QStringLiteral("cornerCircleimage"), QStringLiteral("horizontalBorderline"),
            QStringLiteral("verticalBorderline")};
}

void HighlightView::draw(QPainter& painter, const QRectF& rect, const QColor& selectionColor)
{
    const ImageSet names = imageNames(rect.size());
    const QImage corner = CanvasImages::tinted(CanvasImages::named(names.corner), selectionColor);
    const QImage horizontal = CanvasImages::tinted(CanvasImages::named(names.horizontal), selectionColor);
    const QImage vertical = CanvasImages::tinted(CanvasImages::named(names.vertical), selectionColor);
    const double w = rect.width();
    const double h = rect.height();
    const double cw = corner.isNull() ? 0.0 : corner.width();
    const double ch = corner.isNull() ? 0.0 : corner.height();
    // Nine parts, no centre: edges stretched between the corners.
    if (!horizontal.isNull() && w > 2 * cw) {
        painter.drawImage(QRectF(rect.x() + cw, rect.y(), w - 2 * cw, horizontal.height()), horizontal);
        painter.drawImage(QRectF(rect.x() + cw, rect.y() + h - horizontal.height(), w - 2 * cw, horizontal.height()),
                          horizontal);
    }
    if (!vertical.isNull() && h > 2 * ch) {
        painter.drawImage(QRectF(rect.x(), rect.y() + ch, vertical.width(), h - 2 * ch), vertical);
        painter.drawImage(QRectF(rect.x() + w - vertical.width(), rect.y() + ch, vertical.width(), h - 2 * ch), vertical);
    }
    if (!corner.isNull()) {
        painter.drawImage(QPointF(rect.x(), rect.y()), corner);
        painter.drawImage(QPointF(rect.x() + w - cw, rect.y()), corner);
        painter.drawImage(QPointF(rect.x(), rect.y() + h - ch), corner);
        painter.drawImage(QPointF(rect.x() + w - cw, rect.y() + h - ch), corner);
    }
}
