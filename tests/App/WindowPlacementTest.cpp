#include "App/WindowPlacement.h"

#include <gtest/gtest.h>

namespace {

struct PlacementCase {
    QSize wanted;
    QSize minimum;
    QRect available;
    QRect expected;
};

class WindowPlacementTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(WindowPlacementTest, FitsTheAvailableAreaAndCentresOnIt)
{
    EXPECT_EQ(WindowPlacement::centred(GetParam().wanted, GetParam().minimum, GetParam().available), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, WindowPlacementTest,
    ::testing::Values(
        // Fits: centred on the area, which starts below a menu bar.
        PlacementCase{{900, 600}, {640, 440}, {0, 25, 1400, 875}, {250, 162, 900, 600}},
        // Too large: shrunk to the area.
        PlacementCase{{1200, 800}, {640, 440}, {0, 0, 1024, 700}, {0, 0, 1024, 700}},
        // A second screen to the right.
        PlacementCase{{800, 600}, {0, 0}, {1920, 0, 1280, 1000}, {2160, 200, 800, 600}},
        // Smaller than the minimum: the minimum wins, the corner stays on the screen.
        PlacementCase{{900, 600}, {640, 440}, {0, 0, 600, 400}, {0, 0, 640, 440}}));

} // namespace
