#include "platform/MainQueue.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLoggingCategory>
#include <QThread>
#include <QTimer>

#include <exception>

Q_LOGGING_CATEGORY(lcMainQueue, "quorvex.platform.mainqueue")

namespace platform {
namespace {

// Work runs from the event loop: an exception escaping it would unwind through Qt, so it stops here.
void runGuarded(const std::function<void()>& work)
{
    try {
        work();
    } catch (const std::exception& e) {
        qCCritical(lcMainQueue) << "main-queue work threw:" << e.what();
    } catch (...) {
        qCCritical(lcMainQueue) << "main-queue work threw an unknown exception";
    }
}

bool onMainThread()
{
    auto* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

} // namespace

void dispatchMain(std::function<void()> work)
{
    if (!work) return;
    auto* app = QCoreApplication::instance();
    if (!app) {
        qCWarning(lcMainQueue) << "dispatchMain without an application object; work dropped";
        return;
    }
    QMetaObject::invokeMethod(app, [work = std::move(work)] { runGuarded(work); }, Qt::QueuedConnection);
}

void dispatchMainAfter(int milliseconds, std::function<void()> work)
{
    if (!work) return;
    auto* app = QCoreApplication::instance();
    if (!app) {
        qCWarning(lcMainQueue) << "dispatchMainAfter without an application object; work dropped";
        return;
    }
    const int ms = milliseconds < 0 ? 0 : milliseconds;
    if (!onMainThread()) {
        // Timers belong to the thread that starts them; start this one from the main thread.
        dispatchMain([ms, work = std::move(work)]() mutable { dispatchMainAfter(ms, std::move(work)); });
        return;
    }
    QTimer::singleShot(ms, app, [work = std::move(work)] { runGuarded(work); });
}

bool runMainLoopUntil(const std::function<bool()>& done, int timeoutMs)
{
    if (done()) return true;
    // A real nested loop (rather than processEvents) so deleteLater() of replies and processes is honoured.
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(2);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done()) loop.quit();
    });
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    poll.start();
    deadline.start(timeoutMs < 0 ? 0 : timeoutMs);
    loop.exec();
    return done();
}

} // namespace platform
