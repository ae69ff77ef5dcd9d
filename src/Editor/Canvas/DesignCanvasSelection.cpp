#include "Editor/Canvas/DesignCanvasSelection.h"

#include "Components/CreateComponentSession.h"
#include "Editor/Canvas/CoordinateUtils.h"
#include "Editor/Canvas/GMTrackingView.h"
#include "Editor/Canvas/HighlightContainerView.h"
#include "Editor/Canvas/PlatformRect.h"
#include "Editor/Canvas/ViewInfoUtils.h"
#include "Editor/Canvas/ViewUtils.h"

#include <unordered_set>

namespace {
void writeSession(const SelectionDictionary& selection)
{
    CreateComponentSession& session = CreateComponentSession::session();
    session.selectViewInfoList.clear();
    for (const auto& entry : selection)
        session.selectViewInfoList.insert_or_assign(entry.first, std::make_shared<SelectedViewInfo>(entry.second));
    const ViewUtils::BiggestRectAndItem biggest = ViewUtils::getBiggestRectAndItem(selection);
    session.mainView = biggest.item ? std::make_shared<SelectedViewInfo>(*biggest.item) : nullptr;
    session.mainFrame = biggest.frame;
    session.mainViewContainsAllViews = biggest.containsAllViews;
}

bool sessionIsActive()
{
    return CreateComponentSession::session().progress == CreateComponentProgress::active;
}
} // namespace

bool DesignCanvasSelection::acceptsGestures() const
{
    // Without a usable scale no canvas point maps to the artboard: nothing can be selected.
    return overlay && CoordinateUtils::isUsableRatio(m_screenRatio);
}

std::optional<QPointF> DesignCanvasSelection::toArtboard(const QPointF& canvasPoint) const
{
    if (!CoordinateUtils::isUsableRatio(m_screenRatio) || !PlatformRect::isFinite(canvasPoint)) return std::nullopt;
    const double inverse = 1.0 / m_screenRatio;
    return QPointF(canvasPoint.x() * inverse, canvasPoint.y() * inverse);
}

QRectF DesignCanvasSelection::toCanvas(const QRectF& artboardRect) const
{
    return QRectF(artboardRect.x() * m_screenRatio, artboardRect.y() * m_screenRatio,
                  artboardRect.width() * m_screenRatio, artboardRect.height() * m_screenRatio);
}

SelectedViewInfo DesignCanvasSelection::makeSelectedViewInfo(const std::shared_ptr<ViewInfo>& view) const
{
    SelectedViewInfo info;
    if (view) info.rect = toCanvas(ViewInfoUtils::layoutRect(*view));
    info.viewInfo = view;
    info.selectionColor = QColor(Qt::black);
    return info;
}

std::vector<SelectedViewInfo> DesignCanvasSelection::getSelectedViewInfoList(const ViewInfoList& selectedViews) const
{
    std::vector<SelectedViewInfo> list;
    list.reserve(selectedViews.size());
    for (const auto& view : selectedViews) list.push_back(makeSelectedViewInfo(view));
    return list;
}

void DesignCanvasSelection::addToSelection(const std::shared_ptr<ViewInfo>& view)
{
    const SelectionDictionary added = overlay->addNewSelectedViews({makeSelectedViewInfo(view)});
    overlay->addToScreen(added);
}

void DesignCanvasSelection::createComponentOneClickMouseDown(const QPointF& toPoint, const std::function<void()>&)
{
    if (!acceptsGestures()) return;
    if (tracking) tracking->removeSelectedViewsAndNotify();
    const ViewInfoList* list = viewInfoListProvider ? viewInfoListProvider() : nullptr;
    if (!list) return;
    const auto point = toArtboard(toPoint);
    if (!point) return;
    const auto view = ViewInfoUtils::findViewInfo(*point, *list);
    if (!view) return;
    addToSelection(view);
    setSelectedViewsToSessionAndHighlightSelectionBorder();
}

void DesignCanvasSelection::createComponentCommandAndMouseDown(const QPointF& toPoint, const std::function<void()>&)
{
    if (!acceptsGestures()) return;
    const ViewInfoList* list = viewInfoListProvider ? viewInfoListProvider() : nullptr;
    if (!list) return;
    const auto point = toArtboard(toPoint);
    if (!point) return;
    const auto view = ViewInfoUtils::findViewInfo(*point, *list);
    if (!view) return;
    if (!isSelected(view->oid))
        addToSelection(view);
    else
        removeFromSelection(view->oid);
    setSelectedViewsToSessionAndHighlightSelectionBorder();
}

void DesignCanvasSelection::removeFromSelection(const std::string& viewId)
{
    if (!isSelected(viewId)) return;
    std::unordered_set<std::string> keptIds;
    keptIds.reserve(overlay->scannedViews.size());
    for (const auto& entry : overlay->scannedViews) {
        if (entry.first != viewId) keptIds.insert(entry.first);
    }
    overlay->removeFromScreen(overlay->removeDeSelectedViewIds(keptIds));
}

void DesignCanvasSelection::removeLayer(const std::string& viewId)
{
    if (!overlay) return;
    removeFromSelection(viewId);
    // Publishing an empty selection frames nothing and would leave the old handles where they were.
    if (overlay->scannedViews.empty()) overlay->removeSelectionHandles();
    setSelectedViewsToSessionAndHighlightSelectionBorder();
}

void DesignCanvasSelection::markViews(const std::optional<QRectF>& scannedArea)
{
    if (!scannedArea || !acceptsGestures()) return;
    const ViewInfoList* list = viewInfoListProvider ? viewInfoListProvider() : nullptr;
    if (!list) return;
    const ViewInfoList found = ViewInfoUtils::findViews(*scannedArea, *list);
    // The new selection as ids for what leaves, and as selected views only for what joins: a
    // band step over a large selection then builds little (every step of a drag runs this).
    std::unordered_set<std::string> foundIds;
    foundIds.reserve(found.size());
    for (const auto& view : found) foundIds.insert(view->oid);
    const SelectionDictionary deselected = overlay->removeDeSelectedViewIds(foundIds);
    std::vector<SelectedViewInfo> joining;
    for (const auto& view : found) {
        if (!overlay->scannedViews.contains(view->oid)) joining.push_back(makeSelectedViewInfo(view));
    }
    const SelectionDictionary added = overlay->addNewSelectedViews(joining);
    overlay->removeFromScreen(deselected);
    overlay->addToScreen(added);
}

void DesignCanvasSelection::setSelectedViewsToSessionAndHighlightSelectionBorder()
{
    if (!overlay) return;
    writeSession(overlay->scannedViews);
    const FrameModel& frame = CreateComponentSession::session().mainFrame;
    if (CoordinateUtils::isUsableRatio(m_screenRatio))
        overlay->highlightSelectionBorders(toCanvas(QRectF(frame.x, frame.y, frame.width, frame.height)));
    if (updateActiveVCSelectedViewInfoList && sessionIsActive()) updateActiveVCSelectedViewInfoList();
}

void DesignCanvasSelection::resetAndUpdateSelectedViews()
{
    if (!sessionIsActive()) return;
    writeSession(SelectionDictionary());
    if (updateActiveVCSelectedViewInfoList) updateActiveVCSelectedViewInfoList();
}

void DesignCanvasSelection::rightMouseUp(const QPointF& toPoint)
{
    if (!acceptsGestures()) return;
    const auto point = toArtboard(toPoint);
    if (!point) return;
    if (CreateComponentSession::session().mainFrame.contains(*point)) {
        if (openMenu) openMenu();
        return;
    }
    const ViewInfoList* list = viewInfoListProvider ? viewInfoListProvider() : nullptr;
    if (!list || !ViewInfoUtils::findViewInfo(*point, *list)) return;
    createComponentOneClickMouseDown(toPoint, [] {});
    if (openMenu) openMenu();
}

void DesignCanvasSelection::highlight(const SelectedViewInfo& selectedViewInfo, bool isHighlighting)
{
    if (!selectedViewInfo.scannedView) return;
    QColor fill = selectedViewInfo.selectionColor;
    fill.setAlphaF(0.2f);
    const OverlayView& outline = *selectedViewInfo.scannedView;
    // Before and after: the fill covers the whole outline while shown.
    if (overlay) overlay->setNeedsDisplay(outline);
    selectedViewInfo.scannedView->backgroundColor = isHighlighting ? fill : QColor(Qt::transparent);
    if (overlay) overlay->setNeedsDisplay(outline);
}

void DesignCanvasSelection::update(const SelectedViewInfo& selectedViewInfo)
{
    CreateComponentSession::session().selectViewInfoList.insert_or_assign(
        selectedViewInfo.oid(), std::make_shared<SelectedViewInfo>(selectedViewInfo));
    if (overlay) overlay->update({selectedViewInfo});
}

void DesignCanvasSelection::resetSelectedViews()
{
    if (!overlay) return;
    overlay->removeFromScreen(overlay->scannedViews);
    overlay->scannedViews.clear();
    overlay->removeSelectionHandles();
}

bool DesignCanvasSelection::isSelected(const std::string& viewId) const
{
    return overlay && overlay->scannedViews.contains(viewId);
}
