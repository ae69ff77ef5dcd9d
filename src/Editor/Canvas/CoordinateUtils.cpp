#include "Editor/Canvas/CoordinateUtils.h"

#include "Editor/Canvas/PreviewConstants.h"
#include "Import/Sketch/ArtboardSumModel.h"

#include <QPainter>

#include <cmath>

QRectF CoordinateUtils::getScannedArea(const QPointF& between, const QPointF& another)
{
    return QRectF(std::min(between.x(), another.x()), std::min(between.y(), another.y()),
                  std::abs(between.x() - another.x()), std::abs(between.y() - another.y()));
}

bool CoordinateUtils::isUsableRatio(double ratio)
{
    return std::isfinite(ratio) && ratio > 0.0;
}

std::optional<double> CoordinateUtils::screenRatio(double artboardWidth)
{
    if (!std::isfinite(artboardWidth) || artboardWidth <= 0.0) return std::nullopt;
    const double ratio = PreviewConstants::previewSize().width() / artboardWidth;
    if (!isUsableRatio(ratio)) return std::nullopt;
    return ratio;
}

QImage CoordinateUtils::getNormalizedPreview(const QImage& image, const ArtboardSumModel& artboard, double ratio)
{
    const double width = artboard.frame.width * ratio;
    const double height = artboard.frame.height * ratio;
    if (image.isNull() || !std::isfinite(width) || !std::isfinite(height) || width <= 0.0 || height <= 0.0)
        return QImage();
    if (width > kMaxPreviewSide || height > kMaxPreviewSide) return QImage();
    const QSize size(std::max(1, static_cast<int>(std::ceil(width))), std::max(1, static_cast<int>(std::ceil(height))));
    QImage result(size, QImage::Format_ARGB32_Premultiplied);
    if (result.isNull()) return QImage();
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(QRectF(0, 0, width, height), image);
    painter.end();
    return result;
}
