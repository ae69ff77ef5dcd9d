#include "platform/OperationQueue.h"

#include "platform/MainQueue.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using platform::Operation;
using platform::OperationQueue;
using platform::runMainLoopUntil;

namespace {

// Records its start with the event-loop turn it ran on, so tests see both order and batching.
struct Log {
    std::vector<std::string> events;
    int turn = 0;
};

class RecordingOperation : public Operation {
public:
    RecordingOperation(Log& log, std::string name, std::function<void()> extra = {})
        : m_log(log)
        , m_name(std::move(name))
        , m_extra(std::move(extra))
    {
    }
    void main() override
    {
        m_log.events.push_back(m_name + "@" + std::to_string(m_log.turn));
        if (m_extra) m_extra();
    }

private:
    Log& m_log; // not owned
    std::string m_name;
    std::function<void()> m_extra;
};

// Counts event-loop turns: each tick re-posts itself.
void startTurnCounter(Log& log, const std::shared_ptr<bool>& running)
{
    platform::dispatchMain([&log, running] {
        if (!*running) return;
        ++log.turn;
        startTurnCounter(log, running);
    });
}

} // namespace

TEST(OperationQueue, AddingNeverRunsSynchronouslyAndRunsInOrder)
{
    OperationQueue queue;
    Log log;
    for (const char* name : {"a", "b", "c"}) queue.addOperation(std::make_shared<RecordingOperation>(log, name));
    EXPECT_TRUE(log.events.empty());
    EXPECT_EQ(queue.pendingCount(), 3u);
    ASSERT_TRUE(runMainLoopUntil([&] { return log.events.size() == 3; }, 5000));
    EXPECT_EQ(queue.pendingCount(), 0u);
    EXPECT_EQ(log.events[0].substr(0, 1), "a");
    EXPECT_EQ(log.events[1].substr(0, 1), "b");
    EXPECT_EQ(log.events[2].substr(0, 1), "c");
}

TEST(OperationQueue, LimitBoundsHowManyStartPerTurn)
{
    struct Case {
        int limit;
        std::vector<int> expectedBatches; // operations started per distinct turn
    } cases[] = {{1, {1, 1, 1, 1, 1}}, {2, {2, 2, 1}}, {5, {5}}};
    for (const auto& c : cases) {
        OperationQueue queue;
        queue.setMaxConcurrentOperationCount(c.limit);
        Log log;
        auto running = std::make_shared<bool>(true);
        startTurnCounter(log, running);
        for (int i = 0; i < 5; ++i) queue.addOperation(std::make_shared<RecordingOperation>(log, std::to_string(i)));
        ASSERT_TRUE(runMainLoopUntil([&] { return log.events.size() == 5; }, 5000));
        *running = false;
        std::vector<int> batches;
        std::string lastTurn;
        for (std::size_t i = 0; i < log.events.size(); ++i) {
            EXPECT_EQ(log.events[i].substr(0, 1), std::to_string(i)) << "limit " << c.limit;
            const std::string turn = log.events[i].substr(log.events[i].find('@'));
            if (batches.empty() || turn != lastTurn) batches.push_back(0);
            ++batches.back();
            lastTurn = turn;
        }
        EXPECT_EQ(batches, c.expectedBatches) << "limit " << c.limit;
    }
}

TEST(OperationQueue, OperationAddedFromInsideMainRunsOnALaterTurn)
{
    OperationQueue queue;
    queue.setMaxConcurrentOperationCount(4);
    Log log;
    auto running = std::make_shared<bool>(true);
    startTurnCounter(log, running);
    queue.addOperation(std::make_shared<RecordingOperation>(log, "outer", [&] {
        queue.addOperation(std::make_shared<RecordingOperation>(log, "inner"));
        log.events.push_back("outer-end");
    }));
    ASSERT_TRUE(runMainLoopUntil([&] { return log.events.size() == 3; }, 5000));
    *running = false;
    EXPECT_EQ(log.events[1], "outer-end");
    EXPECT_EQ(log.events[2].substr(0, 5), "inner");
    EXPECT_NE(log.events[0].substr(5), log.events[2].substr(5)) << "inner ran in the same turn as outer";
}

TEST(OperationQueue, CancelledOperationsAreSkippedWithoutCallingMain)
{
    OperationQueue queue;
    Log log;
    auto a = std::make_shared<RecordingOperation>(log, "a");
    auto b = std::make_shared<RecordingOperation>(log, "b");
    auto c = std::make_shared<RecordingOperation>(log, "c");
    queue.addOperation(a);
    queue.addOperation(b);
    queue.addOperation(c);
    b->cancel();
    ASSERT_TRUE(runMainLoopUntil([&] { return log.events.size() == 2; }, 5000));
    runMainLoopUntil([] { return false; }, 20);
    ASSERT_EQ(log.events.size(), 2u);
    EXPECT_EQ(log.events[0].substr(0, 1), "a");
    EXPECT_EQ(log.events[1].substr(0, 1), "c");
}

TEST(OperationQueue, CancelAllFromInsideMainStopsTheRest)
{
    OperationQueue queue;
    Log log;
    queue.addOperation(std::make_shared<RecordingOperation>(log, "a", [&] { queue.cancelAllOperations(); }));
    queue.addOperation(std::make_shared<RecordingOperation>(log, "b"));
    ASSERT_TRUE(runMainLoopUntil([&] { return !log.events.empty(); }, 5000));
    runMainLoopUntil([] { return false; }, 20);
    EXPECT_EQ(log.events.size(), 1u);
    EXPECT_EQ(queue.pendingCount(), 0u);
}

TEST(OperationQueue, DestroyedQueueWithPendingWorkRunsNothing)
{
    Log log;
    {
        OperationQueue queue;
        queue.addOperation(std::make_shared<RecordingOperation>(log, "a"));
    }
    runMainLoopUntil([] { return false; }, 30);
    EXPECT_TRUE(log.events.empty());
}

TEST(OperationQueue, QueueDestroyedByItsOwnOperationStopsSafely)
{
    Log log;
    auto queue = std::make_unique<OperationQueue>();
    queue->setMaxConcurrentOperationCount(3);
    queue->addOperation(std::make_shared<RecordingOperation>(log, "a", [&] { queue.reset(); }));
    queue->addOperation(std::make_shared<RecordingOperation>(log, "b"));
    ASSERT_TRUE(runMainLoopUntil([&] { return !queue; }, 5000));
    runMainLoopUntil([] { return false; }, 20);
    EXPECT_EQ(log.events.size(), 1u);
}

TEST(OperationQueue, ThrowingOperationDoesNotStopTheQueue)
{
    OperationQueue queue;
    Log log;
    queue.addOperation(std::make_shared<RecordingOperation>(log, "a", [] { throw std::runtime_error("boom"); }));
    queue.addOperation(std::make_shared<RecordingOperation>(log, "b"));
    ASSERT_TRUE(runMainLoopUntil([&] { return log.events.size() == 2; }, 5000));
}

TEST(OperationQueue, MainQueueIsOneObjectAndLimitsAreClamped)
{
    EXPECT_EQ(&OperationQueue::mainQueue(), &OperationQueue::mainQueue());
    OperationQueue queue;
    queue.setMaxConcurrentOperationCount(0);
    EXPECT_EQ(queue.maxConcurrentOperationCount(), 1);
}
