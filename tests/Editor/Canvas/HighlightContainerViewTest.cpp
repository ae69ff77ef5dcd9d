#include "CanvasTestViews.h"

#include "Editor/Canvas/CanvasColors.h"
#include "Editor/Canvas/HighlightContainerView.h"

#include <gtest/gtest.h>

#include <functional>

namespace {
SelectedViewInfo selected(const std::string& oid, QRectF rect)
{
    SelectedViewInfo info;
    info.viewInfo = makeView(oid, rect.x(), rect.y(), rect.width(), rect.height());
    info.rect = rect;
    return info;
}

// Colours come in a fixed cycle so each new outline's colour is known.
class HighlightContainerViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CanvasColors::setRandomSource([this](int bound) { return m_next++ % bound; });
    }
    void TearDown() override { CanvasColors::setRandomSource({}); }

    QColor colour(int index) const { return CanvasColors::higlightColors()[static_cast<std::size_t>(index)]; }

    HighlightContainerView overlay;
    int m_next = 0;
};

TEST_F(HighlightContainerViewTest, growingAndShrinkingABandKeepsTheOutlinesOfViewsThatStay)
{
    const auto a = selected("A", {0, 0, 10, 10});
    const auto b = selected("B", {20, 0, 10, 10});

    overlay.addToScreen(overlay.addNewSelectedViews({a}));
    const auto outlineA = overlay.scannedViews.find("A")->scannedView;
    ASSERT_TRUE(outlineA);
    EXPECT_EQ(outlineA->borderColor, colour(0));
    EXPECT_EQ(outlineA->frame, QRectF(0, 0, 10, 10));

    auto removed = overlay.removeDeSelectedViews({a, b});
    auto added = overlay.addNewSelectedViews({a, b});
    EXPECT_TRUE(removed.empty());
    ASSERT_EQ(added.size(), 1u);
    overlay.removeFromScreen(removed);
    overlay.addToScreen(added);
    EXPECT_EQ(overlay.scannedViews.find("A")->scannedView, outlineA);
    EXPECT_EQ(overlay.scannedViews.find("A")->selectionColor, colour(0));
    const auto outlineB = overlay.scannedViews.find("B")->scannedView;
    EXPECT_EQ(outlineB->borderColor, colour(1));
    EXPECT_EQ(overlay.subviews(), (HighlightContainerView::ViewList{outlineA, outlineB}));

    removed = overlay.removeDeSelectedViews({a});
    added = overlay.addNewSelectedViews({a});
    overlay.removeFromScreen(removed);
    overlay.addToScreen(added);
    EXPECT_EQ(overlay.subviews(), (HighlightContainerView::ViewList{outlineA}));
    EXPECT_EQ(outlineB->superview(), nullptr);
    EXPECT_EQ(overlay.scannedViews.size(), 1u);
}

TEST_F(HighlightContainerViewTest, theSameIdTwiceMakesOneOutline)
{
    const auto added = overlay.addNewSelectedViews({selected("A", {0, 0, 1, 1}), selected("A", {5, 5, 2, 2})});
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(added.find("A")->scannedView->frame, QRectF(5, 5, 2, 2));
    EXPECT_EQ(overlay.scannedViews.size(), 1u);
}

TEST_F(HighlightContainerViewTest, removingWithAnEmptyListReturnsTheWholeSelectionInOrder)
{
    overlay.addNewSelectedViews({selected("A", {0, 0, 1, 1}), selected("B", {0, 0, 2, 2})});
    const auto removed = overlay.removeDeSelectedViews({});
    ASSERT_EQ(removed.size(), 2u);
    EXPECT_EQ(removed.begin()->first, "A");
    EXPECT_TRUE(overlay.scannedViews.empty());
}

TEST_F(HighlightContainerViewTest, handlesSitOnTheCornersAndEdgeMiddles)
{
    overlay.highlightSelectionBorders({10, 20, 100, 50});
    const std::vector<QPointF> expected = {{6, 16}, {6, 41}, {6, 66}, {56, 16}, {56, 66}, {106, 16}, {106, 41}, {106, 66}};
    ASSERT_EQ(overlay.pointerViews.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(overlay.pointerViews[i]->frame, QRectF(expected[i], QSizeF(8, 8))) << i;
        EXPECT_EQ(overlay.pointerViews[i]->superview(), &overlay);
        EXPECT_EQ(overlay.pointerViews[i]->backgroundColor, QColor(Qt::white));
    }
    const auto before = overlay.pointerViews;
    overlay.highlightSelectionBorders({0, 0, 0, 0});
    EXPECT_EQ(overlay.pointerViews, before);
    overlay.highlightSelectionBorders({0, 0, 4, 4});
    EXPECT_EQ(before.front()->superview(), nullptr);
    EXPECT_EQ(overlay.subviewCount(), 8u);
}

TEST_F(HighlightContainerViewTest, updateOfAnUnselectedIdStoresItWithoutDrawing)
{
    overlay.update({selected("A", {0, 0, 1, 1})});
    EXPECT_TRUE(overlay.scannedViews.contains("A"));
    EXPECT_EQ(overlay.subviewCount(), 0u);
}

TEST_F(HighlightContainerViewTest, updateWithoutAnOutlineDoesNotOrphanTheOneOnScreen)
{
    overlay.addToScreen(overlay.addNewSelectedViews({selected("A", {0, 0, 1, 1})}));
    const auto outline = overlay.scannedViews.find("A")->scannedView;
    auto renamed = selected("A", {0, 0, 1, 1});
    renamed.selectedName = "titleLabel";
    overlay.update({renamed});
    const SelectedViewInfo& stored = *overlay.scannedViews.find("A");
    EXPECT_EQ(stored.selectedName, std::optional<std::string>("titleLabel"));
    EXPECT_EQ(stored.scannedView, outline);
    EXPECT_EQ(stored.selectionColor, colour(0));
    overlay.removeFromScreen(overlay.scannedViews);
    EXPECT_EQ(overlay.subviewCount(), 0u);
}

TEST_F(HighlightContainerViewTest, hidingWhenNothingIsShownChangesNothing)
{
    overlay.addToScreen(overlay.addNewSelectedViews({selected("A", {0, 0, 1, 1})}));
    overlay.hideHighlightView(true);
    overlay.hideHighlightView(false);
    overlay.hideHighlightView(std::nullopt);
    EXPECT_EQ(overlay.subviewCount(), 1u);
    EXPECT_TRUE(overlay.hoverHighlightView.expired());
}

// Every change used to repaint the whole canvas; the outline of the screen's background on a
// long screen is four thin strips, a handle is its frame.
TEST_F(HighlightContainerViewTest, aChangeAsksToRepaintOnlyWhatTheViewDraws)
{
    std::vector<QRectF> repainted;
    overlay.setNeedsDisplayHandler([&repainted](const QRectF& area) { repainted.push_back(area); });
    const struct {
        const char* name;
        std::function<void()> change;
        std::vector<QRectF> expected;
    } cases[] = {
        {"an outline joins",
         [&] { overlay.addToScreen(overlay.addNewSelectedViews({selected("background", {0, 0, 375, 5000})})); },
         {{0, 0, 375, 1}, {0, 4999, 375, 1}, {0, 0, 1, 5000}, {374, 0, 1, 5000}}},
        {"a handle", [&] { overlay.addSubview(std::make_shared<OverlayView>(QRectF(6, 16, 8, 8), Qt::gray, 1.0, Qt::white)); },
         {{6, 16, 8, 8}}},
        {"an outline too small for strips", [&] { overlay.addSubview(HighlightContainerView::makeOutline({5, 5, 2, 2}, Qt::red)); },
         {{5, 5, 2, 2}}},
    };
    for (const auto& c : cases) {
        repainted.clear();
        c.change();
        EXPECT_EQ(repainted, c.expected) << c.name;
    }
}

// What leaves the overlay must be repainted away: a deselected outline or the old handles would
// otherwise stay on screen until something else repainted that spot.
TEST_F(HighlightContainerViewTest, takingViewsOffRepaintsWhereTheyWere)
{
    overlay.addToScreen(overlay.addNewSelectedViews({selected("title", {10, 20, 100, 50}), selected("dot", {3, 3, 2, 2})}));
    overlay.highlightSelectionBorders({10, 20, 100, 50});
    std::vector<QRectF> replaced, movedHandles; // the old handles and the new, the new alone
    for (const auto& handle : overlay.pointerViews) replaced.push_back(handle->frame);
    for (const auto& handle : overlay.pointerViews) movedHandles.push_back(handle->frame.translated(-10, -20));
    replaced.insert(replaced.end(), movedHandles.begin(), movedHandles.end());
    std::vector<QRectF> repainted;
    overlay.setNeedsDisplayHandler([&repainted](const QRectF& area) { repainted.push_back(area); });
    const struct {
        const char* name;
        std::function<void()> change;
        std::vector<QRectF> expected;
    } cases[] = {
        {"a deselected outline", [&] { overlay.removeFromScreen(overlay.removeDeSelectedViewIds({"dot"})); },
         {{10, 20, 100, 1}, {10, 69, 100, 1}, {10, 20, 1, 50}, {109, 20, 1, 50}}},
        {"new handles replace the old ones", [&] { overlay.highlightSelectionBorders({0, 0, 100, 50}); }, replaced},
        {"the handles go", [&] { overlay.removeSelectionHandles(); }, movedHandles},
        {"an outline taken off by itself", [&] { overlay.scannedViews.find("dot")->scannedView->removeFromSuperview(); },
         {{3, 3, 2, 2}}},
    };
    for (const auto& c : cases) {
        repainted.clear();
        c.change();
        EXPECT_EQ(repainted, c.expected) << c.name;
    }
    EXPECT_EQ(overlay.subviewCount(), 0u);
}

TEST_F(HighlightContainerViewTest, addingAnOutlineAgainMovesItToTheFront)
{
    overlay.addToScreen(overlay.addNewSelectedViews({selected("A", {0, 0, 1, 1}), selected("B", {0, 0, 2, 2})}));
    const auto a = overlay.scannedViews.find("A")->scannedView;
    overlay.addSubview(a);
    const auto views = overlay.subviews();
    ASSERT_EQ(views.size(), 2u);
    EXPECT_EQ(views.back(), a);
}
} // namespace
