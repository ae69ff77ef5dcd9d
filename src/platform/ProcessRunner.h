#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <deque>
#include <memory>
#include <vector>
#include <functional>

namespace platform {

struct ProcessResult {
    bool launched = false;   // false: the executable could not be started
    bool crashed = false;    // ended by a signal rather than by exiting
    bool timedOut = false;   // ended by us when its time limit passed (crashed is set too)
    bool cancelled = false;  // ended or dropped by cancelGroup() or terminateAll()
    int exitCode = -1;       // meaningful when launched && !crashed
    QString errorString;     // why it could not be started or what went wrong
    QByteArray standardOutput; // the first kMaxCapturedOutput bytes the process wrote
    QByteArray standardError;  // the same for its error output
};

constexpr qint64 kMaxCapturedOutput = 16LL * 1024 * 1024;

struct LaunchOptions {
    int timeLimitMs = 0;   // > 0: the process is killed once it has run this long
    quint64 group = 0;     // a tag for cancelGroup(); 0 belongs to no group
};

// Runs child processes without waiting for them. At most maxConcurrent processes run at once
// (the machine's core count by default); further launches wait in FIFO order.
// Completions are delivered on the main thread, never from inside launch(). A launch that
// cannot start frees its slot like a finished one. The shared runner is used from the main
// thread only. No child outlives the application: every running process is killed when the
// application quits (and by terminateAll(), for exits that skip that).
class ProcessRunner {
public:
    static ProcessRunner& shared();

    void setMaxConcurrent(int count);
    int maxConcurrent() const { return m_maxConcurrent; }

    void launch(const QString& executable, const QStringList& arguments,
                std::function<void(const ProcessResult&)> completion, const LaunchOptions& options = {});

    // Kills the running processes of a group and drops its waiting launches; each completion
    // still comes, later, with `cancelled` set.
    void cancelGroup(quint64 group);
    // The same for every process and launch, waiting briefly for the killed ones to end.
    void terminateAll();

    int runningCount() const { return m_running; }
    std::size_t pendingCount() const { return m_pending.size(); }

private:
    ProcessRunner();
    void startNext();

    struct Job {
        QString executable;
        QStringList arguments;
        std::function<void(const ProcessResult&)> completion;
        LaunchOptions options;
    };
    struct Running;
    void endJobs(const std::function<bool(quint64 group)>& matches, bool wait);
    void start(Job job);
    void finished(const std::function<void(const ProcessResult&)>& completion, const ProcessResult& result);
    std::deque<Job> m_pending;
    std::vector<std::shared_ptr<Running>> m_live;
    int m_maxConcurrent;
    int m_running = 0;
};

} // namespace platform
