// The editor driver (tools/editor-driver) as a process against the stand-in service, on a screen
// uploaded through the import driver: what it prints after each action, and how it ends when a
// reply it waits for fails or does not come.

#include "GeneratedSketchDocument.h"
#include "ImportDriverProcess.h"

#include "support/StandinService.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <memory>
#include <string>
#include <vector>

namespace {

using G = GeneratedSketchDocument;
using Lines = std::vector<std::string>;

// One screen: a rectangle whose left edge lies between two pixels and an instance of a master.
GeneratedSketchDocument driverDocument()
{
    GeneratedSketchDocument d;
    d.addPage("P1", {G::artboard("A1", "Home", G::frame(0, 0, 375, 812),
                                 {G::layer("E1", "Edge", G::frame(20.3, 100, 100, 50)),
                                  G::symbolInstance("X1", "SYM-A", G::frame(0, 300, 60, 40))}),
                     G::symbolMaster("MA", "SYM-A", "Button", G::frame(1000, 0, 60, 40))});
    return d;
}

class EditorDriverEndToEnd : public ::testing::Test {
protected:
    // The screen is uploaded once; every case starts a stand-in of its own on the same data.
    static void SetUpTestSuite()
    {
        data = new QTemporaryDir;
        StandinService::Options options;
        options.dataDir = data->filePath(QStringLiteral("data"));
        StandinService service(options);
        ASSERT_TRUE(service.isRunning()) << service.errorText().toStdString();
        const QString document = data->filePath(QStringLiteral("Driver.sketch"));
        QString error;
        ASSERT_TRUE(driverDocument().write(document, &error)) << error.toStdString();
        const QString exportFile = data->filePath(QStringLiteral("driver.zvusk"));
        QProcess writer;
        writer.start(QStringLiteral(QUORVEX_ZVUSK_WRITER_PATH), {QStringLiteral("--output"), exportFile, document});
        ASSERT_TRUE(writer.waitForFinished(60000));
        ASSERT_EQ(writer.exitCode(), 0) << writer.readAllStandardError().toStdString();
        const DriverOutcome upload = ImportDriverProcess::run(ImportDriverProcess::arguments(
            service.baseUrl(), "demo-ios", exportFile, {QStringLiteral("--timeout"), QStringLiteral("300")}));
        ASSERT_EQ(upload.exitCode, 0) << upload.lastLine() << "\n" << upload.errorOutput;
    }
    static void TearDownTestSuite()
    {
        delete data;
        data = nullptr;
    }

    // Runs the driver on screen A1 against a stand-in that answers `script` first, on a copy of
    // the uploaded data (a deleted instance stays deleted in the stand-in's data).
    DriverOutcome drive(const std::string& script, const QStringList& actions, int timeoutSeconds = 600)
    {
        QTemporaryDir copy;
        const QDir from(data->filePath(QStringLiteral("data")));
        QDirIterator files(from.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString file = files.next();
            const QString target = copy.filePath(from.relativeFilePath(file));
            QDir().mkpath(QFileInfo(target).path());
            QFile::copy(file, target);
        }
        StandinService::Options options;
        options.dataDir = copy.path();
        options.scriptJson = script;
        StandinService service(options);
        if (!service.isRunning()) {
            DriverOutcome none;
            none.errorOutput = service.errorText().toStdString();
            return none;
        }
        QStringList arguments{QStringLiteral("--service"), service.baseUrl().toString(), QStringLiteral("--email"),
                              QStringLiteral("demo@example.com"), QStringLiteral("--password"), QStringLiteral("demo"),
                              QStringLiteral("--project"), QStringLiteral("demo-ios"), QStringLiteral("--artboard"),
                              QStringLiteral("A1"), QStringLiteral("--timeout"), QString::number(timeoutSeconds)};
        // A driver that waits out its whole time limit fails the test by this bound.
        return ImportDriverProcess::runProgram(QStringLiteral(QUORVEX_EDITOR_DRIVER_PATH), arguments + actions, 180'000);
    }

    static QTemporaryDir* data;
};

QTemporaryDir* EditorDriverEndToEnd::data = nullptr;

// A script of the stand-in: requests to `path` (after letting `after` of them pass) get an error
// reply with `message`, or, with a delay, an answer that comes too late.
std::string refusing(const std::string& path, int after, const std::string& message, int delayMs = 0)
{
    const boost::json::object entry{{"path", path},
                                    {"after", after},
                                    {"delayMs", delayMs},
                                    {"body", {{"errorModel", {{"errorId", 5002}, {"errorMsg", message}}}}}};
    return boost::json::serialize(boost::json::array{entry});
}

QStringList words(const char* text)
{
    return QString::fromUtf8(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// Points of a high-density screen have fractions; the rectangle's left edge lies at 20.3.
TEST_F(EditorDriverEndToEnd, FractionalPointsAreSentAsTheyAre)
{
    const struct {
        const char* actions;
        Lines printed;
    } cases[] = {
        {"click 20.4,120", {"selection E1", "outline E1 20.3 100 100 50", "border 20.3 100 100 50", "finished"}},
        {"click 20.2,120", {"selection", "finished"}},
        {"band 10,99.5,20.35,150.5", {"selection E1", "outline E1 20.3 100 100 50", "border 20.3 100 100 50", "finished"}},
        {"band 10,99.5,20.25,150.5", {"selection", "finished"}},
        {"hover 20.4,120.25", {"selection", "finished"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.actions);
        const DriverOutcome outcome = drive({}, words(c.actions));
        EXPECT_EQ(outcome.exitCode, 0) << outcome.errorOutput;
        EXPECT_EQ(outcome.lines, c.printed);
    }
}

// The canvas menu of a right click was printed again after a later side-page action.
TEST_F(EditorDriverEndToEnd, EachActionPrintsOnlyTheMenuItOpened)
{
    const DriverOutcome outcome = drive({}, words("right-click 30,120 rows 0 click 30,120"));
    EXPECT_EQ(outcome.exitCode, 0) << outcome.errorOutput;
    const Lines selected{"selection E1", "outline E1 20.3 100 100 50", "border 20.3 100 100 50"};
    Lines expected = selected;
    expected.push_back("menu Convert to ..");
    expected.insert(expected.end(), selected.begin(), selected.end());
    expected.insert(expected.end(), selected.begin(), selected.end());
    expected.push_back("finished");
    EXPECT_EQ(outcome.lines, expected);
}

// A failed reply ended nothing: the driver waited out its whole time limit, or printed
// "finished" and exited 0 after the reload of a deleted instance never came.
TEST_F(EditorDriverEndToEnd, AFailedOrMissingReplyEndsTheRunAtOnceNamingIt)
{
    const struct {
        const char* name;
        std::string script;
        const char* actions;
        int timeoutSeconds;
        Lines printed;
    } cases[] = {
        {"refused detail", refusing("main/detailInfo", 0, "Detail refused."), "click 30,120", 600,
         {"failed the screen's detail (main/detailInfo): Detail refused."}},
        // the thumbnail of the screens grid asks first
        {"refused preview link", refusing("resource/downloadArtboardPreview", 1, "Preview refused."), "click 30,120", 600,
         {"failed the preview's link (resource/downloadArtboardPreview): Preview refused."}},
        {"refused reload after a deleted instance", refusing("main/detailInfo", 1, "Reload refused."), "delete-instance 1", 600,
         {"request components/deleteComponentInstance", "request main/detailInfo",
          "failed delete-instance: the reload (main/detailInfo): Reload refused."}},
        {"reload later than the time limit", refusing("main/detailInfo", 1, "Late.", 600'000), "delete-instance 1", 15,
         {"request components/deleteComponentInstance", "request main/detailInfo",
          "failed delete-instance: the reload (main/detailInfo): no reply within the time limit"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DriverOutcome outcome = drive(c.script, words(c.actions), c.timeoutSeconds);
        EXPECT_FALSE(outcome.crashed) << "still waiting";
        EXPECT_EQ(outcome.exitCode, 1) << outcome.errorOutput;
        EXPECT_EQ(outcome.lines, c.printed);
    }
}

} // namespace
