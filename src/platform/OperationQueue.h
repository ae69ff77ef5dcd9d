#pragma once

#include <deque>
#include <memory>

namespace platform {

// A unit of work for an OperationQueue. Subclasses override main(); the operation counts as
// finished as soon as main() returns, whatever it started asynchronously.
class Operation {
public:
    virtual ~Operation() = default;
    virtual void main() = 0;

    void cancel() { m_cancelled = true; }
    bool isCancelled() const { return m_cancelled; }

private:
    bool m_cancelled = false;
};

// FIFO queue of operations on the main thread. Adding never runs an operation synchronously;
// each main() runs on its own event-loop turn (with a limit of N, up to N start in one turn,
// in order); a cancelled operation is dropped without its main() being called when its turn
// comes. Cancelling a running operation has no effect on it: operations finish when main()
// returns. Destroying the queue drops what has not started.
class OperationQueue {
public:
    OperationQueue();
    ~OperationQueue();
    OperationQueue(const OperationQueue&) = delete;
    OperationQueue& operator=(const OperationQueue&) = delete;

    // The application's main operation queue.
    static OperationQueue& mainQueue();

    void setMaxConcurrentOperationCount(int count);
    int maxConcurrentOperationCount() const { return m_maxConcurrent; }

    void addOperation(std::shared_ptr<Operation> operation);
    // Operations added and not yet started.
    std::size_t pendingCount() const { return m_pending.size(); }
    void cancelAllOperations();

private:
    void scheduleNext();
    void runOne();

    std::deque<std::shared_ptr<Operation>> m_pending;
    int m_maxConcurrent = 1;
    bool m_scheduled = false;
    std::shared_ptr<bool> m_alive;
};

} // namespace platform
