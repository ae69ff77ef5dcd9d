#pragma once

#include <QPointF>
#include <QRectF>

#include <functional>
#include <optional>

// Receiver of the canvas gestures (the design canvas controller). Points are in overlay space
// (unzoomed canvas units); the rubber band arrives in artboard space.
class GMTrackingViewDelegate {
public:
    virtual ~GMTrackingViewDelegate() = default;

    virtual void createComponentOneClickMouseDown(const QPointF& toPoint, const std::function<void()>& completion) = 0;
    virtual void createComponentCommandAndMouseDown(const QPointF& toPoint, const std::function<void()>& completion) = 0;
    virtual void markViews(const std::optional<QRectF>& scannedArea) = 0;
    virtual void setSelectedViewsToSessionAndHighlightSelectionBorder() = 0;
    virtual void rightMouseUp(const QPointF& toPoint) = 0;
    virtual void resetAndUpdateSelectedViews() = 0;
    // Canvas scale: preview width over artboard width.
    virtual double screenRatio() const = 0;
};
