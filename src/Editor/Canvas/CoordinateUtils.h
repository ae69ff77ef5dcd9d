#pragma once

#include <QImage>
#include <QPointF>
#include <QRectF>

#include <optional>

struct ArtboardSumModel;

// Geometry of the canvas: rubber-band rectangles, the screen ratio and the preview re-rendered
// at the canvas scale.
class CoordinateUtils {
public:
    // The largest side a re-rendered preview may have, in pixels: bounds the bitmap an absurd
    // artboard frame could ask for.
    static constexpr int kMaxPreviewSide = 16384;

    // The rectangle two points span: the smaller x and y, the absolute differences as size.
    static QRectF getScannedArea(const QPointF& between, const QPointF& another);

    // Preview width over the artboard width; none when that is not a finite positive number
    // (an artboard of zero, negative or non-finite width has no usable ratio).
    static std::optional<double> screenRatio(double artboardWidth);
    static bool isUsableRatio(double ratio);

    // The preview drawn at (artboard width x ratio, artboard height x ratio), smoothly scaled.
    // A null image when the size is not finite, not positive or beyond kMaxPreviewSide.
    static QImage getNormalizedPreview(const QImage& image, const ArtboardSumModel& artboard, double ratio);
};
