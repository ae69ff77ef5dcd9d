#pragma once

#include <QPointF>
#include <QRectF>

// Rectangle tests with the semantics of the design tool's platform (CoreGraphics), which the
// canvas selection was tuned against and which QRectF does not share: QRectF treats a rectangle
// of zero width or height as intersecting nothing and its intersects() ignores touching edges.
// Here a rectangle with a negative size is first normalised; edges that only touch intersect
// (their intersection is a rectangle of zero width or height, not the null rectangle); a
// rectangle of zero size is an ordinary rectangle; containment includes equality. A rectangle
// with a value that is not finite takes part in nothing: it neither intersects nor contains.
class PlatformRect {
public:
    static bool isFinite(const QRectF& rect);
    static bool isFinite(const QPointF& point);
    static QRectF standardized(const QRectF& rect);
    static bool intersects(const QRectF& first, const QRectF& second);
    // true when `inner` lies wholly inside `outer`, edges included.
    static bool contains(const QRectF& outer, const QRectF& inner);
    // Both edges count as inside on both axes.
    static bool containsPoint(const QRectF& rect, const QPointF& point);
};
