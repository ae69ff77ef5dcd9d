#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>

namespace platform {

struct ProcessResult {
    bool launched = false;   // false: the executable could not be started
    bool crashed = false;    // ended by a signal rather than by exiting
    int exitCode = -1;       // meaningful when launched && !crashed
    QString errorString;     // why it could not be started or what went wrong
    QByteArray standardOutput; // the first kMaxCapturedOutput bytes the process wrote
    QByteArray standardError;  // the same for its error output
};

constexpr qint64 kMaxCapturedOutput = 16LL * 1024 * 1024;

// Runs child processes without waiting for them. At most maxConcurrent processes run at once
// (the machine's core count by default); further launches wait in FIFO order.
// Completions are delivered on the main thread, never from inside launch(). A launch that
// cannot start frees its slot like a finished one. The shared runner is used from the main
// thread only.
class ProcessRunner {
public:
    static ProcessRunner& shared();

    void setMaxConcurrent(int count);
    int maxConcurrent() const { return m_maxConcurrent; }

    void launch(const QString& executable, const QStringList& arguments,
                std::function<void(const ProcessResult&)> completion);

    int runningCount() const { return m_running; }
    std::size_t pendingCount() const { return m_pending.size(); }

private:
    ProcessRunner();
    void startNext();

    struct Job {
        QString executable;
        QStringList arguments;
        std::function<void(const ProcessResult&)> completion;
    };
    void start(Job job);
    void finished(const std::function<void(const ProcessResult&)>& completion, const ProcessResult& result);
    std::deque<Job> m_pending;
    int m_maxConcurrent;
    int m_running = 0;
};

} // namespace platform
