#include "Editor/Canvas/ViewInfoUtils.h"

#include "Editor/Canvas/PlatformRect.h"

QRectF ViewInfoUtils::layoutRect(const ViewInfo& view)
{
    // A record without a layout has no place on the artboard: a frame that is not finite hits
    // nothing.
    if (!view.layout) return QRectF(qQNaN(), qQNaN(), 0, 0);
    return QRectF(view.layout->x, view.layout->y, view.layout->width, view.layout->height);
}

std::shared_ptr<ViewInfo> ViewInfoUtils::findViewInfo(const QPointF& point, const ViewInfoList& list)
{
    if (!PlatformRect::isFinite(point)) return nullptr;
    const double px = point.x();
    const double py = point.y();
    double bestScore = -1.0; // sentinel: the first candidate is always taken
    std::shared_ptr<ViewInfo> best;
    for (const auto& view : list) {
        if (!view) continue;
        if (!PlatformRect::containsPoint(layoutRect(*view), point)) continue;
        const FrameModel& f = *view->layout;
        // The distances to the four edges add up to width + height: the smallest frame wins.
        const double score = (px - f.x) + (py - f.y) + (f.x + f.width - px) + (f.y + f.height - py);
        if (bestScore == -1.0 || bestScore > score) {
            bestScore = score;
            best = view;
        }
    }
    return best;
}

ViewInfoUtils::ViewInfoList ViewInfoUtils::findViews(const QRectF& scannedArea, const ViewInfoList& list)
{
    ViewInfoList result;
    if (!PlatformRect::isFinite(scannedArea)) return result;
    for (const auto& view : list) {
        if (!view) continue;
        const QRectF frame = layoutRect(*view);
        if (PlatformRect::intersects(frame, scannedArea) && !PlatformRect::contains(frame, scannedArea))
            result.push_back(view);
    }
    return result;
}
