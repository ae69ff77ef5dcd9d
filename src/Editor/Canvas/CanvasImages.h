#pragma once

#include <QColor>
#include <QImage>
#include <QString>

// The border and cap images of the overlay's frames, by name ("cornerOnePiximage",
// "cornerCircleimage", "horizontalStop", "verticalStop", "horizontalBorderline",
// "verticalBorderline", "circleAnchorTop"). They are template images: only their shape counts,
// and they are drawn tinted. Made once, in code, so the canvas needs no image files.
class CanvasImages {
public:
    // A null image for an unknown name (drawn as nothing).
    static const QImage& named(const QString& name);
    // The shape of `image` filled with `color`.
    static QImage tinted(const QImage& image, const QColor& color);
};
