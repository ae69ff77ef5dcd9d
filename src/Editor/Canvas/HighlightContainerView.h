#pragma once

#include "Editor/Canvas/OverlayView.h"
#include "Editor/Canvas/SelectedViewInfo.h"

#include <QRectF>

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

// The canvas overlay: keeps the canvas selection (`scannedViews`), one outline per selected view
// in a random selection colour, and the eight handles round the selection. It declares a hover
// highlight and constraint views and can hide them, but nothing on the canvas shows a hover.
// Its drawings are a retained list in overlay space (unzoomed canvas units) that the canvas
// widget paints; the overlay itself only keeps state and answers.
class HighlightContainerView {
public:
    using SelectedList = std::vector<SelectedViewInfo>;
    using ViewList = std::vector<std::shared_ptr<OverlayView>>;

    static constexpr double kHandleSize = 8.0;

    HighlightContainerView();
    ~HighlightContainerView();
    HighlightContainerView(const HighlightContainerView&) = delete;
    HighlightContainerView& operator=(const HighlightContainerView&) = delete;

    double ratio = 1.0;
    bool processing = false;
    std::weak_ptr<OverlayView> hoverHighlightView; // held by the drawing list while shown
    ViewList constraintViews;
    ViewList constraintLabels;
    QRectF previousHighlightedRect;
    std::shared_ptr<OverlayView> selectionHighlightView;
    ViewList selectionConstraintViews;
    ViewList selectionConstraintLabels;
    QRectF previousSelectedRect;
    SelectionDictionary scannedViews; // the canvas selection, in the order views joined it
    std::vector<QRectF> scannedRects;
    ViewList pointerViews; // the eight selection handles

    // Adds each entry's outline (when it has one) to the drawing list, in dictionary order.
    void addToScreen(const SelectionDictionary& selectedViews);
    // Takes each entry's outline off the drawing list; `scannedViews` is left alone.
    void removeFromScreen(const SelectionDictionary& deselectedViews);
    // Drops from `scannedViews` the entries whose id is not in the new selection; answers them.
    SelectionDictionary removeDeSelectedViews(const SelectedList& viewInfoList);
    // The same, given the ids of the new selection.
    SelectionDictionary removeDeSelectedViewIds(const std::unordered_set<std::string>& selectedIds);
    // Stores the items that were not selected yet, each with a new outline and colour; answers
    // them. Items already selected keep their outline and colour. Draws nothing.
    SelectionDictionary addNewSelectedViews(const SelectedList& viewInfoList);
    // Stores each item under its id, replacing the entry. An item that comes without an outline
    // keeps the outline and colour of the entry it replaces, so no outline is left on screen
    // without an entry that can take it off again.
    void update(const SelectedList& viewInfoList);
    // Replaces the handles by eight new ones round `rect`; the zero rectangle keeps the old ones.
    void highlightSelectionBorders(const QRectF& rect);
    // Takes every handle off the overlay and empties `pointerViews`.
    void removeSelectionHandles();
    // true: the selection highlight and its constraint views; false: the hover highlight.
    void hideHighlightView(std::optional<bool> isPerminant);
    void hideConstraint(ViewList& views, ViewList& labels);

    // Drawing list: what is on the overlay, back to front.
    void addSubview(const std::shared_ptr<OverlayView>& view);
    ViewList subviews() const;
    std::size_t subviewCount() const;
    template <class Visitor>
    void forEachSubview(Visitor&& visit) const
    {
        compact();
        for (const auto& view : m_subviews) visit(*view);
    }

    // Called after every change of what is drawn with the area that changed (overlay space), so
    // the canvas repaints only that: a click on a long screen then costs what its outlines cost.
    void setNeedsDisplayHandler(std::function<void(const QRectF&)> handler) { m_needsDisplay = std::move(handler); }
    // The area `view` paints: its border only, unless it has a fill or is drawn from images.
    void setNeedsDisplay(const OverlayView& view) const;

    static std::shared_ptr<OverlayView> makeOutline(const QRectF& rect, const QColor& color);

private:
    friend struct OverlayView;
    void detachSubview(OverlayView* view);
    void compact() const;

    // Views leave by being marked; the list is compacted before it is read, so taking many
    // outlines off one by one stays linear.
    mutable ViewList m_subviews;
    mutable std::size_t m_detached = 0;
    std::function<void(const QRectF&)> m_needsDisplay;
};
