#include "Editor/Canvas/CanvasDocumentPainter.h"

#include "Editor/Canvas/HighlightContainerView.h"
#include "Editor/Canvas/OverlayPainter.h"
#include "Editor/Canvas/PlatformRect.h"

#include <QPainter>

#include <cmath>

namespace {
// Smoothing samples a pixel's neighbours: the preview is drawn from a little more than the
// exposed part, so the pixels at the part's border come out as in a draw of the whole preview.
constexpr int kSampleMargin = 2;
// Widget pixels are bounded (a widget is at most 16,777,215 pixels wide); a larger value is absurd.
constexpr double kMaxPixel = 16777215.0;

QRectF toCanvas(const QRect& pixels, double zoom)
{
    return QRectF(pixels.x() / zoom, pixels.y() / zoom, pixels.width() / zoom, pixels.height() / zoom);
}

bool usable(const CanvasDocumentPainter::Document& document, const QRegion& exposed)
{
    return !exposed.isEmpty() && std::isfinite(document.zoom) && document.zoom > 0;
}

// Clips the painter to `exposed`, puts the canvas's origin and zoom on it and answers `exposed`
// in pixels counted from the canvas's origin.
QRegion enterCanvas(QPainter& painter, const CanvasDocumentPainter::Document& document, const QRegion& exposed)
{
    painter.setClipRegion(exposed, Qt::IntersectClip);
    painter.translate(document.origin);
    painter.scale(document.zoom, document.zoom);
    return exposed.translated(-document.origin);
}
} // namespace

QRect CanvasDocumentPainter::pixelsOf(const QRectF& canvasRect, double zoom)
{
    if (!PlatformRect::isFinite(canvasRect) || !std::isfinite(zoom) || zoom <= 0) return QRect();
    const QRectF scaled = PlatformRect::standardized(
        QRectF(canvasRect.x() * zoom, canvasRect.y() * zoom, canvasRect.width() * zoom, canvasRect.height() * zoom));
    if (std::abs(scaled.left()) > kMaxPixel || std::abs(scaled.top()) > kMaxPixel || scaled.right() > kMaxPixel
        || scaled.bottom() > kMaxPixel)
        return QRect();
    return scaled.toAlignedRect().adjusted(-1, -1, 1, 1);
}

void CanvasDocumentPainter::paintPreview(QPainter& painter, const Document& document, const QRegion& exposed)
{
    if (document.preview.isNull() || !usable(document, exposed)) return;
    const double zoom = document.zoom;
    painter.save();
    const QRegion pixels = enterCanvas(painter, document, exposed);
    const QRectF canvas(QPointF(0, 0), document.canvasSize);
    const QRect imageRect = document.preview.rect();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, zoom != 1.0);
    for (const QRect& part : pixels) {
        const QRectF area = toCanvas(part, zoom);
        painter.fillRect(area.intersected(canvas), Qt::white);
        // The preview is at the canvas scale: its pixels and canvas units are the same grid.
        const QRect source = area.toAlignedRect()
                                 .adjusted(-kSampleMargin, -kSampleMargin, kSampleMargin, kSampleMargin)
                                 .intersected(imageRect);
        if (!source.isEmpty()) painter.drawImage(QRectF(source), document.preview, QRectF(source));
    }
    painter.restore();
}

void CanvasDocumentPainter::paintOverlay(QPainter& painter, const Document& document, const QRegion& exposed)
{
    if (!document.overlay || !usable(document, exposed)) return;
    painter.save();
    const QRegion pixels = enterCanvas(painter, document, exposed);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    OverlayPainter::paint(painter, *document.overlay, document.scanner, toCanvas(pixels.boundingRect(), document.zoom));
    painter.restore();
}
