#include "platform/ProcessRunner.h"

#include "platform/MainQueue.h"

#include <QCoreApplication>
#include <QProcess>
#include <QThread>

#include <memory>

namespace platform {
namespace {

void appendCapped(QByteArray& to, const QByteArray& chunk)
{
    const qint64 room = kMaxCapturedOutput - to.size();
    if (room > 0) to.append(chunk.left(room));
}

} // namespace

ProcessRunner::ProcessRunner()
    : m_maxConcurrent(QThread::idealThreadCount() > 0 ? QThread::idealThreadCount() : 1)
{
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
                           std::function<void(const ProcessResult&)> completion)
{
    m_pending.push_back({executable, arguments, std::move(completion)});
    startNext();
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

    auto completion = std::move(job.completion);
    auto finish = [this, process, state, completion]() {
        if (state->done) return;
        state->done = true;
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
