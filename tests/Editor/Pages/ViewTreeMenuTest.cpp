#include "Editor/Pages/ViewTreeMenu.h"
#include "Editor/Pages/ViewTreeTestTrees.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace viewtree;

// Rows of an outline: 0 Screen, 1 Group (no view record), 2 Buy (instance), 3 Title.
class ViewTreeMenuTest : public ::testing::Test {
protected:
    std::vector<Node> rows{node("Screen", "UIView"), node("Group", "UIView", {}, false, false),
                           node("Buy", "UIButton", {}, true), node("Title", "UILabel")};
    ViewTreeMenu::NodeAtRow nodeAtRow = [this](int row) -> const TreeViewInfo* {
        return row >= 0 && row < static_cast<int>(rows.size()) ? rows[static_cast<std::size_t>(row)].get() : nullptr;
    };

    static std::vector<std::string> oids(const TreeSelectedViewInfo& target)
    {
        std::vector<std::string> result;
        for (const auto& view : target.viewInfoList) result.push_back(view->oid);
        return result;
    }
    static std::vector<std::string> visibleTitles(const TreeSelectedViewInfo& target)
    {
        std::vector<std::string> result;
        for (const auto& item : ViewTreeMenu::items(target)) {
            if (!item.visible) continue;
            result.push_back(item.command == ViewTreeMenu::Command::separator ? "-" : item.title.toStdString());
        }
        return result;
    }
};

TEST_F(ViewTreeMenuTest, TargetAndItemsOfARightClick)
{
    using Titles = std::vector<std::string>;
    const struct {
        std::vector<int> selected;
        int clicked;
        std::vector<std::string> target;
        bool single;
        Titles menu;
    } cases[] = {
        {{}, 2, {"Buy"}, true, {"Delete Instance", "-", "Convert to .."}},             // an instance alone
        {{0}, 2, {"Buy"}, true, {"Delete Instance", "-", "Convert to .."}},            // outside a one-row selection
        {{0, 3}, 2, {"Buy"}, true, {"Delete Instance", "-", "Convert to .."}},         // outside a selection
        {{3, 2, 0}, 2, {"Screen", "Buy", "Title"}, false, {"Convert to .."}},          // inside: all, in row order
        {{2, 1}, 1, {"Buy"}, false, {"Convert to .."}},                                // a group contributes nothing
        {{2}, 2, {"Buy"}, true, {"Delete Instance", "-", "Convert to .."}},            // a selection of one row
        {{}, 3, {"Title"}, true, {"Convert to .."}},                                   // not an instance
        {{}, 1, {}, false, {"Convert to .."}},                                         // a group: empty target
        {{}, 9, {}, false, {"Convert to .."}},                                         // no node at that row
    };
    for (const auto& c : cases) {
        const TreeSelectedViewInfo target = ViewTreeMenu::target(c.selected, c.clicked, nodeAtRow);
        EXPECT_EQ(oids(target), c.target) << c.clicked;
        EXPECT_EQ(target.singleSelection, c.single) << c.clicked;
        EXPECT_EQ(visibleTitles(target), c.menu) << c.clicked;
    }
}

TEST_F(ViewTreeMenuTest, DeleteRequestNeedsAProjectAndAViewRecord)
{
    const TreeSelectedViewInfo buy = ViewTreeMenu::target({}, 2, nodeAtRow);
    TreeSelectedViewInfo withoutOid = buy;
    withoutOid.viewInfoList = {std::make_shared<ViewInfo>()};
    const struct {
        std::string projectId;
        TreeSelectedViewInfo target;
        bool sends;
    } cases[] = {
        {"p1", buy, true},
        {"", buy, false},
        {"p1", ViewTreeMenu::target({}, 1, nodeAtRow), false}, // empty target
        {"p1", withoutOid, false},
    };
    for (const auto& c : cases) {
        const auto request = ViewTreeMenu::deleteRequest(c.projectId, c.target);
        ASSERT_EQ(request.has_value(), c.sends) << c.projectId;
        if (!request) continue;
        EXPECT_EQ(request->projectId, "p1");
        EXPECT_EQ(request->instanceId, "Buy");
    }
}

} // namespace
