// The views page in the project window against the stand-in service: the tree of the detail
// reply, "Delete Instance" with its request and the reload that follows, and the cases in which
// nothing may go out or come back.

#include "EditorTestKit.h"

#include "Editor/Canvas/HighlightContainerView.h"
#include "Editor/Canvas/ui/MainEditorDesignViewController.h"
#include "Editor/Pages/ViewOutlineTreeModel.h"
#include "Editor/Pages/ui/ViewsViewController.h"
#include "Editor/ui/EditorHierarchy.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>

namespace {

using namespace editortest;
using Lines = std::vector<std::string>;

// Screen > Title, Buy (a component instance while `buyIsInstance`), Group (no view record).
boost::json::object detailWithTree(bool buyIsInstance, const std::string& buyName = "Buy")
{
    boost::json::object reply = detailReply();
    const boost::json::value buy = {{"id", "buy-1"},         {"name", buyName},         {"classNameString", "UIButton"},
                                    {"ancestorClassKey", "button"}, {"parentId", "screen-1"}, {"isInstance", buyIsInstance},
                                    {"viewInfo", {{"oid", "buy-1"}, {"layerName", buyName}}}};
    const boost::json::value title = {{"id", "title-1"},   {"name", "Title"},          {"classNameString", "UILabel"},
                                      {"parentId", "screen-1"}, {"viewInfo", {{"oid", "title-1"}, {"layerName", "Title"}}}};
    const boost::json::value group = {{"id", "group-1"}, {"name", "Group"}, {"classNameString", "UIView"}, {"parentId", "screen-1"}};
    boost::json::object& item = reply["artboardViewInfoList"].as_array()[0].as_object();
    item["treeViewInfoList"] = boost::json::array{{{"id", "screen-1"},
                                                   {"name", "Screen"},
                                                   {"classNameString", "UIView"},
                                                   {"viewInfo", {{"oid", "screen-1"}}},
                                                   {"views", boost::json::array{title, buy, group}}}};
    return reply;
}

Lines shownTree(const ViewsViewController& page)
{
    Lines lines;
    for (const QModelIndex& index : page.outlineView()->shownRows()) {
        int depth = 0;
        for (QModelIndex p = index.parent(); p.isValid(); p = p.parent()) ++depth;
        lines.push_back(std::to_string(depth) + " " + index.data().toString().toStdString() +
                        (index.data(ViewOutlineTreeModel::IsInstanceRole).toBool() ? " (instance)" : ""));
    }
    return lines;
}

class ViewsPageServiceTest : public EditorTest {
protected:
    // The editor opened on a detail whose tree holds the instance "Buy"; `script` answers after it.
    ViewsViewController* openViewsPage(std::vector<boost::json::object> script)
    {
        boost::json::array entries;
        entries.push_back(scripted("main/detailInfo", detailWithTree(true)));
        entries.push_back(noPreviews());
        for (auto& e : script) entries.push_back(std::move(e));
        startService(boost::json::serialize(entries));
        EXPECT_TRUE(signInDemoUser());
        window = new ProjectMainWindowController;
        Navigator::share().mainWindowController = window.data();
        window->bringToFront();
        editor = window->openScreen(project(), "artboard-1");
        EXPECT_TRUE(windowtest::waitUntil([this] { return editor && editor->response; }));
        auto* page = editorhierarchy::sidePageOfEditor<ViewsViewController>(editor, SideMenuContentType::views);
        if (page) page->show();
        return page;
    }

    // Right-clicks the shown row and runs the menu item titled `title`.
    static void runMenuItem(ViewsViewController& page, int row, const QString& title)
    {
        ViewTreeOutlineView* outline = page.outlineView();
        const QPoint at = outline->visualRect(outline->indexAtRow(row)).center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, outline->viewport()->mapToGlobal(at));
        QApplication::sendEvent(outline->viewport(), &event);
        QMenu* menu = outline->lastMenu();
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions()) {
            if (action->text() == title && action->isVisible()) {
                action->trigger();
                return;
            }
        }
        ADD_FAILURE() << "no visible menu item " << title.toStdString();
    }
};

const Lines kBefore{"0 Screen", "1 Title", "1 Buy (instance)", "1 Group"};

// The canvas selection: the ids in the order the views joined it, each with its outline colour.
std::vector<std::pair<std::string, QColor>> canvasSelection(MainEditorViewController* editor)
{
    std::vector<std::pair<std::string, QColor>> result;
    auto* canvas = editorhierarchy::designCanvasOf(editor);
    if (!canvas) return result;
    for (const auto& [id, selected] : canvas->highlightContainerView()->scannedViews)
        result.emplace_back(id, selected.selectionColor);
    return result;
}

std::vector<std::string> ids(const std::vector<std::pair<std::string, QColor>>& selection)
{
    std::vector<std::string> result;
    for (const auto& entry : selection) result.push_back(entry.first);
    return result;
}

TEST_F(ViewsPageServiceTest, DeleteInstanceSendsTheDeleteThenReloadsAndShowsTheNewTree)
{
    ViewsViewController* page =
        openViewsPage({scripted("components/deleteComponentInstance", boost::json::object{{"status", true}}),
                       scripted("main/detailInfo", detailWithTree(false, "Buy (plain)"))});
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(shownTree(*page), kBefore);
    service->clearRecords();

    runMenuItem(*page, 2, QStringLiteral("Delete Instance"));
    ASSERT_TRUE(waitForRequests("main/detailInfo", 1));
    ASSERT_TRUE(windowtest::waitUntil([&] { return shownTree(*page) != kBefore; }));
    EXPECT_EQ(editorPaths(), (Lines{"components/deleteComponentInstance", "main/detailInfo"}));
    const auto request = firstRecord("components/deleteComponentInstance");
    EXPECT_EQ(StandinService::bodyString(request, "projectId"), "project-1");
    EXPECT_EQ(StandinService::bodyString(request, "instanceId"), "buy-1");
    EXPECT_EQ(shownTree(*page), (Lines{"0 Screen", "1 Title", "1 Buy (plain)", "1 Group"}));
}

TEST_F(ViewsPageServiceTest, DeleteAnsweredWithFalseStatusReloadsNothing)
{
    ViewsViewController* page =
        openViewsPage({scripted("components/deleteComponentInstance", boost::json::object{{"status", false}})});
    ASSERT_NE(page, nullptr);
    service->clearRecords();
    runMenuItem(*page, 2, QStringLiteral("Delete Instance"));
    ASSERT_TRUE(waitForRequests("components/deleteComponentInstance", 1));
    QTest::qWait(150);
    EXPECT_EQ(editorPaths(), Lines{"components/deleteComponentInstance"});
    EXPECT_EQ(shownTree(*page), kBefore);
}

// "Delete Instance" used to send a request with an empty instance or project id.
TEST_F(ViewsPageServiceTest, DeleteWithoutProjectIdOrViewRecordSendsNothing)
{
    ViewsViewController* page = openViewsPage({});
    ASSERT_NE(page, nullptr);
    service->clearRecords();
    page->deleteInstance(TreeSelectedViewInfo{}); // an empty target
    editor->projectId.reset();
    runMenuItem(*page, 2, QStringLiteral("Delete Instance"));
    QTest::qWait(100);
    EXPECT_TRUE(editorPaths().empty());
}

// The delete's answer used to reach the page and the editor after they were gone; and deleting a
// window that still showed the editor called into the half-destroyed window.
TEST_F(ViewsPageServiceTest, DeleteAnswerAfterTheWindowWasDeletedWhileShowingTheEditorDoesNothing)
{
    ViewsViewController* page = openViewsPage(
        {scripted("components/deleteComponentInstance", boost::json::object{{"status", true}}, 1, 300)});
    ASSERT_NE(page, nullptr);
    service->clearRecords();
    runMenuItem(*page, 2, QStringLiteral("Delete Instance"));
    ASSERT_TRUE(waitForRequests("components/deleteComponentInstance", 1));
    ASSERT_TRUE(window->isVisible());
    delete window.data();
    ASSERT_TRUE(window.isNull());
    EXPECT_TRUE(editor.isNull());
    QTest::qWait(500);
    EXPECT_EQ(editorPaths(), Lines{"components/deleteComponentInstance"});
}

TEST_F(ViewsPageServiceTest, RowSelectionOutlinesTheSameViewsOnTheCanvas)
{
    ViewsViewController* page = openViewsPage({});
    ASSERT_NE(page, nullptr);
    ASSERT_NE(editorhierarchy::designCanvasOf(editor), nullptr);
    page->outlineView()->selectRows({1, 2, 3}); // the group has no view record
    const auto first = canvasSelection(editor);
    EXPECT_EQ(ids(first), (Lines{"title-1", "buy-1"}));

    page->outlineView()->selectRows({0, 2});
    const auto second = canvasSelection(editor);
    EXPECT_EQ(ids(second), (Lines{"buy-1", "screen-1"}));
    EXPECT_EQ(second.front().second, first.back().second); // Buy stayed selected and keeps its colour
    std::size_t outlines = 0;
    for (const auto& [id, selected] : editorhierarchy::designCanvasOf(editor)->highlightContainerView()->scannedViews)
        outlines += selected.scannedView ? 1 : 0;
    EXPECT_EQ(outlines, 2u);

    page->outlineView()->clearSelection();
    EXPECT_TRUE(canvasSelection(editor).empty());
}

TEST_F(ViewsPageServiceTest, ConvertSelectsTheRowsOnTheCanvasAndOpensTheConvertPage)
{
    ViewsViewController* page = openViewsPage({});
    ASSERT_NE(page, nullptr);
    auto* content = editorhierarchy::sideMenuContentOfEditor(editor);
    ASSERT_NE(content, nullptr);
    page->outlineView()->selectRows({1, 2});
    runMenuItem(*page, 2, QStringLiteral("Convert to .."));
    EXPECT_EQ(ids(canvasSelection(editor)), (Lines{"title-1", "buy-1"}));
    EXPECT_EQ(content->activeType(), SideMenuContentType::convertView);

    content->open(SideMenuContentType::views);
    runMenuItem(*page, 0, QStringLiteral("Convert to ..")); // outside the selection: that row only
    EXPECT_EQ(ids(canvasSelection(editor)), Lines{"screen-1"});
    EXPECT_EQ(content->activeType(), SideMenuContentType::convertView);
}

} // namespace
