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

    // The names in the order they ran.
    std::string names() const
    {
        std::string out;
        for (const auto& e : events) out += e.substr(0, e.find('@'));
        return out;
    }
};

// An operation that records its name and turn, then does `extra`.
struct RecordingOperation : Operation {
    std::function<void()> body;
    void main() override { body(); }
};

std::shared_ptr<RecordingOperation> op(Log& log, std::string name, std::function<void()> extra = {})
{
    auto operation = std::make_shared<RecordingOperation>();
    operation->body = [&log, name = std::move(name), extra = std::move(extra)] {
        log.events.push_back(name + "@" + std::to_string(log.turn));
        if (extra) extra();
    };
    return operation;
}

// Counts event-loop turns while `running`: each tick re-posts itself.
void startTurnCounter(Log& log, const std::shared_ptr<bool>& running)
{
    platform::dispatchMain([&log, running] {
        if (!*running) return;
        ++log.turn;
        startTurnCounter(log, running);
    });
}

// Lets queued turns run that would show an operation which should not run.
void settle()
{
    runMainLoopUntil([] { return false; }, 20);
}

} // namespace

TEST(OperationQueue, AddingNeverRunsSynchronouslyAndTheLimitBoundsStartsPerTurn)
{
    struct Case {
        int limit;
        std::vector<int> expectedBatches; // operations started per distinct turn
    } cases[] = {{0, {1, 1, 1, 1, 1}}, {1, {1, 1, 1, 1, 1}}, {2, {2, 2, 1}}, {5, {5}}}; // 0 counts as 1
    for (const auto& c : cases) {
        SCOPED_TRACE(c.limit);
        OperationQueue queue;
        queue.setMaxConcurrentOperationCount(c.limit);
        Log log;
        auto running = std::make_shared<bool>(true);
        startTurnCounter(log, running);
        for (int i = 0; i < 5; ++i) queue.addOperation(op(log, std::to_string(i)));
        EXPECT_TRUE(log.events.empty());
        EXPECT_EQ(queue.pendingCount(), 5u);
        ASSERT_TRUE(runMainLoopUntil([&] { return log.events.size() == 5; }, 5000));
        *running = false;
        EXPECT_EQ(queue.pendingCount(), 0u);
        EXPECT_EQ(log.names(), "01234");
        std::vector<int> batches;
        std::string lastTurn;
        for (const auto& event : log.events) {
            const std::string turn = event.substr(event.find('@'));
            if (batches.empty() || turn != lastTurn) batches.push_back(0);
            ++batches.back();
            lastTurn = turn;
        }
        EXPECT_EQ(batches, c.expectedBatches);
    }
}

TEST(OperationQueue, CancelledOperationsAreSkippedAndAThrowingOneDoesNotStopTheQueue)
{
    OperationQueue queue;
    Log log;
    auto b = op(log, "b");
    queue.addOperation(op(log, "a", [] { throw std::runtime_error("boom"); }));
    queue.addOperation(b);
    queue.addOperation(op(log, "c", [&] { queue.cancelAllOperations(); }));
    queue.addOperation(op(log, "d"));
    b->cancel();
    ASSERT_TRUE(runMainLoopUntil([&] { return log.events.size() == 2; }, 5000));
    settle();
    EXPECT_EQ(log.names(), "ac");
    EXPECT_EQ(queue.pendingCount(), 0u);
}

TEST(OperationQueue, QueueDestroyedEvenByItsOwnOperationRunsNothingMore)
{
    Log log;
    {
        OperationQueue queue;
        queue.addOperation(op(log, "never"));
    }
    auto queue = std::make_unique<OperationQueue>();
    queue->setMaxConcurrentOperationCount(3);
    queue->addOperation(op(log, "a", [&] { queue.reset(); }));
    queue->addOperation(op(log, "b"));
    ASSERT_TRUE(runMainLoopUntil([&] { return !queue; }, 5000));
    settle();
    EXPECT_EQ(log.names(), "a");
}
