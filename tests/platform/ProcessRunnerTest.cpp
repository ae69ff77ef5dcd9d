#include "platform/ProcessRunner.h"

#include "platform/MainQueue.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <vector>

using platform::ProcessResult;
using platform::ProcessRunner;
using platform::runMainLoopUntil;

namespace {

class ProcessRunnerTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        runMainLoopUntil([] { return ProcessRunner::shared().runningCount() == 0 && ProcessRunner::shared().pendingCount() == 0; }, 10000);
        ProcessRunner::shared().setMaxConcurrent(m_savedLimit);
    }
    int m_savedLimit = ProcessRunner::shared().maxConcurrent();
};

std::optional<ProcessResult> runScript(const QString& script)
{
    std::optional<ProcessResult> result;
    ProcessRunner::shared().launch(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script},
                                   [&](const ProcessResult& r) { result = r; });
    runMainLoopUntil([&] { return result.has_value(); }, 10000);
    return result;
}

} // namespace

TEST_F(ProcessRunnerTest, ReportsHowTheProcessEnded)
{
    const struct {
        const char* script;
        bool crashed;
        int exitCode;
        QByteArray output;
        QByteArray errorOutput;
    } cases[] = {
        {"echo out; echo fail >&2; exit 3", false, 3, "out\n", "fail\n"},
        {"kill -9 $$", true, -1, {}, {}},
        // ChattyProcessDoesNotBlockOnAFullPipe: far beyond a pipe buffer
        {"head -c 1048576 /dev/zero", false, 0, QByteArray(1048576, '\0'), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        const auto r = runScript(QString::fromLatin1(c.script));
        ASSERT_TRUE(r);
        EXPECT_TRUE(r->launched);
        EXPECT_EQ(r->crashed, c.crashed);
        EXPECT_EQ(r->exitCode, c.exitCode);
        EXPECT_EQ(r->standardOutput, c.output);
        EXPECT_EQ(r->standardError, c.errorOutput);
    }
}

TEST_F(ProcessRunnerTest, NeverRunsMoreThanTheLimitAndStartsWaitingJobsInOrder)
{
    // Each job records its start and end in a shared file; the log shows the overlap.
    for (const int limit : {1, 3}) {
        SCOPED_TRACE(limit);
        QTemporaryDir dir;
        const QString log = dir.filePath(QStringLiteral("log"));
        ProcessRunner::shared().setMaxConcurrent(limit);
        constexpr int kJobs = 6;
        std::vector<int> completed;
        for (int i = 0; i < kJobs; ++i) {
            const QString script = QStringLiteral("echo start %1 >> '%2'; sleep 0.05; echo end %1 >> '%2'").arg(i).arg(log);
            ProcessRunner::shared().launch(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script}, [&, i](const ProcessResult& r) {
                EXPECT_EQ(r.exitCode, 0);
                completed.push_back(i);
            });
        }
        EXPECT_EQ(ProcessRunner::shared().runningCount(), limit);
        EXPECT_EQ(ProcessRunner::shared().pendingCount(), static_cast<std::size_t>(kJobs - limit));
        ASSERT_TRUE(runMainLoopUntil([&] { return completed.size() == kJobs; }, 30000));

        QFile f(log);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        int live = 0;
        int peak = 0;
        std::vector<int> starts;
        for (const QByteArray& line : f.readAll().split('\n')) {
            if (line.startsWith("start")) {
                starts.push_back(line.mid(6).toInt());
                peak = std::max(peak, ++live);
            } else if (line.startsWith("end")) {
                --live;
            }
        }
        EXPECT_LE(peak, limit);
        if (limit == 1) {
            EXPECT_EQ(starts, (std::vector<int>{0, 1, 2, 3, 4, 5}));
            EXPECT_EQ(completed, starts);
        }
    }
}

// A tool that never exited kept its run waiting for ever and outlived the application: each
// launch may have a time limit, and a group (a failed run) or everything (the application
// quitting) can be ended, running or still waiting.
TEST_F(ProcessRunnerTest, HungProcessesEndAtTheirTimeLimitOrWhenTheirRunEnds)
{
    ProcessRunner& runner = ProcessRunner::shared();
    runner.setMaxConcurrent(2);
    const QStringList hang{QStringLiteral("-c"), QStringLiteral("exec sleep 600")};
    struct Launch {
        const char* name;
        platform::LaunchOptions options;
        std::optional<ProcessResult> result;
    } launches[] = {
        {"time limit", {300, 0}, {}},
        {"group 7 running", {0, 7}, {}},
        {"group 7 waiting", {0, 7}, {}}, // the cap of two keeps these waiting
        {"group 8 waiting", {0, 8}, {}},
    };
    for (Launch& launch : launches)
        runner.launch(QStringLiteral("/bin/sh"), hang, [&launch](const ProcessResult& r) { launch.result = r; }, launch.options);
    runner.cancelGroup(7);
    ASSERT_TRUE(runMainLoopUntil([&] { return launches[1].result && launches[2].result; }, 10000));
    EXPECT_TRUE(launches[1].result->cancelled && launches[1].result->launched);
    EXPECT_TRUE(launches[2].result->cancelled && !launches[2].result->launched);
    ASSERT_TRUE(runMainLoopUntil([&] { return launches[0].result.has_value(); }, 10000));
    EXPECT_TRUE(launches[0].result->timedOut);
    EXPECT_FALSE(launches[0].result->cancelled);
    // Group 8 took a free slot meanwhile; quitting ends it too.
    ASSERT_TRUE(runMainLoopUntil([&] { return runner.runningCount() == 1; }, 10000));
    runner.terminateAll();
    ASSERT_TRUE(runMainLoopUntil([&] { return launches[3].result.has_value(); }, 10000));
    EXPECT_TRUE(launches[3].result->cancelled);
    EXPECT_EQ(runner.runningCount(), 0);
}
