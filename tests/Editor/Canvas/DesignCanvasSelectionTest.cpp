#include "CanvasTestViews.h"

#include "Components/CreateComponentSession.h"
#include "Editor/Canvas/CanvasColors.h"
#include "Editor/Canvas/DesignCanvasSelection.h"
#include "Editor/Canvas/GMTrackingView.h"
#include "Editor/Canvas/HighlightContainerView.h"

#include <gtest/gtest.h>

#include <limits>

namespace {
// An artboard 750 wide (screen ratio 0.5): a header with a title inside, and a button.
class DesignCanvasSelectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CanvasColors::setRandomSource([](int) { return 0; });
        CreateComponentSession::setSession(&session);
        views = {makeView("header", 0, 0, 750, 200), makeView("title", 10, 20, 100, 50),
                 makeView("button", 200, 600, 300, 100)};
        tracking.highlightContainerView = &overlay;
        tracking.isDraggingActive = true;
        tracking.setTrackingDelegate(&canvas);
        canvas.overlay = &overlay;
        canvas.tracking = &tracking;
        canvas.setScreenRatio(0.5);
        canvas.viewInfoListProvider = [this] { return withEditor ? &views : nullptr; };
        canvas.openMenu = [this] { ++menus; };
        canvas.updateActiveVCSelectedViewInfoList = [this] { ++pageUpdates; };
    }
    void TearDown() override
    {
        CanvasColors::setRandomSource({});
        CreateComponentSession::setSession(nullptr);
    }
    std::vector<std::string> selection() const
    {
        std::vector<std::string> oids;
        for (const auto& entry : overlay.scannedViews) oids.push_back(entry.first);
        return oids;
    }
    void click(QPointF p) { canvas.createComponentOneClickMouseDown(p, [] {}); }
    void commandClick(QPointF p) { canvas.createComponentCommandAndMouseDown(p, [] {}); }

    CreateComponentSession session;
    std::vector<std::shared_ptr<ViewInfo>> views;
    HighlightContainerView overlay;
    GMTrackingView tracking;
    DesignCanvasSelection canvas;
    bool withEditor = true;
    int menus = 0;
    int pageUpdates = 0;
};

TEST_F(DesignCanvasSelectionTest, aClickIsTestedInArtboardSpaceAndOutlinedOnTheCanvas)
{
    click({10, 20}); // artboard (20, 40): inside the title and the header
    EXPECT_EQ(selection(), std::vector<std::string>{"title"});
    const SelectedViewInfo& title = *overlay.scannedViews.find("title");
    EXPECT_EQ(title.rect, QRectF(5, 10, 50, 25));
    EXPECT_EQ(title.scannedView->frame, QRectF(5, 10, 50, 25));
    EXPECT_EQ(title.selectedFieldType.name, "Select field type");
    EXPECT_EQ(title.selectedFieldType.programmingClassKey, "-1");
    // Published: the session holds it and the handles frame it on the canvas.
    const auto& published = CreateComponentSession::session();
    EXPECT_TRUE(published.selectViewInfoList.contains("title"));
    EXPECT_DOUBLE_EQ(published.mainFrame.width, 100);
    EXPECT_TRUE(published.mainViewContainsAllViews);
    ASSERT_EQ(overlay.pointerViews.size(), 8u);
    EXPECT_EQ(overlay.pointerViews.front()->frame, QRectF(1, 6, 8, 8));
}

TEST_F(DesignCanvasSelectionTest, aClickOnEmptyCanvasLeavesNoSelectionAndNoBorder)
{
    click({10, 20});
    tracking.mousePressed({360, 300}, GMTrackingView::Button::left); // a press takes the handles
    click({360, 300});
    EXPECT_TRUE(selection().empty());
    EXPECT_TRUE(overlay.pointerViews.empty());
    EXPECT_EQ(overlay.subviewCount(), 0u);
}

TEST_F(DesignCanvasSelectionTest, commandClickAddsAndRemovesOneViewAndKeepsTheRest)
{
    click({10, 20});
    commandClick({150, 320});
    EXPECT_EQ(selection(), (std::vector<std::string>{"title", "button"}));
    commandClick({10, 20});
    EXPECT_EQ(selection(), std::vector<std::string>{"button"});
    EXPECT_EQ(overlay.subviewCount(), 1u + 8u);
    commandClick({370, 330}); // no view there
    EXPECT_EQ(selection(), std::vector<std::string>{"button"});
}

TEST_F(DesignCanvasSelectionTest, theBandSelectsWithoutPublishingUntilRelease)
{
    canvas.markViews(QRectF(0, 10, 120, 90)); // artboard space: cuts the title, inside the header
    EXPECT_EQ(selection(), std::vector<std::string>{"title"});
    EXPECT_TRUE(CreateComponentSession::session().selectViewInfoList.empty());
    canvas.setSelectedViewsToSessionAndHighlightSelectionBorder();
    EXPECT_TRUE(CreateComponentSession::session().selectViewInfoList.contains("title"));
}

TEST_F(DesignCanvasSelectionTest, rightClickInsideThePublishedFrameKeepsTheSelection)
{
    click({10, 20});
    commandClick({150, 320});
    canvas.rightMouseUp({150, 320});
    EXPECT_EQ(menus, 1);
    EXPECT_EQ(selection(), (std::vector<std::string>{"title", "button"}));
    canvas.rightMouseUp({300, 50}); // outside the frame, on the header: selects it first
    EXPECT_EQ(menus, 2);
    EXPECT_EQ(selection(), std::vector<std::string>{"header"});
    canvas.rightMouseUp({-5, -5}); // outside, on no view
    EXPECT_EQ(menus, 2);
}

TEST_F(DesignCanvasSelectionTest, gesturesSelectNothingWithoutAUsableRatio)
{
    for (double ratio : {0.0, -0.5, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
        canvas.setScreenRatio(ratio);
        click({10, 20});
        commandClick({10, 20});
        canvas.markViews(QRectF(0, 0, 1000, 1000));
        canvas.rightMouseUp({10, 20});
        EXPECT_TRUE(selection().empty()) << ratio;
        EXPECT_EQ(menus, 0) << ratio;
    }
    canvas.setScreenRatio(0.5);
    click({std::numeric_limits<double>::quiet_NaN(), 1});
    EXPECT_TRUE(selection().empty());
}

TEST_F(DesignCanvasSelectionTest, withoutAnEditorNothingIsSelected)
{
    withEditor = false;
    click({10, 20});
    canvas.markViews(QRectF(0, 0, 100, 100));
    EXPECT_TRUE(selection().empty());
}

TEST_F(DesignCanvasSelectionTest, theActivePageHearsOnlyWhileTheSessionIsActive)
{
    click({10, 20});
    EXPECT_EQ(pageUpdates, 0);
    CreateComponentSession::session().progress = CreateComponentProgress::active;
    click({10, 20}); // clears (reset: one update), then publishes (one update)
    EXPECT_EQ(pageUpdates, 2);
}

TEST_F(DesignCanvasSelectionTest, resetClearsTheOverlayButNotTheSession)
{
    click({10, 20});
    canvas.resetSelectedViews();
    EXPECT_TRUE(selection().empty());
    EXPECT_EQ(overlay.subviewCount(), 0u);
    EXPECT_TRUE(CreateComponentSession::session().selectViewInfoList.contains("title"));
}

TEST_F(DesignCanvasSelectionTest, aChosenNameReachesSessionAndOverlayWithItsOutline)
{
    click({10, 20});
    SelectedViewInfo renamed = canvas.makeSelectedViewInfo(views[1]);
    renamed.selectedName = "titleLabel";
    canvas.update(renamed);
    EXPECT_EQ(overlay.scannedViews.find("title")->selectedName, std::optional<std::string>("titleLabel"));
    EXPECT_TRUE(overlay.scannedViews.find("title")->scannedView);
    EXPECT_EQ((*CreateComponentSession::session().selectViewInfoList.find("title"))->selectedName,
              std::optional<std::string>("titleLabel"));
    canvas.highlight(*overlay.scannedViews.find("title"), true);
    EXPECT_NEAR(overlay.scannedViews.find("title")->scannedView->backgroundColor.alphaF(), 0.2, 1e-6);
}
} // namespace
