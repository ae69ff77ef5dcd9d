#include "Editor/Canvas/CanvasShadow.h"

#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>

namespace {
// Never more than this: the tiles are made once, but an absurd radius must not make them large.
constexpr double kMaxBlurRadius = 64.0;

// The share of a Gaussian blur of a half-plane that reaches `distance` pixels beyond its edge.
double falloff(double distance, double sigma)
{
    return 0.5 * std::erfc(distance / (sigma * std::sqrt(2.0)));
}

// `extentX` and `extentY`: the tile's pixels from its left and top to the document's edges; a
// tile that runs along an edge has no falloff in that direction (extent 0 there).
QImage tile(int width, int height, const QColor& color, double sigma, int extentX, int extentY)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Distances from the document's edges to the pixel's centre, negative inside it.
            const double fx = extentX ? falloff(extentX - x - 0.5, sigma) : 1.0;
            const double fy = extentY ? falloff(extentY - y - 0.5, sigma) : 1.0;
            QColor shade = color;
            shade.setAlphaF(static_cast<float>(color.alphaF() * fx * fy));
            image.setPixel(x, y, qPremultiply(shade.rgba()));
        }
    }
    return image;
}
} // namespace

CanvasShadow::CanvasShadow(const QColor& color, double blurRadius)
{
    const double radius = std::isfinite(blurRadius) ? std::clamp(blurRadius, 0.0, kMaxBlurRadius) : 0.0;
    m_extent = static_cast<int>(std::ceil(radius));
    if (m_extent == 0) return;
    // Three standard deviations fade out within the radius.
    const double sigma = radius / 3.0;
    const int e = m_extent;
    const QImage corner = tile(2 * e, 2 * e, color, sigma, e, e);
    m_corners[0] = corner;
    m_corners[1] = corner.mirrored(true, false);
    m_corners[2] = corner.mirrored(false, true);
    m_corners[3] = corner.mirrored(true, true);
    m_left = tile(e, 1, color, sigma, e, 0);
    m_right = m_left.mirrored(true, false);
    m_top = tile(1, e, color, sigma, 0, e);
    m_bottom = m_top.mirrored(false, true);
}

void CanvasShadow::paint(QPainter& painter, const QRect& document, const QRect& exposed) const
{
    if (m_extent == 0 || document.isEmpty()) return;
    const int e = m_extent;
    const QRegion shaded = QRegion(document.adjusted(-e, -e, e, e).intersected(exposed)) - QRegion(document);
    if (shaded.isEmpty()) return;
    painter.save();
    painter.setClipRegion(shaded, Qt::IntersectClip);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const int left = document.left();
    const int top = document.top();
    const int right = document.right() + 1;
    const int bottom = document.bottom() + 1;
    // Corners, each kept to its own quarter so that those of a small document do not overlap.
    const int midX = left + document.width() / 2;
    const int midY = top + document.height() / 2;
    const QRect quarters[4] = {QRect(QPoint(left - e, top - e), QPoint(midX - 1, midY - 1)),
                               QRect(QPoint(midX, top - e), QPoint(right + e - 1, midY - 1)),
                               QRect(QPoint(left - e, midY), QPoint(midX - 1, bottom + e - 1)),
                               QRect(QPoint(midX, midY), QPoint(right + e - 1, bottom + e - 1))};
    const QPoint origins[4] = {{left - e, top - e}, {right - e, top - e}, {left - e, bottom - e}, {right - e, bottom - e}};
    for (int i = 0; i < 4; ++i) {
        const QRect target = QRect(origins[i], QSize(2 * e, 2 * e)).intersected(quarters[i]).intersected(exposed);
        if (!target.isEmpty()) painter.drawImage(target, m_corners[i], target.translated(-origins[i]));
    }
    // Edges between the corners: the profile repeated along the side, only over its exposed stretch.
    const int fromX = std::max(left + e, exposed.left());
    const int toX = std::min(right - e, exposed.right() + 1);
    if (fromX < toX) {
        painter.drawImage(QRect(fromX, top - e, toX - fromX, e), m_top);
        painter.drawImage(QRect(fromX, bottom, toX - fromX, e), m_bottom);
    }
    const int fromY = std::max(top + e, exposed.top());
    const int toY = std::min(bottom - e, exposed.bottom() + 1);
    if (fromY < toY) {
        painter.drawImage(QRect(left - e, fromY, e, toY - fromY), m_left);
        painter.drawImage(QRect(right, fromY, e, toY - fromY), m_right);
    }
    painter.restore();
}
