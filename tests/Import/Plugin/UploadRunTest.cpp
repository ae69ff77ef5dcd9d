// Whole Sketch upload runs against the stand-in service and the stand-in Sketch tool, both started
// as real processes. What a run reports, and what reaches the service, is recorded in order and
// compared with the expected lists.

#include "Import/Plugin/UploadRunTestKit.h"
#include "Import/Sketch/SketchDesignImporter.h"
#include "platform/DebugLog.h"
#include "platform/ProcessRunner.h"
#include "platform/ScriptedDialogPresenter.h"
#include "support/StandinService.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <optional>
#include <string>
#include <vector>

using namespace uploadkit;
using Strings = std::vector<std::string>;

namespace {

const std::string kProject = "demo-ios";
const std::string kPreparing = SketchUploadRun::kArtboardsPreparingText;

class UploadRun : public ::testing::Test {
protected:
    void SetUp() override { previousCap = platform::ProcessRunner::shared().maxConcurrent(); }
    void TearDown() override
    {
        platform::ProcessRunner::shared().setMaxConcurrent(previousCap);
        platform::setDebugCapture(nullptr);
        signOut();
    }

    void startService(const std::string& script = {})
    {
        StandinService::Options options;
        options.scriptJson = script;
        service.emplace(options);
        ASSERT_TRUE(service->isRunning()) << service->errorText().toStdString();
        ASSERT_TRUE(signIn());
        service->clearRecords();
    }

    QString writeDocument(const std::vector<PageFile>& pages, const QString& name = QStringLiteral("design.sketch"))
    {
        const QString path = sources.filePath(name);
        EXPECT_TRUE(writeSketchDocument(path, pages));
        return path;
    }

    // Artboard A ("Home") with image I ("icon"), and artboard B ("Plain") without images.
    QString simpleDocument()
    {
        return writeDocument({pageFile("1.json", page("P", {artboard("A", "Home", {layer("I", "icon", frame(2, 2, 20, 20), {"png"})}),
                                                            artboard("B", "Plain")}))});
    }

    std::shared_ptr<SketchUploadRun> start(const SketchExportInfoDocument& info, const std::string& platform = "iOS",
                                           bool shouldUploadDesign = false)
    {
        return SketchUploadRun::start(info, kProject, platform, shouldUploadDesign, recorder.completions(), queue);
    }

    bool sawEvent(const std::string& event) const
    {
        for (const auto& e : recorder.events)
            if (e == event) return true;
        return false;
    }

    std::vector<boost::json::object> recordsFor(const std::string& path) const
    {
        std::vector<boost::json::object> found;
        for (auto& r : service->records())
            if (r.at("path") == boost::json::value(path)) found.push_back(r);
        return found;
    }

    void release(const QString& name) { writeFileBytes(tool.folder() + QLatin1Char('/') + name, "go"); }
    boost::json::object waitingRule(const QString& name) const
    {
        return {{"waitFor", (tool.folder() + QLatin1Char('/') + name).toStdString()}};
    }

    int previousCap = 0;
    DataFolder data;
    SketchToolStandin tool;
    platform::ScriptedDialogPresenter dialogs;
    std::optional<StandinService> service;
    QTemporaryDir sources;
    platform::OperationQueue queue;
    RunRecorder recorder;
};

TEST_F(UploadRun, ProgressReportsComeInTheOrderOfTheReplies)
{
    // Artboard 1 has three images and uses the master, which has two; artboard 2 has none.
    // Total: 3 x 2 artboards + 1 master = 7 steps.
    const QString path = writeDocument({pageFile(
        "1.json",
        page("P", {artboard("A1", "Artboard 1",
                            {layer("I1", "one", frame(0, 0, 10, 10), {"png"}), layer("I2", "two", frame(0, 0, 10, 10), {"png"}),
                             layer("I3", "three", frame(0, 0, 10, 10), {"png"}), symbolInstance("X1", "SYM")}),
                   artboard("A2", "Artboard 2"),
                   symbolMaster("M", "SYM", "Master",
                                {layer("M1", "m one", frame(0, 0, 10, 10), {"png"}), layer("M2", "m two", frame(0, 0, 10, 10), {"png"})}),
                   symbolMaster("U", "UNUSED", "Unused")}))});
    // The previews and the images of artboard 1 wait until the test lets them go, so the replies
    // come in the order of the example.
    platform::ProcessRunner::shared().setMaxConcurrent(8);
    auto images = waitingRule(QStringLiteral("images"));
    tool.setControl({{"items", {{"A1", waitingRule(QStringLiteral("A1"))}, {"A2", waitingRule(QStringLiteral("A2"))},
                                {"I1", images}, {"I2", images}, {"I3", images}}}});
    Strings counters;
    platform::setDebugCapture([&counters](const QString& line) {
        if (line.contains(QStringLiteral("current"))) counters.push_back(line.toStdString());
    });
    startService();
    dialogs.queueButton(QStringLiteral("Continue")); // artboard 2 has no images

    const auto run = start(exportInfo(path, {"A1", "A2"}, SketchToolStandin::executable()));
    ASSERT_TRUE(waitFor([&] { return sawEvent("step:Master:42.86") || recorder.ended; }));
    release(QStringLiteral("A1"));
    ASSERT_TRUE(waitFor([&] { return sawEvent("export:Artboard 1:57.14") || recorder.ended; }));
    release(QStringLiteral("A2"));
    ASSERT_TRUE(waitFor([&] { return sawEvent("step:Artboard 2:85.71") || recorder.ended; }));
    release(QStringLiteral("images"));
    ASSERT_TRUE(waitFor([&] { return recorder.ended; }));
    settle();

    EXPECT_EQ(recorder.events, (Strings{"step:" + kPreparing + ":28.57", "step:Master:42.86", "export:Artboard 1:57.14",
                                        "export:Artboard 2:71.43", "step:Artboard 2:85.71", "step:Artboard 1:100.00"}));
    EXPECT_EQ(run->state(), SketchUploadRun::State::finished);
    EXPECT_EQ(run->totalSteps(), 7.0);
    EXPECT_EQ(counters, (Strings{"ExportUploadOperation - currentUploadedStep: 2.0",
                                 "ExportPreviewPrepareUploadOperation - currentPrepareStep: 1.0",
                                 "ExportPreviewPrepareUploadOperation - currentPrepareStep: 2.0",
                                 "ExportImagePrepareUploadOperation else - currentUploadedStep: 3.0",
                                 "ExportImagePrepareUploadOperation - currentUploadedStep: 4.0"}));

    const auto paths = service->recordedPaths();
    ASSERT_FALSE(paths.empty());
    EXPECT_EQ(paths.front(), "import/newScreensFromSketch");
    EXPECT_EQ(recordsFor("import/newScreensFromSketch").size(), 1u);
    // Two previews and four scales of five images (three of artboard 1, two of the master).
    EXPECT_EQ(recordsFor("resource/uploadResource").size(), 22u);
    EXPECT_TRUE(recordsFor("resource/uploadDesignFile").empty());

    const auto imports = recordsFor("import/newScreensFromSketch");
    const auto& import = imports.at(0).at("body").as_object();
    EXPECT_EQ(import.at("appVersion"), "99");
    EXPECT_EQ(import.at("platform"), "iOS");
    EXPECT_EQ(import.at("artboards").as_array().size(), 2u);
    EXPECT_EQ(import.at("symbolMasters").as_array().size(), 2u) << "every master goes into the import, used or not";
    EXPECT_EQ(import.at("textStyles").as_array().size(), 1u);
    EXPECT_EQ(import.at("layerStyles").as_array().size(), 1u);
}

TEST_F(UploadRun, AMasterUsedTwiceCountsOnceAndOneWithoutImagesIsReportedWhileQueuing)
{
    const QString path = writeDocument({pageFile(
        "1.json", page("P", {artboard("A1", "One", {symbolInstance("X1", "SYM")}),
                             artboard("A2", "Two", {symbolInstance("X2", "SYM"), symbolInstance("X3", "BARE")}),
                             symbolMaster("M", "SYM", "Shared", {layer("M1", "m", frame(0, 0, 10, 10), {"png"})}),
                             symbolMaster("N", "BARE", "Bare")}))});
    startService();
    dialogs.queueButton(QStringLiteral("Continue")); // the artboards hold no images of their own
    const auto run = start(exportInfo(path, {"A1", "A2"}, SketchToolStandin::executable()));
    ASSERT_TRUE(waitFor([&] { return recorder.ended; }));
    settle();

    EXPECT_EQ(run->totalSteps(), 8.0);
    ASSERT_EQ(recorder.events.size(), 7u);
    EXPECT_EQ(recorder.events[0], "step:Bare:12.50");
    EXPECT_EQ(recorder.events[1], "step:" + kPreparing + ":37.50");
    EXPECT_EQ(recorder.events.back().substr(recorder.events.back().size() - 7), ":100.00");
    std::size_t sharedUploads = 0;
    for (const auto& r : recordsFor("resource/uploadResource")) sharedUploads += StandinService::bodyString(r, "artboardId") == "SYM";
    EXPECT_EQ(sharedUploads, 4u);
}

struct RefusedImportCase {
    std::string name;
    std::string reply;
    std::string failure;
};

TEST_F(UploadRun, ResourcesAreNeverSentForARefusedImport)
{
    const std::vector<RefusedImportCase> cases = {
        {"status false", R"({"status": false})", "failure::The service did not accept the artboards."},
        {"error id", R"({"errorModel": {"errorId": 20001, "errorMsg": "No such project."}})", "failure::No such project."},
    };
    const QString path = simpleDocument();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        recorder = RunRecorder();
        // The reply comes late, so the previews are cut and waiting when it arrives.
        startService(R"([{"path": "import/newScreensFromSketch", "delayMs": 800, "body": )" + c.reply + "}]");
        const auto run = start(exportInfo(path, {"A"}, SketchToolStandin::executable()), "iOS", true);
        ASSERT_TRUE(waitFor([&] { return recorder.ended; }));
        settle();
        EXPECT_EQ(recorder.events, Strings{c.failure});
        EXPECT_EQ(service->recordedPaths(), Strings{"import/newScreensFromSketch"});
        EXPECT_EQ(run->state(), SketchUploadRun::State::failed);
        EXPECT_TRUE(dialogs.shown().empty());
    }
}

TEST_F(UploadRun, StatusFalseMidChainStopsTheRunWithTheImagesName)
{
    // The preview, then the first two scales of the image are accepted; the third is refused.
    startService(R"([{"path": "resource/uploadResource", "times": 3, "body": {"status": true}},
                     {"path": "resource/uploadResource", "body": {"status": false}}])");
    const auto run = start(exportInfo(simpleDocument(), {"A"}, SketchToolStandin::executable()));
    ASSERT_TRUE(waitFor([&] { return recorder.ended; }));
    settle();
    EXPECT_EQ(recorder.events, (Strings{"step:" + kPreparing + ":33.33", "export:Home:66.67",
                                        "failure:icon:The service did not accept the image at scale 3 (png)."}));
    EXPECT_EQ(recordsFor("resource/uploadResource").size(), 4u);
    EXPECT_EQ(run->state(), SketchUploadRun::State::failed);
}

struct ToolFailureCase {
    std::string name;
    boost::json::object control;
    std::string failure;
};

TEST_F(UploadRun, FailedCutsFailTheRunWithWhatWasBeingCut)
{
    const std::vector<ToolFailureCase> cases = {
        {"preview: exit status", {{"items", {{"A", {{"mode", "exit"}, {"status", 2}, {"write", true}}}}}},
         "failure:Home:Sketch's command-line tool failed (exit status 2)."},
        {"preview: signal", {{"items", {{"A", {{"mode", "signal"}}}}}},
         "failure:Home:Sketch's command-line tool stopped unexpectedly."},
        {"preview: no file", {{"items", {{"A", {{"mode", "nofile"}}}}}},
         "failure:Home:Sketch's command-line tool did not write the expected file."},
        {"preview: not an image", {{"items", {{"A", {{"mode", "garbage"}}}}}}, "failure:Home:The artboard's preview holds no image."},
        {"image: signal at scale 2", {{"items", {{"I", {{"scale", "2.0"}, {"mode", "signal"}}}}}},
         "failure:icon:Sketch's command-line tool stopped unexpectedly."},
        {"image: empty file", {{"items", {{"I", {{"format", "pdf"}, {"mode", "empty"}}}}}},
         "failure:icon:The exported file “I.pdf” could not be read."},
    };
    const QString path = simpleDocument();
    startService();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        recorder = RunRecorder();
        tool.setControl(c.control);
        const auto run = start(exportInfo(path, {"A"}, SketchToolStandin::executable()));
        ASSERT_TRUE(waitFor([&] { return recorder.ended; }));
        settle();
        ASSERT_FALSE(recorder.events.empty());
        EXPECT_EQ(recorder.events.back(), c.failure);
        EXPECT_FALSE(sawEvent("step:Home:100.00"));
        EXPECT_EQ(run->state(), SketchUploadRun::State::failed);
    }
}

struct RefusedRunCase {
    std::string name;
    std::optional<SketchExportInfoDocument> info;
    std::string failure;
};

TEST_F(UploadRun, RunsThatCannotWorkAreRefusedBeforeAnythingIsSent)
{
    const QString path = simpleDocument();
    const QString notExecutable = sources.filePath(QStringLiteral("sketchtool"));
    writeFileBytes(notExecutable, "#!/bin/sh\n");
    const std::vector<RefusedRunCase> cases = {
        {"no export record", std::nullopt,
         "failure::There is no Sketch export to upload. Export the artboards from Sketch again."},
        {"no tool path", exportInfo(path, {"A"}, std::nullopt),
         "failure::Sketch's command-line tool was not found at “”. Export the artboards from Sketch again."},
        {"tool not executable", exportInfo(path, {"A"}, notExecutable.toStdString()),
         "failure::Sketch's command-line tool was not found at “" + notExecutable.toStdString()
             + "”. Export the artboards from Sketch again."},
        {"no chosen artboard in the document", exportInfo(path, {"GONE"}, SketchToolStandin::executable()),
         "failure:" + path.toStdString() + ":None of the chosen artboards is in the Sketch document."},
    };
    startService();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        recorder = RunRecorder();
        const auto run = SketchUploadRun::start(c.info, kProject, "iOS", true, recorder.completions(), queue);
        EXPECT_TRUE(recorder.events.empty()) << "reported from inside start()";
        ASSERT_TRUE(waitFor([&] { return recorder.ended; }));
        settle();
        EXPECT_EQ(recorder.events, Strings{c.failure});
    }
    EXPECT_TRUE(service->records().empty());
    EXPECT_TRUE(tool.startedArguments().empty());
}

TEST_F(UploadRun, AMissingDocumentFailsTheRun)
{
    startService();
    start(exportInfo(sources.filePath(QStringLiteral("gone.sketch")), {"A"}, SketchToolStandin::executable()));
    ASSERT_TRUE(waitFor([&] { return recorder.ended; }));
    ASSERT_EQ(recorder.events.size(), 1u);
    EXPECT_EQ(recorder.events[0].rfind("failure:", 0), 0u);
    EXPECT_TRUE(service->records().empty());
}

struct QuestionCase {
    QString button;
    std::string firstEvent;
    bool importSent;
};

TEST_F(UploadRun, ArtboardsWithoutImagesAreAskedAboutFirst)
{
    const QString path = simpleDocument();
    startService();
    const std::vector<QuestionCase> cases = {{QStringLiteral("Cancel"), "cancel", false},
                                             {QStringLiteral("Continue"), "step:" + kPreparing + ":33.33", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button.toStdString());
        recorder = RunRecorder();
        service->clearRecords();
        dialogs.clear();
        dialogs.queueButton(c.button);
        const auto run = start(exportInfo(path, {"A", "B"}, SketchToolStandin::executable()));
        ASSERT_TRUE(waitFor([&] { return recorder.ended; }));
        settle();
        ASSERT_EQ(dialogs.shown().size(), 1u);
        EXPECT_TRUE(dialogs.shown()[0].informativeText.contains(QStringLiteral("Plain")));
        ASSERT_FALSE(recorder.events.empty());
        EXPECT_EQ(recorder.events.front(), c.firstEvent);
        EXPECT_EQ(!service->records().empty(), c.importSent);
    }
}

TEST_F(UploadRun, ALaterHandOffDoesNotChangeTheRunningUpload)
{
    const QString first = simpleDocument();
    const QString second = writeDocument({pageFile("1.json", page("P", {artboard("Z", "Other")}))}, QStringLiteral("other.sketch"));
    startService();
    SketchDesignImporter& importer = SketchDesignImporter::importer();
    importer.pluginExportInfo = exportInfo(first, {"A"}, SketchToolStandin::executable());
    auto completions = recorder.completions();
    importer.processDesignFile(kProject, "iOS", false, completions.exportCompletion, completions.stepCompletion,
                               completions.cancelCompletion, completions.failureCompletion);
    // A second export arrives while the first upload runs.
    importer.pluginExportInfo = exportInfo(second, {"Z"}, std::nullopt);

    ASSERT_TRUE(waitFor([&] { return recorder.ended; }));
    EXPECT_TRUE(sawEvent("step:Home:100.00"));
    const auto imports = recordsFor("import/newScreensFromSketch");
    const auto& import = imports.at(0).at("body").as_object();
    ASSERT_EQ(import.at("artboards").as_array().size(), 1u);
    EXPECT_EQ(import.at("artboards").as_array()[0].as_object().at("oid"), "A");
    importer.pluginExportInfo.reset();
}

TEST_F(UploadRun, AFailedDesignUploadIsAWarningShownWhenTheRunHasFinished)
{
    // The document's upload is refused after everything else is done.
    startService(R"([{"path": "resource/uploadDesignFile", "delayMs": 600, "body": {"status": false}}])");
    SketchDesignImporter& importer = SketchDesignImporter::importer();
    importer.pluginExportInfo = exportInfo(simpleDocument(), {"A"}, SketchToolStandin::executable());
    std::optional<std::size_t> warningsAtTheEnd;
    auto completions = recorder.completions();
    auto step = completions.stepCompletion;
    completions.stepCompletion = [&](const std::string& text, double percentage) {
        step(text, percentage);
        if (percentage == 100.0) warningsAtTheEnd = importer.uploadWarnings().size();
    };
    importer.processDesignFile(kProject, "iOS", true, completions.exportCompletion, completions.stepCompletion,
                               completions.cancelCompletion, completions.failureCompletion);
    ASSERT_TRUE(waitFor([&] { return recorder.ended; }));
    settle();

    EXPECT_EQ(recorder.events.back(), "step:Home:100.00");
    EXPECT_EQ(warningsAtTheEnd, std::optional<std::size_t>(1));
    const auto warnings = importer.uploadWarnings();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].what, "design.zip");
    EXPECT_EQ(warnings[0].message, "The service did not accept the Sketch document.");
    importer.pluginExportInfo.reset();
}

TEST_F(UploadRun, ConcurrentCutsNeverExceedTheRunnersCap)
{
    boost::json::array images;
    for (int i = 0; i < 6; ++i) images.push_back(layer("I" + std::to_string(i), "image", frame(0, 0, 8, 8), {"png"}));
    const QString path = writeDocument({pageFile("1.json", page("P", {artboard("A", "Home", images)}))});
    // Each cut takes a little while, so cuts that are allowed to overlap do.
    tool.setControl({{"default", {{"delayMs", 30}}}});
    platform::ProcessRunner::shared().setMaxConcurrent(2);
    startService();
    start(exportInfo(path, {"A"}, SketchToolStandin::executable()), "Android");
    ASSERT_TRUE(waitFor([&] { return recorder.ended; }));

    EXPECT_TRUE(sawEvent("step:Home:100.00"));
    EXPECT_EQ(tool.startedArguments().size(), 1u + 6u * 6u);
    EXPECT_LE(tool.maxRunning(), 2);
}

} // namespace
