#include "platform/ProcessRunner.h"

#include "platform/MainQueue.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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
    struct Case {
        const char* script;
        bool crashed;
        int exitCode;
        const char* output;
    } cases[] = {
        {"echo hello", false, 0, "hello\n"},
        {"echo fail >&2; exit 3", false, 3, ""},
        {"exit 255", false, 255, ""},
        {"kill -9 $$", true, -1, ""},
        {"kill -TERM $$", true, -1, ""},
    };
    for (const auto& c : cases) {
        const auto r = runScript(QString::fromLatin1(c.script));
        ASSERT_TRUE(r) << c.script;
        EXPECT_TRUE(r->launched) << c.script;
        EXPECT_EQ(r->crashed, c.crashed) << c.script;
        EXPECT_EQ(r->exitCode, c.exitCode) << c.script;
        EXPECT_EQ(r->standardOutput, QByteArray(c.output)) << c.script;
    }
}

TEST_F(ProcessRunnerTest, ErrorOutputIsKeptApart)
{
    const auto r = runScript(QStringLiteral("echo out; echo err >&2"));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->standardOutput, QByteArray("out\n"));
    EXPECT_EQ(r->standardError, QByteArray("err\n"));
}

TEST_F(ProcessRunnerTest, MissingExecutableReportsNotLaunchedAfterTheCallReturns)
{
    for (const QString& exe : {QStringLiteral("/nonexistent/tool"), QString(), QDir::tempPath()}) {
        std::optional<ProcessResult> result;
        bool insideLaunch = true;
        ProcessRunner::shared().launch(exe, {}, [&](const ProcessResult& r) {
            EXPECT_FALSE(insideLaunch) << "completion ran inside launch() for " << exe.toStdString();
            result = r;
        });
        insideLaunch = false;
        ASSERT_TRUE(runMainLoopUntil([&] { return result.has_value(); }, 5000)) << exe.toStdString();
        EXPECT_FALSE(result->launched);
        EXPECT_FALSE(result->errorString.isEmpty());
    }
    EXPECT_EQ(ProcessRunner::shared().runningCount(), 0) << "a failed launch kept its slot";
}

TEST_F(ProcessRunnerTest, ChattyProcessDoesNotBlockOnAFullPipe)
{
    // 1 MiB on stdout: far beyond a pipe buffer.
    const auto r = runScript(QStringLiteral("head -c 1048576 /dev/zero"));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->exitCode, 0);
    EXPECT_EQ(r->standardOutput.size(), 1048576);
}

TEST_F(ProcessRunnerTest, NeverRunsMoreThanTheLimit)
{
    // Each job records its start and end in a shared file; the log shows the overlap.
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("log"));
    ProcessRunner::shared().setMaxConcurrent(3);
    constexpr int kJobs = 9;
    std::vector<int> completed;
    int maxSeen = 0;
    for (int i = 0; i < kJobs; ++i) {
        const QString script = QStringLiteral("echo start %1 >> '%2'; sleep 0.1; echo end %1 >> '%2'").arg(i).arg(log);
        ProcessRunner::shared().launch(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script},
                                       [&, i](const ProcessResult& r) {
                                           EXPECT_EQ(r.exitCode, 0);
                                           completed.push_back(i);
                                       });
        maxSeen = std::max(maxSeen, ProcessRunner::shared().runningCount());
    }
    EXPECT_EQ(ProcessRunner::shared().runningCount(), 3);
    EXPECT_EQ(ProcessRunner::shared().pendingCount(), static_cast<std::size_t>(kJobs - 3));
    ASSERT_TRUE(runMainLoopUntil([&] {
        maxSeen = std::max(maxSeen, ProcessRunner::shared().runningCount());
        return completed.size() == kJobs;
    }, 30000));
    EXPECT_LE(maxSeen, 3);

    QFile f(log);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    int live = 0;
    int peak = 0;
    int starts = 0;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith("start")) {
            ++starts;
            peak = std::max(peak, ++live);
        } else if (line.startsWith("end")) {
            --live;
        }
    }
    EXPECT_EQ(starts, kJobs);
    EXPECT_LE(peak, 3);
}

TEST_F(ProcessRunnerTest, WaitingJobsStartInLaunchOrder)
{
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("log"));
    ProcessRunner::shared().setMaxConcurrent(1);
    std::vector<QString> events;
    for (int i = 0; i < 5; ++i) {
        const QString script = QStringLiteral("echo %1 >> '%2'").arg(i).arg(log);
        ProcessRunner::shared().launch(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script},
                                       [&, i](const ProcessResult&) { events.push_back(QString::number(i)); });
    }
    ASSERT_TRUE(runMainLoopUntil([&] { return events.size() == 5; }, 30000));
    const std::vector<QString> expected{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"),
                                        QStringLiteral("3"), QStringLiteral("4")};
    EXPECT_EQ(events, expected);
    QFile f(log);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("0\n1\n2\n3\n4\n"));
}
