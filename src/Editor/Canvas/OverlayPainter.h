#pragma once

#include <QRectF>

class HighlightContainerView;
class QPainter;
struct OverlayView;

// Paints the overlay's drawings (outlines, handles) and the rubber band, in
// overlay space: the caller scales the painter by the zoom.
class OverlayPainter {
public:
    // `exposed`: the part to repaint, overlay space; views outside it are skipped.
    static void paint(QPainter& painter, const HighlightContainerView& overlay, const OverlayView* scanner,
                      const QRectF& exposed);
    static void paintView(QPainter& painter, const OverlayView& view);
};
