#pragma once

#include <QImage>
#include <QRect>
#include <QRectF>
#include <QRegion>
#include <QSizeF>

class HighlightContainerView;
class QPainter;
struct OverlayView;

// Paints the canvas document for the pixels a repaint exposes: white behind the preview, the
// preview at the zoom, the overlay and the rubber band. The work follows the exposed pixels and
// never the document's size, so a click on a long screen at a high zoom repaints as little as
// one on a short screen.
class CanvasDocumentPainter {
public:
    struct Document {
        QImage preview;            // at the canvas scale; null: nothing behind the overlay
        QSizeF canvasSize;         // canvas units
        double zoom = 1.0;         // widget pixels per canvas unit
        const HighlightContainerView* overlay = nullptr; // not owned
        const OverlayView* scanner = nullptr;            // not owned
    };

    // `exposed`: widget pixels. Nothing outside it is touched.
    static void paint(QPainter& painter, const Document& document, const QRegion& exposed);

    // The widget pixels that show `canvasRect` at `zoom`, with a pixel's margin for what a
    // scaled pen or its rounding reaches beyond the rectangle. Empty for a rectangle that is not
    // finite.
    static QRect pixelsOf(const QRectF& canvasRect, double zoom);
};
