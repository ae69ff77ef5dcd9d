#include "CanvasTestViews.h"

#include "Editor/Canvas/PlatformRect.h"
#include "Editor/Canvas/ViewInfoUtils.h"

#include <gtest/gtest.h>

#include <limits>

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// A screen: a full-size background, a card inside it, a button inside the card, two equally
// sized badges that overlap, a zero-size marker and a view with a frame that is not finite.
std::vector<std::shared_ptr<ViewInfo>> screen()
{
    return {makeView("background", 0, 0, 375, 667), makeView("card", 20, 100, 335, 200),
            makeView("button", 40, 240, 100, 40),   makeView("badgeA", 200, 120, 30, 30),
            makeView("badgeB", 210, 130, 30, 30),   makeView("marker", 300, 400, 0, 0),
            makeView("broken", kNaN, 0, 10, 10),    makeView("endless", 0, 0, kInf, 10)};
}

struct PointCase {
    const char* name;
    QPointF point;
    const char* expected; // "" = none
};

class FindViewInfoTest : public ::testing::TestWithParam<PointCase> {};

TEST_P(FindViewInfoTest, answersTheInnermostView)
{
    const auto& c = GetParam();
    const auto found = ViewInfoUtils::findViewInfo(c.point, screen());
    EXPECT_EQ(found ? found->oid : std::string(), std::string(c.expected)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindViewInfoTest,
    ::testing::Values(PointCase{"inside the button", {50, 250}, "button"},
                      PointCase{"on the button's top left corner", {40, 240}, "button"},
                      PointCase{"on the button's bottom right corner", {140, 280}, "button"},
                      PointCase{"on the card's right edge", {355, 200}, "card"},
                      PointCase{"just outside the card", {355.0001, 200}, "background"},
                      PointCase{"on the background's far corner", {375, 667}, "background"},
                      PointCase{"outside everything", {-1, 5}, ""},
                      PointCase{"equal badges: the earlier one stays", {215, 135}, "badgeA"},
                      PointCase{"zero-size marker wins at its point", {300, 400}, "marker"},
                      PointCase{"point that is not a number", {kNaN, 10}, ""},
                      PointCase{"infinite point", {kInf, kInf}, ""}),
    [](const auto& param) { return "case" + std::to_string(param.index); });

TEST(FindViewInfo, emptyListAnswersNone)
{
    EXPECT_EQ(ViewInfoUtils::findViewInfo({1, 1}, {}), nullptr);
}

struct BandCase {
    const char* name;
    QRectF band;
    std::vector<std::string> expected;
};

class FindViewsTest : public ::testing::TestWithParam<BandCase> {};

TEST_P(FindViewsTest, keepsViewsTheBandCutsInListOrder)
{
    const auto& c = GetParam();
    EXPECT_EQ(oidsOf(ViewInfoUtils::findViews(c.band, screen())), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindViewsTest,
    ::testing::Values(
        BandCase{"wholly inside the card: not the card nor the background", {25, 105, 5, 5}, {}},
        BandCase{"equal to the button's frame: containment includes equality", {40, 240, 100, 40}, {}},
        BandCase{"round the button", {30, 230, 120, 60}, {"button"}},
        BandCase{"across the card's edge picks the card", {10, 150, 20, 20}, {"card"}},
        BandCase{"only touching the button's left edge", {30, 250, 10, 10}, {"button"}},
        BandCase{"only touching the button's corner", {140, 280, 5, 5}, {"button"}},
        BandCase{"drawn up and to the left is the same band", {150, 290, -120, -60}, {"button"}},
        BandCase{"out of the card round both badges and the marker", {195, 115, 110, 290},
                 {"card", "badgeA", "badgeB", "marker"}},
        BandCase{"zero-size band inside the card picks nothing", {100, 150, 0, 0}, {}},
        BandCase{"covering the whole screen", {-10, -10, 400, 700},
                 {"background", "card", "button", "badgeA", "badgeB", "marker"}},
        BandCase{"band that is not a number", {kNaN, 0, 10, 10}, {}}),
    [](const auto& param) { return "case" + std::to_string(param.index); });

TEST(FindViews, emptyListGivesEmptyList)
{
    EXPECT_TRUE(ViewInfoUtils::findViews({0, 0, 10, 10}, {}).empty());
}

TEST(PlatformRect, zeroSizeRectanglesTakePartAndTouchingEdgesMeet)
{
    struct Case {
        QRectF a, b;
        bool intersects, contains;
    } cases[] = {
        {{0, 0, 10, 10}, {10, 0, 10, 10}, true, false},  // shared edge
        {{0, 0, 10, 10}, {10, 10, 5, 5}, true, false},   // shared corner
        {{0, 0, 10, 10}, {10.5, 0, 5, 5}, false, false}, // a gap
        {{0, 0, 10, 10}, {5, 5, 0, 0}, true, true},      // a point inside
        {{0, 0, 10, 10}, {0, 0, 10, 10}, true, true},    // equal
        {{0, 0, 0, 0}, {0, 0, 0, 0}, true, true},        // two equal points
        {{0, 0, 10, 10}, {kInf, 0, 1, 1}, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PlatformRect::intersects(c.a, c.b), c.intersects) << c.b.x() << "," << c.b.y();
        EXPECT_EQ(PlatformRect::contains(c.a, c.b), c.contains) << c.b.x() << "," << c.b.y();
    }
}
} // namespace
