#include "platform/ProcessRunner.h"

#include "platform/MainQueue.h"

#include <QCoreApplication>
#include <QProcess>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include <memory>

namespace platform {
namespace {

void appendCapped(QByteArray& to, const QByteArray& chunk)
{
    const qint64 room = kMaxCapturedOutput - to.size();
    if (room > 0) to.append(chunk.left(room));
}

} // namespace

struct ProcessRunner::Running {
    QPointer<QProcess> process;
    quint64 group = 0;
    bool* cancelled = nullptr; // in the job's state, valid while the process is live
};

ProcessRunner::ProcessRunner()
    : m_maxConcurrent(QThread::idealThreadCount() > 0 ? QThread::idealThreadCount() : 1)
{
    if (auto* app = QCoreApplication::instance())
        QObject::connect(app, &QCoreApplication::aboutToQuit, app, [this] { terminateAll(); });
}

ProcessRunner& ProcessRunner::shared()
{
    static ProcessRunner runner;
    return runner;
}

void ProcessRunner::setMaxConcurrent(int count)
{
    m_maxConcurrent = count < 1 ? 1 : count;
    startNext();
}

void ProcessRunner::launch(const QString& executable, const QStringList& arguments,
                           std::function<void(const ProcessResult&)> completion, const LaunchOptions& options)
{
    m_pending.push_back({executable, arguments, std::move(completion), options});
    startNext();
}

void ProcessRunner::cancelGroup(quint64 group)
{
    if (group == 0) return;
    endJobs([group](quint64 g) { return g == group; }, false);
}

void ProcessRunner::terminateAll()
{
    endJobs([](quint64) { return true; }, true);
}

void ProcessRunner::endJobs(const std::function<bool(quint64 group)>& matches, bool wait)
{
    std::deque<Job> kept;
    std::deque<Job> dropped;
    for (Job& job : m_pending) (matches(job.options.group) ? dropped : kept).push_back(std::move(job));
    // Kept before the completions of the dropped ones run, which may launch again.
    m_pending = std::move(kept);
    for (Job& job : dropped) {
        ProcessResult result;
        result.cancelled = true;
        result.errorString = QStringLiteral("cancelled");
        dispatchMain([completion = std::move(job.completion), result] {
            if (completion) completion(result);
        });
    }
    const auto live = m_live;
    for (const auto& running : live) {
        if (!running->process || !matches(running->group)) continue;
        *running->cancelled = true;
        running->process->kill();
        // The end is reported through finished() as for any other end.
        if (wait) running->process->waitForFinished(1000);
    }
}

void ProcessRunner::startNext()
{
    while (m_running < m_maxConcurrent && !m_pending.empty()) {
        Job job = std::move(m_pending.front());
        m_pending.pop_front();
        start(std::move(job));
    }
}

void ProcessRunner::start(Job job)
{
    struct State {
        ProcessResult result;
        bool done = false;
    };
    auto state = std::make_shared<State>();
    // Parented to the application so a process still running at exit is killed and reaped with it.
    auto* process = new QProcess(QCoreApplication::instance());
    ++m_running;
    auto running = std::make_shared<Running>();
    running->process = process;
    running->group = job.options.group;
    running->cancelled = &state->result.cancelled;
    m_live.push_back(running);

    if (job.options.timeLimitMs > 0) {
        auto* limit = new QTimer(process);
        limit->setSingleShot(true);
        QObject::connect(limit, &QTimer::timeout, process, [process, state] {
            state->result.timedOut = true;
            process->kill();
        });
        limit->start(job.options.timeLimitMs);
    }

    auto completion = std::move(job.completion);
    auto finish = [this, process, state, running, completion]() {
        if (state->done) return;
        state->done = true;
        std::erase(m_live, running);
        if (process->isOpen()) {
            appendCapped(state->result.standardOutput, process->readAllStandardOutput());
            appendCapped(state->result.standardError, process->readAllStandardError());
        }
        process->deleteLater();
        // Deferred: a process that fails to start reports it from inside start(), i.e. inside launch().
        dispatchMain([this, completion, result = state->result] { finished(completion, result); });
    };

    QObject::connect(process, &QProcess::readyReadStandardOutput, process,
                     [process, state] { appendCapped(state->result.standardOutput, process->readAllStandardOutput()); });
    QObject::connect(process, &QProcess::readyReadStandardError, process,
                     [process, state] { appendCapped(state->result.standardError, process->readAllStandardError()); });
    QObject::connect(process, &QProcess::errorOccurred, process, [process, state, finish](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return; // a crash is reported by finished()
        state->result.launched = false;
        state->result.errorString = process->errorString();
        finish();
    });
    QObject::connect(process, &QProcess::finished, process,
                     [process, state, finish](int exitCode, QProcess::ExitStatus status) {
                         state->result.launched = true;
                         if (status == QProcess::CrashExit) {
                             state->result.crashed = true;
                             state->result.exitCode = -1;
                             state->result.errorString = process->errorString();
                         } else {
                             state->result.exitCode = exitCode;
                         }
                         finish();
                     });
    process->setProgram(job.executable);
    process->setArguments(job.arguments);
    process->start(QIODevice::ReadOnly);
}

void ProcessRunner::finished(const std::function<void(const ProcessResult&)>& completion, const ProcessResult& result)
{
    --m_running;
    // The next job starts before this completion runs, so a completion that launches again queues behind it.
    startNext();
    if (completion) completion(result);
}

} // namespace platform
