#include "Editor/Canvas/OverlayPainter.h"

#include "Editor/Canvas/HighlightContainerView.h"
#include "Editor/Canvas/HighlightView.h"
#include "Editor/Canvas/OverlayView.h"
#include "Editor/Canvas/PlatformRect.h"

#include <QPainter>
#include <QPen>

void OverlayPainter::paintView(QPainter& painter, const OverlayView& view)
{
    // A frame that is not finite draws nothing.
    if (!PlatformRect::isFinite(view.frame)) return;
    if (view.kind == OverlayView::Kind::highlight) {
        HighlightView::draw(painter, view.frame, view.selectionColor);
        return;
    }
    if (view.backgroundColor.alpha() > 0) painter.fillRect(view.frame, view.backgroundColor);
    if (view.borderWidth > 0 && view.borderColor.alpha() > 0) {
        // The border lies inside the frame, as a layer border does.
        const double inset = view.borderWidth / 2.0;
        QPen pen(view.borderColor);
        pen.setWidthF(view.borderWidth);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(view.frame.adjusted(inset, inset, -inset, -inset));
    }
}

void OverlayPainter::paint(QPainter& painter, const HighlightContainerView& overlay, const OverlayView* scanner,
                           const QRectF& exposed)
{
    overlay.forEachSubview([&](const OverlayView& view) {
        if (!PlatformRect::intersects(view.frame.adjusted(-1, -1, 1, 1), exposed)) return;
        paintView(painter, view);
    });
    if (scanner) paintView(painter, *scanner);
}
