#include "App/ui/IndicatorManager.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>

#include <memory>

namespace {

TEST(IndicatorManager, TargetDestroyedWhileShownLeavesNothingDangling)
{
    auto target = std::make_unique<QWidget>();
    IndicatorManager& indicators = IndicatorManager::shared();
    indicators.addIndicator(target.get());
    target.reset();

    EXPECT_EQ(indicators.target(), nullptr);
    EXPECT_FALSE(indicators.isShowing());
    indicators.removeIndicator();
}

} // namespace
