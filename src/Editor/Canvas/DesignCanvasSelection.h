#pragma once

#include "Editor/Canvas/GMTrackingViewDelegate.h"
#include "Editor/Canvas/SelectedViewInfo.h"
#include "Editor/ViewInfo.h"

#include <QPointF>
#include <QRectF>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class GMTrackingView;
class HighlightContainerView;

// What the design canvas does with a gesture: hit tests in artboard space over the open
// artboard's view records, the selection on the overlay, and its publication to the
// component-creation session. The canvas widget owns one and wires it to its overlay, its
// tracking and the editor; a test drives it without a window.
class DesignCanvasSelection : public GMTrackingViewDelegate {
public:
    using ViewInfoList = std::vector<std::shared_ptr<ViewInfo>>;

    HighlightContainerView* overlay = nullptr; // not owned
    GMTrackingView* tracking = nullptr;        // not owned

    // The view records of the first artboard item of the editor's reply; null when no editor is
    // reachable or the reply has no artboard item.
    std::function<const ViewInfoList*()> viewInfoListProvider;
    // Hands the published selection to the active component page.
    std::function<void()> updateActiveVCSelectedViewInfoList;
    // Opens the canvas menu at the pointer.
    std::function<void()> openMenu;

    void setScreenRatio(double ratio) { m_screenRatio = ratio; }
    double screenRatio() const override { return m_screenRatio; }

    // Gestures (points in canvas space, the band in artboard space).
    void createComponentOneClickMouseDown(const QPointF& toPoint, const std::function<void()>& completion) override;
    void createComponentCommandAndMouseDown(const QPointF& toPoint, const std::function<void()>& completion) override;
    void markViews(const std::optional<QRectF>& scannedArea) override;
    void setSelectedViewsToSessionAndHighlightSelectionBorder() override;
    void rightMouseUp(const QPointF& toPoint) override;
    void resetAndUpdateSelectedViews() override;

    // For the component pages and the views page.
    SelectedViewInfo makeSelectedViewInfo(const std::shared_ptr<ViewInfo>& view) const;
    std::vector<SelectedViewInfo> getSelectedViewInfoList(const ViewInfoList& selectedViews) const;
    void highlight(const SelectedViewInfo& selectedViewInfo, bool isHighlighting);
    void update(const SelectedViewInfo& selectedViewInfo);
    void resetSelectedViews();
    bool isSelected(const std::string& viewId) const;
    // Takes one view out of the overlay's selection and off the screen; publishes nothing.
    void removeFromSelection(const std::string& viewId);
    // A layer a component page takes out: off the selection, which is then published again. An
    // empty selection keeps no handles round the layer that went.
    void removeLayer(const std::string& viewId);

private:
    bool acceptsGestures() const;
    std::optional<QPointF> toArtboard(const QPointF& canvasPoint) const;
    void addToSelection(const std::shared_ptr<ViewInfo>& view);
    QRectF toCanvas(const QRectF& artboardRect) const;

    double m_screenRatio = 0.0;
};
