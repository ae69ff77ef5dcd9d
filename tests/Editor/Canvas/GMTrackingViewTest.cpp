#include "Editor/Canvas/GMTrackingView.h"
#include "Editor/Canvas/HighlightContainerView.h"

#include <gtest/gtest.h>

#include <QString>

#include <string>
#include <vector>

namespace {
QString pointText(const QPointF& p)
{
    return QString::number(p.x()) + QLatin1Char(',') + QString::number(p.y());
}

// Writes every delegate call as one line, so a gesture is checked as the list of calls it made.
class RecordingDelegate : public GMTrackingViewDelegate {
public:
    std::vector<QString> calls;
    double ratio = 1.0;

    void createComponentOneClickMouseDown(const QPointF& p, const std::function<void()>&) override
    {
        calls.push_back(QStringLiteral("click ") + pointText(p));
    }
    void createComponentCommandAndMouseDown(const QPointF& p, const std::function<void()>&) override
    {
        calls.push_back(QStringLiteral("command-click ") + pointText(p));
    }
    void markViews(const std::optional<QRectF>& area) override
    {
        calls.push_back(QStringLiteral("mark ") + pointText(area->topLeft()) + QLatin1Char(' ')
                        + pointText(QPointF(area->width(), area->height())));
    }
    void setSelectedViewsToSessionAndHighlightSelectionBorder() override { calls.push_back(QStringLiteral("commit")); }
    void rightMouseUp(const QPointF& p) override { calls.push_back(QStringLiteral("right ") + pointText(p)); }
    void resetAndUpdateSelectedViews() override { calls.push_back(QStringLiteral("reset")); }
    double screenRatio() const override { return ratio; }
};

class GMTrackingViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tracking.highlightContainerView = &overlay;
        tracking.isDraggingActive = true;
        tracking.setTrackingDelegate(&delegate);
    }
    using B = GMTrackingView::Button;
    using M = GMTrackingView::Modifiers;

    HighlightContainerView overlay;
    RecordingDelegate delegate;
    GMTrackingView tracking;
};

TEST_F(GMTrackingViewTest, gesturesBecomeDelegateCalls)
{
    struct Step {
        enum Kind { press, move, release } kind;
        QPointF point;
        B button = B::left;
        M modifiers = {};
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
        std::vector<QString> expected;
    };
    const M command{true, false, false, false};
    const M commandShift{true, true, false, false};
    const M keypadCommand{true, false, false, true};
    const Case cases[] = {
        {"press and release is one click at the release point",
         {{Step::press, {5, 6}}, {Step::release, {5, 6}}}, {QStringLiteral("click 5,6")}},
        {"a drag commits once and never clicks",
         {{Step::press, {10, 10}}, {Step::move, {12, 14}}, {Step::move, {10, 10}}, {Step::release, {10, 10}}},
         {QStringLiteral("mark 10,10 2,4"), QStringLiteral("mark 10,10 0,0"), QStringLiteral("commit")}},
        {"command alone is a command-click", {{Step::press, {1, 2}}, {Step::release, {1, 2}, B::left, command}},
         {QStringLiteral("command-click 1,2")}},
        {"command with shift is a plain click", {{Step::press, {1, 2}}, {Step::release, {1, 2}, B::left, commandShift}},
         {QStringLiteral("click 1,2")}},
        {"command with a further flag is a plain click",
         {{Step::press, {1, 2}}, {Step::release, {1, 2}, B::left, keypadCommand}}, {QStringLiteral("click 1,2")}},
        {"up and to the left spans the same band",
         {{Step::press, {110, 70}}, {Step::move, {10, 20}}, {Step::release, {10, 20}}},
         {QStringLiteral("mark 10,20 100,50"), QStringLiteral("commit")}},
        {"a right press does nothing, the release asks for the menu",
         {{Step::press, {3, 4}, B::right}, {Step::release, {3, 4}, B::right}}, {QStringLiteral("right 3,4")}},
        {"a move without a button asks nothing", {{Step::move, {7, 8}}}, {}},
    };
    for (const auto& c : cases) {
        delegate.calls.clear();
        for (const auto& step : c.steps) {
            if (step.kind == Step::press) tracking.mousePressed(step.point, step.button);
            if (step.kind == Step::move) tracking.mouseMoved(step.point);
            if (step.kind == Step::release) tracking.mouseReleased(step.point, step.button, step.modifiers);
        }
        EXPECT_EQ(delegate.calls, c.expected) << c.name;
        EXPECT_EQ(tracking.scannerView(), nullptr) << c.name;
        EXPECT_EQ(tracking.state(), GMTrackingView::State::idle) << c.name;
    }
}

TEST_F(GMTrackingViewTest, theBandReachesTheDelegateInArtboardSpace)
{
    delegate.ratio = 0.5;
    tracking.mousePressed({10, 20}, B::left);
    tracking.mouseMoved({110, 70});
    ASSERT_TRUE(tracking.scannerView());
    EXPECT_EQ(tracking.scannerView()->frame, QRectF(10, 20, 100, 50));
    EXPECT_EQ(delegate.calls, std::vector<QString>{QStringLiteral("mark 20,40 200,100")});
}

TEST_F(GMTrackingViewTest, aBandOnACanvasWithoutAUsableRatioMarksNothing)
{
    for (double ratio : {0.0, -1.0, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
        delegate.calls.clear();
        delegate.ratio = ratio;
        tracking.mousePressed({0, 0}, B::left);
        tracking.mouseMoved({10, 10});
        tracking.mouseReleased({10, 10}, B::left, {});
        EXPECT_EQ(delegate.calls, std::vector<QString>{QStringLiteral("commit")}) << ratio;
    }
}

TEST_F(GMTrackingViewTest, everyPressTakesTheHandlesAway)
{
    overlay.highlightSelectionBorders({10, 10, 20, 20});
    tracking.mousePressed({15, 15}, B::left);
    EXPECT_TRUE(overlay.pointerViews.empty());
    EXPECT_EQ(overlay.subviewCount(), 0u);
}

TEST_F(GMTrackingViewTest, aCancelledDragEndsWithoutCommitting)
{
    tracking.mousePressed({0, 0}, B::left);
    tracking.mouseMoved({30, 30});
    tracking.cancelTracking();
    tracking.mouseReleased({30, 30}, B::left, {});
    EXPECT_EQ(delegate.calls, std::vector<QString>{QStringLiteral("mark 0,0 30,30")});
    EXPECT_EQ(tracking.scannerView(), nullptr);
}

TEST_F(GMTrackingViewTest, eventsWithoutTheOverlayAreIgnored)
{
    tracking.highlightContainerView = nullptr;
    tracking.mousePressed({1, 1}, B::left);
    tracking.mouseMoved({5, 5});
    tracking.mouseReleased({5, 5}, B::left, {});
    tracking.mouseReleased({5, 5}, B::right, {});
    EXPECT_TRUE(delegate.calls.empty());
}

TEST_F(GMTrackingViewTest, withoutDraggingAPressIsAClickAtThePressPoint)
{
    tracking.isDraggingActive = false;
    tracking.mousePressed({4, 4}, B::left);
    tracking.mouseMoved({9, 9});
    tracking.mouseReleased({9, 9}, B::left, {});
    EXPECT_EQ(delegate.calls, std::vector<QString>{QStringLiteral("click 4,4")});
}

// A move without a button used to frame the view under the pointer and repaint the whole canvas;
// now it only records that the canvas is in use, and the band, the tracking layer's only drawing,
// repaints where it was and where it is.
TEST_F(GMTrackingViewTest, movesDrawNoHoverAndTheBandRepaintsOnlyItsOwnArea)
{
    std::vector<QRectF> repainted;
    tracking.needsDisplay = [&repainted](const QRectF& area) { repainted.push_back(area); };
    tracking.mouseMoved({20, 30});
    tracking.mouseExited();
    EXPECT_TRUE(tracking.processing);
    tracking.mousePressed({0, 0}, B::left);
    tracking.mouseMoved({10, 10});
    tracking.mouseMoved({20, 5});
    tracking.mouseReleased({20, 5}, B::left, {});
    EXPECT_EQ(repainted, (std::vector<QRectF>{{0, 0, 10, 10}, {0, 0, 10, 10}, {0, 0, 20, 5}, {0, 0, 20, 5}}));
}

TEST_F(GMTrackingViewTest, theTrackingRegistrationFollowsTheDelegateOnce)
{
    GMTrackingView view;
    int installs = 0;
    int removals = 0;
    view.trackingChanged = [&](bool installed) { (installed ? installs : removals)++; };
    view.setTrackingDelegate(&delegate);
    view.setTrackingDelegate(&delegate);
    RecordingDelegate other;
    view.setTrackingDelegate(&other);
    EXPECT_EQ(installs, 1);
    view.setTrackingDelegate(nullptr);
    view.setTrackingDelegate(nullptr);
    EXPECT_EQ(removals, 1);
    EXPECT_FALSE(view.trackingArea());
}

TEST_F(GMTrackingViewTest, clearingTheSelectionTakesOutlinesOffAndNotifies)
{
    SelectedViewInfo info;
    info.viewInfo = std::make_shared<ViewInfo>();
    info.viewInfo->oid = "A";
    overlay.addToScreen(overlay.addNewSelectedViews({info}));
    tracking.removeSelectedViewsAndNotify();
    EXPECT_TRUE(overlay.scannedViews.empty());
    EXPECT_EQ(overlay.subviewCount(), 0u);
    EXPECT_EQ(delegate.calls, std::vector<QString>{QStringLiteral("reset")});
}
} // namespace
