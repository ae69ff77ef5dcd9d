// The editor driver (tools/editor-driver) as a process against the stand-in service, on a screen
// uploaded through the import driver: what it prints after each action, the dialogs it names, and
// how it ends when a reply it waits for fails or does not come, or the application signs out.

#include "GeneratedSketchDocument.h"
#include "ImportDriverProcess.h"

#include "support/StandinService.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

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

// A stand-in script entry: the request to `path` after `after` of them passed gets `body`, late by `delayMs`.
boost::json::object scripted(const std::string& path, boost::json::value body, int after = 0, int delayMs = 0)
{
    return {{"path", path}, {"after", after}, {"delayMs", delayMs}, {"body", std::move(body)}};
}

boost::json::object refusal(const std::string& message, const std::string& informative = {}, int errorId = 5002)
{
    return {{"errorModel", {{"errorId", errorId}, {"errorMsg", message}, {"errorInformativeText", informative}}}};
}

// The "[dialog] ..." lines among what a run printed to standard error.
Lines dialogLines(const std::string& errorOutput)
{
    Lines dialogs;
    for (const QString& line : QString::fromStdString(errorOutput).split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("[dialog] "))) dialogs.push_back(line.toStdString());
    return dialogs;
}

// Points with fractions could not be given; the canvas menu of a right click was printed again
// after a later side-page action; a failed reply ended nothing: the driver waited out its whole
// time limit, or printed "finished" and exited 0 after the reload of a deleted instance never came.
// Dialogs were kept without being printed; a sign-out (a 401, a 98002) left the driver
// waiting out its time limit; a delete whose reply never came was taken for done after a while.
TEST(EditorDriverEndToEnd, EachActionPrintsWhatItLeftEveryDialogIsNamedAndADeadEndEndsTheRunNamingIt)
{
    // The screen is uploaded once; every case starts a stand-in of its own on the same data.
    QTemporaryDir work;
    const auto onTheData = [&work](std::string script) {
        StandinService::Options options = StandinService::withScript(std::move(script));
        options.dataDir = work.filePath(QStringLiteral("data"));
        return options;
    };
    {
        StandinService service(onTheData({}));
        ASSERT_TRUE(service.isRunning()) << service.errorText().toStdString();
        const QString exportFile = work.filePath(QStringLiteral("driver.zvusk"));
        QString error;
        ASSERT_TRUE(driverDocument().writeExportFile(work.filePath(QStringLiteral("Driver.sketch")), exportFile, &error))
            << error.toStdString();
        const DriverOutcome upload = ImportDriverProcess::run(ImportDriverProcess::arguments(
            service.baseUrl(), "demo-ios", exportFile, {QStringLiteral("--timeout"), QStringLiteral("300")}));
        ASSERT_EQ(upload.exitCode, 0) << upload.lastLine() << "\n" << upload.errorOutput;
    }
    // Runs the driver on screen A1 against a stand-in that answers `script` first.
    const auto drive = [&onTheData](const boost::json::array& script, const char* actions, int timeoutSeconds) {
        StandinService service(onTheData(boost::json::serialize(script)));
        EXPECT_TRUE(service.isRunning()) << service.errorText().toStdString();
        const QStringList arguments{QStringLiteral("--service"), service.baseUrl().toString(), QStringLiteral("--email"),
                                    QStringLiteral("demo@example.com"), QStringLiteral("--password"), QStringLiteral("demo"),
                                    QStringLiteral("--project"), QStringLiteral("demo-ios"), QStringLiteral("--artboard"),
                                    QStringLiteral("A1"), QStringLiteral("--timeout"), QString::number(timeoutSeconds)};
        // A driver that waits out its whole time limit fails the test by this bound.
        return ImportDriverProcess::runProgram(QStringLiteral(QUORVEX_EDITOR_DRIVER_PATH),
                                               arguments + QString::fromUtf8(actions).split(QLatin1Char(' ')), 180'000);
    };
    const std::string outline = "outline E1 20.3 100 100 50";
    const std::string border = "border 20.3 100 100 50";
    // The stand-in answers the delete without deleting, so every case finds the instance.
    const std::string deletePath = "components/deleteComponentInstance";
    const auto deleted = scripted(deletePath, {{"status", true}});
    const std::string signedOut = "the application signed out (the service ended the session)";
    const struct {
        const char* name;
        boost::json::array script;
        const char* actions; // and options besides the service, the user, the screen and --timeout
        int timeoutSeconds;
        int exitCode;
        Lines printed;
        Lines dialogs;
    } cases[] = {
        // The rectangle's left edge lies at 20.3.
        {"a point just inside", {}, "click 20.4,120", 600, 0, {"selection E1", outline, border, "finished"}, {}},
        {"a point just outside", {}, "click 20.2,120", 600, 0, {"selection", "finished"}, {}},
        {"a menu, then a side page", {}, "right-click 30,120 rows 0", 600, 0,
         {"selection E1", outline, border, "menu Convert to ..", "selection E1", outline, border, "finished"}, {}},
        {"refused detail", {scripted("main/detailInfo", refusal("Detail refused."))}, "click 30,120", 600, 1,
         {"failed the screen's detail (main/detailInfo): Detail refused."}, {"[dialog] Detail refused."}},
        {"refused reload after a deleted instance", {deleted, scripted("main/detailInfo", refusal("Reload refused."), 1)},
         "delete-instance 1", 600, 1,
         {"request components/deleteComponentInstance", "request main/detailInfo",
          "failed delete-instance: the reload (main/detailInfo): Reload refused."},
         {"[dialog] Reload refused."}},
        {"reload later than the time limit", {deleted, scripted("main/detailInfo", refusal("Late."), 1, 600'000)},
         "delete-instance 1", 15, 1,
         {"request components/deleteComponentInstance", "request main/detailInfo",
          "failed delete-instance: the reload (main/detailInfo): no reply within the time limit"},
         {}},
        // The preview asked for after the reload (the thumbnail's and the opened screen's come
        // first) is refused during the pause, outside any wait; the second delete is refused.
        {"two dialogs",
         {scripted(deletePath, refusal("Delete refused.", "The instance is locked."), 1), deleted,
          scripted("resource/downloadArtboardPreview", refusal("Preview refused.", "Line one\nline two"), 2, 500)},
         "--pause 3 delete-instance 1 delete-instance 1", 600, 1,
         {"request components/deleteComponentInstance", "request main/detailInfo",
          "request resource/downloadArtboardPreview", "request components/deleteComponentInstance",
          "failed delete-instance (components/deleteComponentInstance): Delete refused. (The instance is locked.)"},
         {"[dialog] Preview refused.: Line one / line two", "[dialog] Delete refused.: The instance is locked."}},
        // A sign-out calls nothing back: only the driver's own watch can end these runs early.
        {"a 401 on the detail", {{{"path", "main/detailInfo"}, {"status", 401}}}, "click 30,120", 600, 1,
         {"failed the screen's detail (main/detailInfo): " + signedOut}, {}},
        {"a 98002 on the delete", {scripted(deletePath, refusal("Session ended.", "", 98002))},
         "delete-instance 1", 600, 1,
         {"request components/deleteComponentInstance",
          "failed delete-instance (components/deleteComponentInstance): " + signedOut},
         {}},
        {"a delete whose reply never comes", {scripted(deletePath, {{"status", true}}, 0, 600'000)},
         "delete-instance 1", 15, 1,
         {"request components/deleteComponentInstance",
          "failed delete-instance (components/deleteComponentInstance): no reply within the time limit"},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DriverOutcome outcome = drive(c.script, c.actions, c.timeoutSeconds);
        EXPECT_FALSE(outcome.crashed) << "still waiting";
        EXPECT_EQ(outcome.exitCode, c.exitCode) << outcome.errorOutput;
        EXPECT_EQ(outcome.lines, c.printed);
        EXPECT_EQ(dialogLines(outcome.errorOutput), c.dialogs);
    }
}

} // namespace
