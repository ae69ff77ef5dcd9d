#pragma once

#include <QColor>
#include <QRectF>
#include <QString>

class QPainter;

// A frame drawn from tinted border images: corners from one image, edges from two others.
// Frames 18 points or less in either direction use the one-pixel set.
class HighlightView {
public:
    struct ImageSet {
        QString corner;
        QString horizontal;
        QString vertical;
    };
    static ImageSet imageNames(const QSizeF& size);

    // Draws the frame into `rect` (overlay space) tinted with `selectionColor`.
    static void draw(QPainter& painter, const QRectF& rect, const QColor& selectionColor);
};
