#include "Editor/Canvas/CanvasShadow.h"

#include <QPainter>

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

QImage tile(int width, int height, const QColor& color, double sigma, int extent, bool alongX, bool alongY)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Distances from the document's edge to the pixel's centre; a tile that runs along an
            // edge has no falloff in that direction.
            const double fx = alongX ? 1.0 : falloff(extent - x - 0.5, sigma);
            const double fy = alongY ? 1.0 : falloff(extent - y - 0.5, sigma);
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
    const QImage corner = tile(e, e, color, sigma, e, false, false);
    m_corners[0] = corner;
    m_corners[1] = corner.mirrored(true, false);
    m_corners[2] = corner.mirrored(false, true);
    m_corners[3] = corner.mirrored(true, true);
    m_left = tile(e, 1, color, sigma, e, false, true);
    m_right = m_left.mirrored(true, false);
    m_top = tile(1, e, color, sigma, e, true, false);
    m_bottom = m_top.mirrored(false, true);
}

void CanvasShadow::paint(QPainter& painter, const QRect& document, const QRect& exposed) const
{
    if (m_extent == 0 || document.isEmpty()) return;
    const int e = m_extent;
    const QRect around = document.adjusted(-e, -e, e, e);
    if (!around.intersects(exposed)) return;
    painter.save();
    painter.setClipRect(exposed, Qt::IntersectClip);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const int left = document.left();
    const int top = document.top();
    const int right = document.right() + 1;
    const int bottom = document.bottom() + 1;
    // Corners at their own size.
    const QPoint corners[4] = {{left - e, top - e}, {right, top - e}, {left - e, bottom}, {right, bottom}};
    for (int i = 0; i < 4; ++i) {
        if (QRect(corners[i], QSize(e, e)).intersects(exposed)) painter.drawImage(corners[i], m_corners[i]);
    }
    // Edges: the profile repeated along the edge, only over the exposed stretch of it.
    const int fromX = std::max(left, exposed.left());
    const int toX = std::min(right, exposed.right() + 1);
    if (fromX < toX) {
        painter.drawImage(QRect(fromX, top - e, toX - fromX, e), m_top);
        painter.drawImage(QRect(fromX, bottom, toX - fromX, e), m_bottom);
    }
    const int fromY = std::max(top, exposed.top());
    const int toY = std::min(bottom, exposed.bottom() + 1);
    if (fromY < toY) {
        painter.drawImage(QRect(left - e, fromY, e, toY - fromY), m_left);
        painter.drawImage(QRect(right, fromY, e, toY - fromY), m_right);
    }
    painter.restore();
}
