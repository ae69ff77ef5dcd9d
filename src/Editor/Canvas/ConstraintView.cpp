#include "Editor/Canvas/ConstraintView.h"

#include "Editor/Canvas/CanvasImages.h"

#include <QPainter>

ConstraintView::CapImages ConstraintView::prepareCaps()
{
    switch (type) {
    case ConstraintAttributes::leading:
    case ConstraintAttributes::trailing:
        isVertical = false;
        return {QStringLiteral("horizontalStop"), QStringLiteral("horizontalBorderline"), QStringLiteral("horizontalStop")};
    case ConstraintAttributes::top:
    case ConstraintAttributes::bottom:
        isVertical = true;
        return {QStringLiteral("verticalStop"), QStringLiteral("verticalBorderline"), QStringLiteral("verticalStop")};
    case ConstraintAttributes::width:
    case ConstraintAttributes::height:
    case ConstraintAttributes::centerX:
    case ConstraintAttributes::centerY:
        break;
    }
    return {QStringLiteral("circleAnchorTop"), QStringLiteral("verticalBorderline"), QStringLiteral("horizontalStop")};
}

void ConstraintView::draw(QPainter& painter, const QRectF& rect)
{
    const CapImages caps = prepareCaps();
    const QImage start = CanvasImages::tinted(CanvasImages::named(caps.start), selectionColor);
    const QImage centre = CanvasImages::tinted(CanvasImages::named(caps.centre), selectionColor);
    const QImage end = CanvasImages::tinted(CanvasImages::named(caps.end), selectionColor);
    // Three parts: caps at both ends, the centre stretched between them.
    if (isVertical) {
        const double sh = start.isNull() ? 0.0 : start.height();
        const double eh = end.isNull() ? 0.0 : end.height();
        if (!start.isNull()) painter.drawImage(QRectF(rect.x(), rect.y(), rect.width(), sh), start);
        if (!centre.isNull() && rect.height() > sh + eh)
            painter.drawImage(QRectF(rect.x(), rect.y() + sh, rect.width(), rect.height() - sh - eh), centre);
        if (!end.isNull()) painter.drawImage(QRectF(rect.x(), rect.bottom() - eh, rect.width(), eh), end);
    } else {
        const double sw = start.isNull() ? 0.0 : start.width();
        const double ew = end.isNull() ? 0.0 : end.width();
        if (!start.isNull()) painter.drawImage(QRectF(rect.x(), rect.y(), sw, rect.height()), start);
        if (!centre.isNull() && rect.width() > sw + ew)
            painter.drawImage(QRectF(rect.x() + sw, rect.y(), rect.width() - sw - ew, rect.height()), centre);
        if (!end.isNull()) painter.drawImage(QRectF(rect.right() - ew, rect.y(), ew, rect.height()), end);
    }
}
