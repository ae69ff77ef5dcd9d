#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QRegion>
#include <QSizeF>

class HighlightContainerView;
class QPainter;
struct OverlayView;

// Paints the canvas document for the pixels a repaint exposes: white behind the preview and the
// preview at the zoom, and, as a layer of its own, the overlay and the rubber band. The work
// follows the exposed pixels and never the document's size, so a click on a long screen at a
// high zoom repaints as little as one on a short screen.
class CanvasDocumentPainter {
public:
    struct Document {
        QImage preview;            // at the canvas scale; null: nothing behind the overlay
        QSizeF canvasSize;         // canvas units
        double zoom = 1.0;         // pixels per canvas unit
        const HighlightContainerView* overlay = nullptr; // not owned
        const OverlayView* scanner = nullptr;            // not owned
        QPoint origin;             // the painter's pixel where canvas point (0, 0) lies
    };

    // `exposed`: the painter's pixels. Nothing outside it is touched, nor outside the canvas.
    static void paintPreview(QPainter& painter, const Document& document, const QRegion& exposed);
    // The outlines, handles and band are not held to the canvas: a view at its edge keeps its
    // handles whole, drawn over whatever lies round the canvas. Nothing outside `exposed` is touched.
    static void paintOverlay(QPainter& painter, const Document& document, const QRegion& exposed);

    // The pixels that show `canvasRect` at `zoom`, counted from the canvas's origin, with a
    // pixel's margin for what a scaled pen or its rounding reaches beyond the rectangle. Empty
    // for a rectangle that is not finite.
    static QRect pixelsOf(const QRectF& canvasRect, double zoom);
};
