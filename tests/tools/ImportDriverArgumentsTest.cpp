// The import driver refuses what it cannot run before it touches anything.

#include "ImportDriverProcess.h"

#include <gtest/gtest.h>

namespace {

struct ArgumentsCase {
    std::string name;
    QStringList arguments;
    std::string complaint;
};

TEST(ImportDriverArguments, RefusesIncompleteOrWrongArgumentsWithUsageStatus)
{
    const QStringList base{QStringLiteral("--service"), QStringLiteral("http://127.0.0.1:1"), QStringLiteral("--email"),
                           QStringLiteral("e"), QStringLiteral("--password"), QStringLiteral("p")};
    const std::vector<ArgumentsCase> cases = {
        {"no project", base + QStringList{QStringLiteral("x.zvusk")}, "are required"},
        {"no file", base + QStringList{QStringLiteral("--project"), QStringLiteral("p1")}, "are required"},
        {"unknown answer", base + QStringList{QStringLiteral("--project"), QStringLiteral("p1"), QStringLiteral("--answer"),
                                              QStringLiteral("maybe"), QStringLiteral("x.zvusk")},
         "--answer takes continue or cancel"},
        {"time-out of zero", base + QStringList{QStringLiteral("--project"), QStringLiteral("p1"), QStringLiteral("--timeout"),
                                                QStringLiteral("0"), QStringLiteral("x.zvusk")},
         "positive number of seconds"},
        {"an option without its value", base + QStringList{QStringLiteral("--project")}, "--project needs a value"},
        {"unknown option", base + QStringList{QStringLiteral("--fast"), QStringLiteral("x.zvusk")}, "unknown option --fast"},
        {"two files", base + QStringList{QStringLiteral("--project"), QStringLiteral("p1"), QStringLiteral("a.zvusk"),
                                         QStringLiteral("b.zvusk")},
         "only one FILE"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DriverOutcome outcome = ImportDriverProcess::run(c.arguments);
        EXPECT_FALSE(outcome.crashed);
        EXPECT_EQ(outcome.exitCode, 64);
        EXPECT_NE(outcome.errorOutput.find(c.complaint), std::string::npos) << outcome.errorOutput;
        EXPECT_TRUE(outcome.lines.empty());
    }
}

} // namespace
