#include "Editor/ui/EditorTestKit.h"

#include "Components/CreateComponentSession.h"
#include "Components/ui/ComponentInfoSelectionViewController.h"
#include "Components/ui/ConvertViewComponentViewController.h"
#include "Editor/Canvas/DesignCanvasSelection.h"
#include "Editor/Canvas/ui/MainEditorDesignViewController.h"
#include "Editor/Pages/TreeSelectedViewInfo.h"
#include "Editor/Pages/ui/ViewsViewController.h"
#include "Projects/ui/MainViewController.h"
#include "Projects/ui/SideMenuContentViewController.h"
#include "Projects/ui/SideMenuItemsViewController.h"
#include "Projects/ui/SideMenuViewController.h"

#include <QAction>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>

using namespace editortest;
using windowtest::waitUntil;

namespace {

// A screen with two views, a full-width bar on top and a card below it (artboard 750 wide).
boost::json::object twoViewReply(const std::string& artboardId, const std::string& prefix)
{
    boost::json::object reply = detailReply(artboardId);
    boost::json::array views;
    views.push_back({{"oid", prefix + "-bar"}, {"layerName", prefix + " Bar"},
                     {"layout", {{"x", 0}, {"y", 0}, {"width", 750}, {"height", 200}}}});
    views.push_back({{"oid", prefix + "-card"}, {"layerName", prefix + " Card"},
                     {"layout", {{"x", 100}, {"y", 400}, {"width", 300}, {"height", 300}}}});
    reply["artboardViewInfoList"].as_array()[0].as_object()["viewInfoList"] = views;
    return reply;
}

class ComponentFlowFromCanvasTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        CreateComponentSession::setSession(&session);
    }
    void TearDown() override
    {
        CreateComponentSession::setSession(nullptr);
        EditorTest::TearDown();
    }

    // The editor on the two-view screen "a" (the first reply has views without frames); `next` follows.
    void openTwoViewScreen(std::vector<boost::json::object> next = {})
    {
        next.insert(next.begin(), scripted("main/detailInfo", twoViewReply("artboard-1", "a")));
        ASSERT_TRUE(openEditor(std::move(next)));
        editor->fetchArtboardDetail();
        ASSERT_TRUE(waitUntil([this] { return editor->response->artboardViewInfoList.front()->viewInfoList.size() == 2; }));
        canvas()->canvasSelection()->setScreenRatio(0.5);
    }
    SideMenuViewController* side() const { return window->mainViewController()->sideMenu(); }
    MainEditorDesignViewController* canvas() const { return editor->getDesignViewController(); }
    static std::vector<std::string> layerTable(ComponentFlowViewController* flow)
    {
        return windowtest::tableColumn(flow->infoSelectionVC()->layerTable(), 0);
    }
    std::vector<std::string> sessionIds() const
    {
        std::vector<std::string> ids;
        for (const auto& entry : session.selectViewInfoList) ids.push_back(entry.first);
        return ids;
    }
    // A click on the canvas at an artboard point, as the tracking hands it on (canvas scale 0.5).
    void clickArtboard(double x, double y)
    {
        canvas()->canvasSelection()->setScreenRatio(0.5);
        canvas()->canvasSelection()->createComponentOneClickMouseDown(QPointF(x * 0.5, y * 0.5), [] {});
    }

    CreateComponentSession session;
};

// The canvas's "Convert to .." and "Create Component" went through the side menu's toggle: on a
// second use the pane folded and no button stayed checked.
TEST_F(ComponentFlowFromCanvasTest, CanvasButtonsAndMenuOpenTheirPageAndNeverFoldIt)
{
    ASSERT_TRUE(openEditor());
    SideMenuItemsViewController* items = side()->itemsViewController();
    auto* convertButton = canvas()->findChild<QPushButton*>(QStringLiteral("convertToButton"));
    auto* createButton = canvas()->findChild<QPushButton*>(QStringLiteral("createComponentButton"));
    ASSERT_TRUE(convertButton && createButton);
    const struct {
        std::function<void()> use;
        SideMenuContentType page;
    } roads[] = {
        {[&] { QTest::mouseClick(convertButton, Qt::LeftButton); }, SideMenuContentType::convertView},
        {[&] { canvas()->convertToAction(); }, SideMenuContentType::convertView}, // the canvas menu's item
        {[&] { QTest::mouseClick(createButton, Qt::LeftButton); }, SideMenuContentType::createComponent},
    };
    for (const auto& road : roads) {
        for (int use = 0; use < 2; ++use) {
            road.use();
            EXPECT_FALSE(side()->isMenuContentCollapsed());
            EXPECT_EQ(side()->contentViewController()->activeType(), road.page);
            EXPECT_TRUE(items->button(road.page)->isChecked());
        }
    }
    // The page's own button still folds it.
    QTest::mouseClick(items->button(SideMenuContentType::createComponent), Qt::LeftButton);
    EXPECT_TRUE(side()->isMenuContentCollapsed());
}

// Next after the views page's "Convert to .." listed nothing: the canvas outlined the rows' views
// but the step only read the session, which the outline never reached.
TEST_F(ComponentFlowFromCanvasTest, InfoStepPublishesWhatTheCanvasOutlinesAndARemovedLayerLeavesBoth)
{
    openTwoViewScreen();
    auto* views = qobject_cast<ViewsViewController*>(side()->contentViewController()->getVC(SideMenuContentType::views));
    TreeSelectedViewInfo rows;
    rows.viewInfoList = editor->response->artboardViewInfoList.front()->viewInfoList;
    views->convertItems(rows);
    ConvertViewComponentViewController* convert = editor->getConvertViewVC();
    QTest::mouseClick(convert->findChild<QPushButton*>(QStringLiteral("componentFlowNext")), Qt::LeftButton);
    EXPECT_EQ(layerTable(convert), (std::vector<std::string>{"a Bar", "a Card"}));
    EXPECT_EQ(sessionIds(), (std::vector<std::string>{"a-bar", "a-card"}));
    EXPECT_EQ(session.mainFrame.height, 700.0) << "the frame round both views";
    EXPECT_EQ(canvas()->highlightContainerView()->pointerViews.size(), 8u);

    // The bar leaves from its row's menu, the card with Delete; no handles stay round nothing.
    QTableWidget* table = convert->infoSelectionVC()->layerTable();
    table->setCurrentCell(0, 0);
    table->findChild<QAction*>(QStringLiteral("removeLayer"))->trigger();
    EXPECT_EQ(layerTable(convert), std::vector<std::string>{"a Card"});
    EXPECT_EQ(sessionIds(), std::vector<std::string>{"a-card"});
    EXPECT_FALSE(canvas()->canvasSelection()->isSelected("a-bar"));
    EXPECT_EQ(session.mainFrame.y, 400.0);
    table->setCurrentCell(0, 0);
    QTest::keyClick(table, Qt::Key_Delete);
    EXPECT_EQ(layerTable(convert), std::vector<std::string>{});
    EXPECT_TRUE(session.selectViewInfoList.empty());
    EXPECT_TRUE(canvas()->highlightContainerView()->pointerViews.empty());
}

// With the convert page on its layer step, a pick on another screen's canvas reaches its table.
TEST_F(ComponentFlowFromCanvasTest, LayerStepFollowsTheCanvasOfAnotherScreen)
{
    openTwoViewScreen({scripted("main/detailInfo", twoViewReply("artboard-2", "b"))});
    canvas()->convertToAction();
    ConvertViewComponentViewController* convert = editor->getConvertViewVC();
    convert->showInfoSelection();
    clickArtboard(200, 500);
    ASSERT_EQ(layerTable(convert), std::vector<std::string>{"a Card"});

    editor = window->openScreen(project(), "artboard-2");
    ASSERT_TRUE(waitUntil([this] { return editor && editor->response; }));
    ASSERT_TRUE(convert->isShowingInfoSelection());
    EXPECT_EQ(layerTable(convert), std::vector<std::string>{});
    clickArtboard(10, 10);
    EXPECT_EQ(layerTable(convert), std::vector<std::string>{"b Bar"});
    EXPECT_EQ(sessionIds(), std::vector<std::string>{"b-bar"});
}

} // namespace
