#include "Editor/Canvas/HighlightContainerView.h"

#include "Editor/Canvas/CanvasColors.h"
#include "Editor/Canvas/PlatformRect.h"

#include <algorithm>
#include <unordered_set>

HighlightContainerView::HighlightContainerView() = default;

HighlightContainerView::~HighlightContainerView()
{
    for (const auto& view : m_subviews) {
        if (view->m_superview == this) view->m_superview = nullptr;
    }
}

std::shared_ptr<OverlayView> HighlightContainerView::makeOutline(const QRectF& rect, const QColor& color)
{
    return std::make_shared<OverlayView>(rect, color, 1.0);
}

void HighlightContainerView::addSubview(const std::shared_ptr<OverlayView>& view)
{
    if (!view) return;
    // Adding a view that is on an overlay moves it to the front, as a view hierarchy does.
    if (view->m_superview) view->removeFromSuperview();
    view->m_superview = this;
    view->m_slot = m_subviews.size();
    m_subviews.push_back(view);
    setNeedsDisplay(*view);
}

void HighlightContainerView::detachSubview(OverlayView* view)
{
    if (!view || view->m_superview != this) return;
    view->m_superview = nullptr;
    ++m_detached;
    setNeedsDisplay(*view);
}

void HighlightContainerView::compact() const
{
    if (m_detached == 0) return;
    ViewList kept;
    kept.reserve(m_subviews.size() - std::min(m_detached, m_subviews.size()));
    for (std::size_t i = 0; i < m_subviews.size(); ++i) {
        const auto& view = m_subviews[i];
        if (view->m_superview != this || view->m_slot != i) continue;
        kept.push_back(view);
    }
    for (std::size_t i = 0; i < kept.size(); ++i) kept[i]->m_slot = i;
    m_subviews = std::move(kept);
    m_detached = 0;
}

HighlightContainerView::ViewList HighlightContainerView::subviews() const
{
    compact();
    return m_subviews;
}

std::size_t HighlightContainerView::subviewCount() const
{
    compact();
    return m_subviews.size();
}

void HighlightContainerView::setNeedsDisplay(const OverlayView& view) const
{
    if (!m_needsDisplay) return;
    const QRectF& f = view.frame;
    const bool bordersOnly = view.kind == OverlayView::Kind::plain && view.backgroundColor.alpha() == 0;
    const double border = view.borderWidth;
    // An outline of a large view (the screen's background) changes only four thin strips.
    if (!bordersOnly || border <= 0 || f.width() <= 2 * border || f.height() <= 2 * border) {
        m_needsDisplay(f);
        return;
    }
    m_needsDisplay(QRectF(f.x(), f.y(), f.width(), border));
    m_needsDisplay(QRectF(f.x(), f.y() + f.height() - border, f.width(), border));
    m_needsDisplay(QRectF(f.x(), f.y(), border, f.height()));
    m_needsDisplay(QRectF(f.x() + f.width() - border, f.y(), border, f.height()));
}

void HighlightContainerView::addToScreen(const SelectionDictionary& selectedViews)
{
    for (const auto& entry : selectedViews) {
        if (entry.second.scannedView) addSubview(entry.second.scannedView);
    }
}

void HighlightContainerView::removeFromScreen(const SelectionDictionary& deselectedViews)
{
    for (const auto& entry : deselectedViews) {
        if (entry.second.scannedView) entry.second.scannedView->removeFromSuperview();
    }
}

SelectionDictionary HighlightContainerView::removeDeSelectedViews(const SelectedList& viewInfoList)
{
    std::unordered_set<std::string> incoming;
    incoming.reserve(viewInfoList.size());
    for (const auto& item : viewInfoList) incoming.insert(item.oid());
    return removeDeSelectedViewIds(incoming);
}

SelectionDictionary HighlightContainerView::removeDeSelectedViewIds(const std::unordered_set<std::string>& incoming)
{
    SelectionDictionary removed;
    // A band that only grows removes nothing: keep the selection as it is.
    const bool anyLeaves = std::any_of(scannedViews.begin(), scannedViews.end(),
                                       [&](const auto& entry) { return incoming.count(entry.first) == 0; });
    if (!anyLeaves) return removed;
    SelectionDictionary kept;
    for (auto& entry : scannedViews) {
        if (incoming.count(entry.first) == 0)
            removed.insert_or_assign(entry.first, std::move(entry.second));
        else
            kept.insert_or_assign(entry.first, std::move(entry.second));
    }
    scannedViews = std::move(kept);
    return removed;
}

SelectionDictionary HighlightContainerView::addNewSelectedViews(const SelectedList& viewInfoList)
{
    SelectionDictionary collected;
    for (const auto& item : viewInfoList) {
        const std::string oid = item.oid();
        if (!scannedViews.contains(oid)) collected.insert_or_assign(oid, item);
    }
    for (auto& entry : collected) {
        SelectedViewInfo& item = entry.second;
        const QColor color = CanvasColors::getRandomHighlightColor();
        item.selectionColor = color;
        item.scannedView = makeOutline(item.rect, color);
        scannedViews.insert_or_assign(entry.first, item);
    }
    return collected;
}

void HighlightContainerView::update(const SelectedList& viewInfoList)
{
    for (const auto& item : viewInfoList) {
        const std::string oid = item.oid();
        SelectedViewInfo incoming = item;
        if (!incoming.scannedView) {
            if (const SelectedViewInfo* existing = scannedViews.find(oid); existing && existing->scannedView) {
                incoming.scannedView = existing->scannedView;
                incoming.selectionColor = existing->selectionColor;
            }
        }
        scannedViews.insert_or_assign(oid, std::move(incoming));
    }
}

void HighlightContainerView::removeSelectionHandles()
{
    for (const auto& handle : pointerViews) handle->removeFromSuperview();
    pointerViews.clear();
}

void HighlightContainerView::highlightSelectionBorders(const QRectF& rect)
{
    if (rect.x() == 0 && rect.y() == 0 && rect.width() == 0 && rect.height() == 0) return;
    removeSelectionHandles();
    // A frame that is not finite would place handles nowhere; it takes the old ones away only.
    if (!PlatformRect::isFinite(rect)) return;
    const double minX = rect.x();
    const double minY = rect.y();
    const double maxX = rect.x() + rect.width();
    const double maxY = rect.y() + rect.height();
    const double midX = rect.x() + rect.width() / 2.0;
    const double midY = rect.y() + rect.height() / 2.0;
    const QPointF points[] = {{minX, minY}, {minX, midY}, {minX, maxY}, {midX, minY},
                              {midX, maxY}, {maxX, minY}, {maxX, midY}, {maxX, maxY}};
    const double half = kHandleSize / 2.0;
    for (const QPointF& p : points) {
        auto handle = std::make_shared<OverlayView>(QRectF(p.x() - half, p.y() - half, kHandleSize, kHandleSize),
                                                    QColor(Qt::gray), 1.0, QColor(Qt::white));
        addSubview(handle);
        pointerViews.push_back(handle);
    }
}

void HighlightContainerView::hideConstraint(ViewList& views, ViewList& labels)
{
    for (const auto& view : views) {
        if (view) view->removeFromSuperview();
    }
    for (const auto& label : labels) {
        if (label) label->removeFromSuperview();
    }
    views.clear();
    labels.clear();
}

void HighlightContainerView::hideHighlightView(std::optional<bool> isPerminant)
{
    if (!isPerminant) return;
    if (*isPerminant) {
        if (selectionHighlightView) selectionHighlightView->removeFromSuperview();
        hideConstraint(selectionConstraintViews, selectionConstraintLabels);
    } else {
        if (auto hover = hoverHighlightView.lock()) hover->removeFromSuperview();
        hideConstraint(constraintViews, constraintLabels);
    }
}
