#include "CanvasTestViews.h"

#include "Editor/Canvas/ViewUtils.h"

#include <gtest/gtest.h>

#include <limits>

namespace {
SelectedViewInfo selected(const std::string& oid, double x, double y, double width, double height)
{
    SelectedViewInfo info;
    info.viewInfo = makeView(oid, x, y, width, height);
    return info;
}

TEST(GetBiggestItem, picksTheLargestAreaAndTheLaterOfEquals)
{
    struct Case {
        const char* name;
        std::vector<SelectedViewInfo> items;
        std::optional<std::string> discarding;
        const char* expected;
    };
    const Case cases[] = {
        {"empty", {}, std::nullopt, ""},
        {"one item", {selected("a", 0, 0, 1, 1)}, std::nullopt, "a"},
        {"one item matching the id", {selected("a", 0, 0, 1, 1)}, std::string("a"), "a"},
        {"equal areas: the later", {selected("a", 0, 0, 10, 2), selected("b", 5, 5, 4, 5)}, std::nullopt, "b"},
        {"larger first stays", {selected("a", 0, 0, 10, 10), selected("b", 0, 0, 2, 2)}, std::nullopt, "a"},
        {"first passed over for its id",
         {selected("a", 0, 0, 10, 10), selected("b", 0, 0, 2, 2)}, std::string("a"), "b"},
        {"later item with the id is passed over",
         {selected("a", 0, 0, 1, 1), selected("b", 0, 0, 20, 20), selected("c", 0, 0, 2, 2)}, std::string("b"), "c"},
    };
    for (const auto& c : cases) {
        const auto best = ViewUtils::getBiggestItem(c.items, c.discarding);
        EXPECT_EQ(best ? best->oid() : std::string(), std::string(c.expected)) << c.name;
    }
}

TEST(GetBiggestFrame, boundsLayoutFramesAndRoundsEachValueToTenths)
{
    struct Case {
        const char* name;
        std::vector<SelectedViewInfo> items;
        double x, y, width, height;
    };
    const Case cases[] = {
        {"two frames", {selected("a", 0, 0, 10.25, 5), selected("b", 20, 5, 10, 10)}, 0, 0, 30, 15},
        {"one frame rounded value by value", {selected("a", 1.04, 2.06, 3, 4)}, 1, 2.1, 3, 4},
        {"halves away from zero", {selected("a", -0.25, 0.25, 1, 1)}, -0.3, 0.3, 1, 1},
        {"empty list", {}, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const FrameModel frame = ViewUtils::getBiggestFrame(c.items);
        EXPECT_DOUBLE_EQ(frame.x, c.x) << c.name;
        EXPECT_DOUBLE_EQ(frame.y, c.y) << c.name;
        EXPECT_DOUBLE_EQ(frame.width, c.width) << c.name;
        EXPECT_DOUBLE_EQ(frame.height, c.height) << c.name;
    }
}

TEST(GetBiggestRectAndItem, flagsWhetherTheBiggestViewSpansTheSelection)
{
    struct Case {
        const char* name;
        std::vector<SelectedViewInfo> items;
        const char* biggest;
        bool flag;
    };
    const Case cases[] = {
        {"one view", {selected("a", 10, 20, 30, 40)}, "a", true},
        {"a container with a child inside", {selected("child", 15, 25, 5, 5), selected("box", 10, 20, 30, 40)}, "box", true},
        {"two apart", {selected("a", 0, 0, 10, 10), selected("b", 50, 0, 10, 10)}, "b", false},
        {"rounding changes the layout", {selected("a", 1.04, 2, 3, 4)}, "a", false},
        {"empty selection", {}, "", false},
        {"a zero frame at the origin", {selected("z", 0, 0, 0, 0)}, "z", false},
    };
    for (const auto& c : cases) {
        const auto result = ViewUtils::getBiggestRectAndItem(ViewUtils::getHashList(c.items));
        EXPECT_EQ(result.item ? result.item->oid() : std::string(), std::string(c.biggest)) << c.name;
        EXPECT_EQ(result.containsAllViews, c.flag) << c.name;
    }
}

TEST(GetHashList, keysByIdInListOrderAndKeepsTheLaterDuplicate)
{
    auto first = selected("a", 0, 0, 1, 1);
    auto second = selected("b", 0, 0, 2, 2);
    auto again = selected("a", 0, 0, 3, 3);
    again.selectedName = "later";
    const SelectionDictionary dictionary = ViewUtils::getHashList({first, second, again});
    ASSERT_EQ(dictionary.size(), 2u);
    EXPECT_EQ(dictionary.begin()->first, "a");
    EXPECT_EQ(dictionary.find("a")->selectedName, std::optional<std::string>("later"));
    EXPECT_TRUE(ViewUtils::getHashList({}).empty());
}

TEST(IsEqualToFrame, comparesExactlyAndNaNIsNeverEqual)
{
    FrameModel a;
    a.x = 1;
    a.y = 2;
    a.width = 3;
    a.height = 4;
    FrameModel b = a;
    EXPECT_TRUE(isEqualToFrame(a, b));
    b.width = 3.0000001;
    EXPECT_FALSE(isEqualToFrame(a, b));
    b = a;
    b.x = std::numeric_limits<double>::quiet_NaN();
    a.x = b.x;
    EXPECT_FALSE(isEqualToFrame(a, b));
}
} // namespace
