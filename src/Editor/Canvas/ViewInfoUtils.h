#pragma once

#include "Editor/ViewInfo.h"

#include <QPointF>
#include <QRectF>

#include <memory>
#include <vector>

// Hit tests over an artboard's view records, in artboard space (the records' `layout` frames).
class ViewInfoUtils {
public:
    using ViewInfoList = std::vector<std::shared_ptr<ViewInfo>>;

    // The innermost view whose frame holds the point (edges included): the smallest
    // width + height wins, the earliest in the list among equals. None for a point that is not
    // finite, and frames that are not finite are never hit.
    static std::shared_ptr<ViewInfo> findViewInfo(const QPointF& point, const ViewInfoList& list);

    // The views whose frame the band cuts without enclosing all of it, in list order: a
    // container round the band is never picked, a view inside the band or cut by its edge is.
    static ViewInfoList findViews(const QRectF& scannedArea, const ViewInfoList& list);

    // The view's layout frame; a rectangle that is not finite when the record has none.
    static QRectF layoutRect(const ViewInfo& view);
};
