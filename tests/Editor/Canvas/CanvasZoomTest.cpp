#include "Editor/Canvas/CanvasZoom.h"

#include <gtest/gtest.h>

#include <limits>

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

TEST(CanvasZoom, wheelAndPinchStepsStayWithinTheLimits)
{
    const struct {
        const char* name;
        std::optional<double> result;
        std::optional<double> expected;
    } cases[] = {
        {"one notch away magnifies", CanvasZoom::afterWheel(1.0, 120), 1.25},
        {"one notch back reduces", CanvasZoom::afterWheel(1.25, -120), 1.0},
        {"half a notch of a fine wheel", CanvasZoom::afterWheel(1.0, 60), 1.118033988749895},
        {"no turn keeps it", CanvasZoom::afterWheel(2.0, 0), 2.0},
        {"many notches stop at the largest", CanvasZoom::afterWheel(3.9, 1200), 4.0},
        {"many notches back stop at the smallest", CanvasZoom::afterWheel(0.6, -1200), 0.5},
        {"a pinch out", CanvasZoom::afterPinch(2.0, 0.1), 2.2},
        {"a pinch in", CanvasZoom::afterPinch(2.0, -0.25), 1.5},
        {"a pinch beyond nothing", CanvasZoom::afterPinch(2.0, -3.0), 0.5},
        {"a pinch past the largest", CanvasZoom::afterPinch(3.0, 1.0), 4.0},
        {"a pinch that is not a number", CanvasZoom::afterPinch(2.0, kNaN), std::nullopt},
        {"an infinite pinch", CanvasZoom::afterPinch(2.0, kInfinity), std::nullopt},
        {"a magnification that is not a number", CanvasZoom::clamped(kNaN), std::nullopt},
        {"an infinite magnification", CanvasZoom::clamped(kInfinity), 4.0},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(c.result.has_value(), c.expected.has_value()) << c.name;
        if (c.expected) {
            EXPECT_NEAR(*c.result, *c.expected, 1e-12) << c.name;
        }
    }
}
} // namespace
