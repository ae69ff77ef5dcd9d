// The import driver's Adobe XD road refuses what it cannot run before it touches anything.

#include "ImportDriverProcess.h"
#include "XDPluginFolder.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace {

struct ArgumentsCase {
    std::string name;
    QStringList arguments;
    std::string complaint;
};

TEST(XDImportDriverArguments, RefusesWrongXDArgumentsWithUsageStatus)
{
    QTemporaryDir work;
    const QString file = work.filePath(QStringLiteral("export.xdzvusk"));
    ASSERT_TRUE(writeFileBytes(file, "not a folder"));
    const QStringList base{QStringLiteral("--service"), QStringLiteral("http://127.0.0.1:1"), QStringLiteral("--email"),
                           QStringLiteral("e"), QStringLiteral("--password"), QStringLiteral("p"),
                           QStringLiteral("--project"), QStringLiteral("p1")};
    const QString xd = QStringLiteral("--xd");
    const std::vector<ArgumentsCase> cases = {
        {"a file where the export folder goes", base + QStringList{xd, file}, "--xd takes the plug-in's export folder"},
        {"a folder that is not there", base + QStringList{xd, work.filePath(QStringLiteral("gone"))},
         "--xd takes the plug-in's export folder"},
        {"a port that is no number", base + QStringList{xd, QStringLiteral("--ws-port"), QStringLiteral("web")},
         "--ws-port takes a port number"},
        {"a port out of range", base + QStringList{xd, QStringLiteral("--ws-port"), QStringLiteral("65536")},
         "--ws-port takes a port number"},
        {"a negative port", base + QStringList{xd, QStringLiteral("--ws-port"), QStringLiteral("-1")},
         "--ws-port takes a port number"},
        {"a message without --xd", base + QStringList{QStringLiteral("--message"), QStringLiteral("{}"), file},
         "--message belongs to --xd"},
        {"a port without --xd", base + QStringList{QStringLiteral("--ws-port"), QStringLiteral("9221"), file},
         "--ws-port belongs to --xd"},
        {"a home that is not there", base + QStringList{xd, QStringLiteral("--home"), work.filePath(QStringLiteral("nobody"))},
         "--home takes an existing folder"},
        {"a home that is a file", base + QStringList{QStringLiteral("--home"), file, file}, "--home takes an existing folder"},
        {"no FILE on the Sketch road still", base, "are required"},
        {"a message without its text", base + QStringList{xd, QStringLiteral("--message")}, "--message needs a value"},
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

TEST(XDImportDriverArguments, AnExportAlreadyInTheHomeIsNeitherReplacedNorMixedWithAnother)
{
    // The first run leaves the plug-in's folder in the home; a second export is refused there
    // before the service is asked anything (no service listens on port 1).
    QTemporaryDir work;
    const QString home = work.filePath(QStringLiteral("home"));
    QDir().mkpath(home);
    XDPluginFolder first(work.filePath(QStringLiteral("first")));
    first.artboard("A1", XDPluginFolder::node("A1", "Home", 0, 0, 10, 10), XDPluginFolder::png(3, 3));
    XDPluginFolder second(work.filePath(QStringLiteral("second")));
    second.artboard("B2", XDPluginFolder::node("B2", "Other", 0, 0, 10, 10), XDPluginFolder::png(4, 4));

    const QUrl nowhere(QStringLiteral("http://127.0.0.1:1"));
    const QStringList inHome{QStringLiteral("--home"), home, QStringLiteral("--timeout"), QStringLiteral("60")};
    const DriverOutcome placed = ImportDriverProcess::run(ImportDriverProcess::xdArguments(nowhere, "p1", first.root(), inHome));
    ASSERT_EQ(placed.exitCode, 1) << placed.lastLine();
    EXPECT_EQ(placed.lastLine().substr(0, 16), "failed sign-in: ") << placed.lastLine();
    const QString pluginFolder = QString::fromStdString(placed.valueOf("plugin-folder "));
    ASSERT_TRUE(XDPluginFolder::contents(pluginFolder) == XDPluginFolder::contents(first.root()));

    const DriverOutcome refused = ImportDriverProcess::run(ImportDriverProcess::xdArguments(nowhere, "p1", second.root(), inHome));
    EXPECT_FALSE(refused.crashed);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.lines, (std::vector<std::string>{"failed cannot put the XD export in place: there is already "
                                                       "something at " + pluginFolder.toStdString()}));
    EXPECT_TRUE(XDPluginFolder::contents(pluginFolder) == XDPluginFolder::contents(first.root()));
}

} // namespace
