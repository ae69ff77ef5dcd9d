#include "platform/OperationQueue.h"

#include "platform/MainQueue.h"

#include <QLoggingCategory>

#include <exception>

Q_LOGGING_CATEGORY(lcOperationQueue, "quorvex.platform.operationqueue")

namespace platform {

OperationQueue::OperationQueue()
    : m_alive(std::make_shared<bool>(true))
{
}

OperationQueue::~OperationQueue()
{
    // A turn already posted to the event loop finds the weak handle expired and does nothing.
    m_alive.reset();
}

OperationQueue& OperationQueue::mainQueue()
{
    static OperationQueue queue;
    return queue;
}

void OperationQueue::setMaxConcurrentOperationCount(int count)
{
    m_maxConcurrent = count < 1 ? 1 : count;
}

void OperationQueue::addOperation(std::shared_ptr<Operation> operation)
{
    if (!operation) return;
    m_pending.push_back(std::move(operation));
    scheduleNext();
}

void OperationQueue::cancelAllOperations()
{
    for (auto& op : m_pending) op->cancel();
    m_pending.clear();
}

void OperationQueue::scheduleNext()
{
    if (m_scheduled || m_pending.empty()) return;
    m_scheduled = true;
    std::weak_ptr<bool> alive = m_alive;
    dispatchMain([this, alive] {
        if (alive.expired()) return;
        runOne();
    });
}

void OperationQueue::runOne()
{
    m_scheduled = false;
    const std::weak_ptr<bool> alive = m_alive;
    int started = 0;
    // Only operations queued before this turn are candidates: one added from inside main() waits
    // for a later turn even when a slot is free.
    std::size_t candidates = m_pending.size();
    while (started < m_maxConcurrent && candidates > 0 && !m_pending.empty()) {
        --candidates;
        auto op = std::move(m_pending.front());
        m_pending.pop_front();
        // Cancelled operations are dropped unstarted and do not use up a slot of this turn.
        if (op->isCancelled()) continue;
        ++started;
        try {
            op->main();
        } catch (const std::exception& e) {
            qCCritical(lcOperationQueue) << "operation threw:" << e.what();
        } catch (...) {
            qCCritical(lcOperationQueue) << "operation threw an unknown exception";
        }
        // main() may have destroyed the queue that runs it.
        if (alive.expired()) return;
    }
    scheduleNext();
}

} // namespace platform
