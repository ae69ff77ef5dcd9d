#include "platform/MainQueue.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

using platform::dispatchMain;
using platform::dispatchMainAfter;
using platform::runMainLoopUntil;

TEST(MainQueue, DispatchNeverRunsInsideTheCallKeepsOrderAndSurvivesThrowingWork)
{
    std::vector<std::string> events;
    dispatchMainAfter(30, [&] { events.push_back("later"); });
    dispatchMain([&] { events.push_back("first"); });
    dispatchMain([&] {
        events.push_back("second");
        dispatchMain([&] { events.push_back("nested"); });
        throw std::runtime_error("boom");
    });
    events.push_back("after-calls");
    ASSERT_TRUE(runMainLoopUntil([&] { return events.size() == 5; }, 5000));
    EXPECT_EQ(events, (std::vector<std::string>{"after-calls", "first", "second", "nested", "later"}));
}

TEST(MainQueue, WorkFromAnotherThreadRunsOnTheMainThread)
{
    QThread* mainThread = QCoreApplication::instance()->thread();
    std::atomic<int> ran{0};
    std::atomic<bool> onMain{true};
    auto work = [&] {
        if (QThread::currentThread() != mainThread) onMain = false;
        ++ran;
    };
    std::thread worker([&] {
        for (int i = 0; i < 50; ++i) dispatchMain(work);
        dispatchMainAfter(1, work);
    });
    worker.join();
    ASSERT_TRUE(runMainLoopUntil([&] { return ran == 51; }, 5000));
    EXPECT_TRUE(onMain);
}
