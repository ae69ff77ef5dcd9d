#pragma once

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
};

// Runs child processes without waiting for them. At most maxConcurrent processes run at once
// (the machine's core count by default); further launches wait in FIFO order.
// Completions are delivered on the main thread, never from inside launch().
class ProcessRunner {
public:
    static ProcessRunner& shared();

    void setMaxConcurrent(int count);
    int maxConcurrent() const { return m_maxConcurrent; }

    void launch(const QString& executable, const QStringList& arguments,
                std::function<void(const ProcessResult&)> completion);

    int runningCount() const { return m_running; }

private:
    ProcessRunner();
    void startNext();

    struct Job {
        QString executable;
        QStringList arguments;
        std::function<void(const ProcessResult&)> completion;
    };
    std::deque<Job> m_pending;
    int m_maxConcurrent;
    int m_running = 0;
};

} // namespace platform
