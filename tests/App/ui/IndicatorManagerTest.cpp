#include "App/ui/IndicatorManager.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>

#include <memory>

namespace {

TEST(IndicatorManager, CoversItsTargetAndFollowsItsSize)
{
    auto target = std::make_unique<QWidget>();
    target->resize(300, 200);
    target->show();
    IndicatorManager& indicators = IndicatorManager::shared();

    indicators.addIndicator(target.get());
    ASSERT_TRUE(indicators.isShowing());
    EXPECT_EQ(indicators.container()->parentWidget(), target.get());
    EXPECT_EQ(indicators.container()->geometry(), target->rect());
    target->resize(500, 400);
    EXPECT_EQ(indicators.container()->geometry(), target->rect());

    indicators.removeIndicator();
    EXPECT_FALSE(indicators.isShowing());
    indicators.removeIndicator(); // harmless when none is up
}

TEST(IndicatorManager, AddingAgainMovesTheOneIndicatorToTheNewTarget)
{
    QWidget first;
    QWidget second;
    IndicatorManager& indicators = IndicatorManager::shared();
    indicators.addIndicator(&first);
    indicators.addIndicator(&second);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_EQ(indicators.target(), &second);
    EXPECT_TRUE(first.findChildren<QWidget*>().isEmpty());
    indicators.removeIndicator();
}

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
