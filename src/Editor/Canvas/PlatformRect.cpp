#include "Editor/Canvas/PlatformRect.h"

#include <algorithm>
#include <cmath>

bool PlatformRect::isFinite(const QRectF& rect)
{
    return std::isfinite(rect.x()) && std::isfinite(rect.y()) && std::isfinite(rect.width())
        && std::isfinite(rect.height()) && std::isfinite(rect.x() + rect.width())
        && std::isfinite(rect.y() + rect.height());
}

bool PlatformRect::isFinite(const QPointF& point)
{
    return std::isfinite(point.x()) && std::isfinite(point.y());
}

QRectF PlatformRect::standardized(const QRectF& rect)
{
    double x = rect.x();
    double y = rect.y();
    double width = rect.width();
    double height = rect.height();
    if (width < 0) {
        x += width;
        width = -width;
    }
    if (height < 0) {
        y += height;
        height = -height;
    }
    return QRectF(x, y, width, height);
}

bool PlatformRect::intersects(const QRectF& first, const QRectF& second)
{
    if (!isFinite(first) || !isFinite(second)) return false;
    const QRectF a = standardized(first);
    const QRectF b = standardized(second);
    const double left = std::max(a.x(), b.x());
    const double right = std::min(a.x() + a.width(), b.x() + b.width());
    const double top = std::max(a.y(), b.y());
    const double bottom = std::min(a.y() + a.height(), b.y() + b.height());
    // Only a strictly negative overlap is "no intersection": touching edges meet.
    return left <= right && top <= bottom;
}

bool PlatformRect::contains(const QRectF& outer, const QRectF& inner)
{
    if (!isFinite(outer) || !isFinite(inner)) return false;
    const QRectF a = standardized(outer);
    const QRectF b = standardized(inner);
    return a.x() <= b.x() && a.y() <= b.y() && b.x() + b.width() <= a.x() + a.width()
        && b.y() + b.height() <= a.y() + a.height();
}

bool PlatformRect::containsPoint(const QRectF& rect, const QPointF& point)
{
    if (!isFinite(rect) || !isFinite(point)) return false;
    return rect.x() <= point.x() && point.x() <= rect.x() + rect.width() && rect.y() <= point.y()
        && point.y() <= rect.y() + rect.height();
}
