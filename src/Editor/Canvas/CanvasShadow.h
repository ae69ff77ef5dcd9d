#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

class QPainter;

// The soft shadow round the canvas document. Blurring the document to get it would re-render the
// whole document on every repaint; but the blur of an opaque rectangle is the product of the
// blurs of its two edges, so a corner tile and an edge profile, made once and a few pixels in
// size, draw the shadow of a document of any size for the price of the pixels shown.
class CanvasShadow {
public:
    // `blurRadius` in pixels: how far the shadow reaches beyond the document's edges.
    CanvasShadow(const QColor& color, double blurRadius);

    int extent() const { return m_extent; }
    // Paints the shadow of `document` (pixels) where it falls inside `exposed`, and nothing else:
    // not the document's own area, not outside `exposed`.
    void paint(QPainter& painter, const QRect& document, const QRect& exposed) const;

private:
    int m_extent = 0;
    // Each corner's tile reaches the radius into the document's sides too, where the shadow fades
    // towards the corner; beyond that the edges' profiles repeat along the sides.
    QImage m_corners[4]; // top-left, top-right, bottom-left, bottom-right
    QImage m_left, m_right, m_top, m_bottom;
};
