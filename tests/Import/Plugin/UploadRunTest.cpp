// Whole Sketch upload runs against the stand-in service and the stand-in Sketch tool, both started
// as real processes, where the end-to-end tests cannot reach: exact report order, failures
// injected mid-chain, tool failures, changes made while a run goes on, the process cap.

#include "Account/UserProfile.h"
#include "Import/Plugin/UploadRunTestKit.h"
#include "Import/Sketch/FileExporter.h"
#include "Import/Sketch/SketchDesignImporter.h"
#include "platform/Archive.h"
#include "platform/DebugLog.h"
#include "platform/ProcessRunner.h"
#include "platform/ScriptedDialogPresenter.h"
#include "support/StandinService.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
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
        UserProfile::shared().clear();
    }

    void startService(const std::string& script = {})
    {
        StandinService::Options options;
        options.scriptJson = script;
        service.emplace(options);
        ASSERT_TRUE(service->isRunning()) << service->errorText().toStdString();
        ASSERT_TRUE(service->signInDemoUser());
        service->clearRecords();
    }

    QString writeDocument(const std::vector<PageFile>& pages, const QString& name = QStringLiteral("design.sketch"))
    {
        const QString path = sources.filePath(name);
        EXPECT_TRUE(writeSketchDocument(path, pages));
        return path;
    }

    // Artboard A ("Home") with image I ("icon").
    QString simpleDocument()
    {
        return writeDocument({pageFile("1.json", page("P", {artboard("A", "Home", {layer("I", "icon", frame(2, 2, 20, 20), {"png"})})}))});
    }

    std::shared_ptr<SketchUploadRun> start(const SketchExportInfoDocument& info, const std::string& platform = "iOS",
                                           bool shouldUploadDesign = false)
    {
        return SketchUploadRun::start(info, kProject, platform, shouldUploadDesign, recorder.completions(), queue);
    }

    bool sawEvent(const std::string& event) const
    {
        return std::find(recorder.events.begin(), recorder.events.end(), event) != recorder.events.end();
    }

    std::size_t countOf(const std::string& path) const
    {
        const Strings paths = service->recordedPaths();
        return static_cast<std::size_t>(std::count(paths.begin(), paths.end(), path));
    }

    void release(const QString& name) { writeFileBytes(tool.folder() + QLatin1Char('/') + name, "go"); }
    boost::json::object waitingRule(const QString& name) const
    {
        return {{"waitFor", QString(tool.folder() + QLatin1Char('/') + name).toStdString()}};
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
    ASSERT_FALSE(service->recordedPaths().empty());
    EXPECT_EQ(service->recordedPaths().front(), "import/newScreensFromSketch");
    // Two previews and four scales of five images (three of artboard 1, two of the master).
    EXPECT_EQ(countOf("resource/uploadResource"), 22u);
}

// What the service refuses stops the run at once, naming what was refused.
TEST_F(UploadRun, RefusalsOfTheServiceStopTheRun)
{
    const QString images = simpleDocument();
    const QString noImages = writeDocument({pageFile("1.json", page("P", {artboard("A", "Home")}))}, QStringLiteral("plain.sketch"));
    const struct {
        std::string name;
        QString document;
        std::string script;
        bool uploadDesign;
        Strings events;
        std::size_t resourceUploads; // and nothing else but the import is sent
    } cases[] = {
        // The reply comes late, so the previews are cut and waiting when it arrives.
        {"ResourcesAreNeverSentForARefusedImport", images,
         R"([{"path": "import/newScreensFromSketch", "delayMs": 800, "body": {"status": false}}])", true,
         {"failure::The service did not accept the artboards."}, 0},
        // The preview, then the first two scales of the image are accepted; the third is refused.
        {"StatusFalseMidChainStopsTheRunWithTheImagesName", images,
         R"([{"path": "resource/uploadResource", "times": 3, "body": {"status": true}},
             {"path": "resource/uploadResource", "body": {"status": false}}])", false,
         {"step:" + kPreparing + ":33.33", "export:Home:66.67", "failure:icon:The service did not accept the image at scale 3 (png)."},
         4},
        // Regression: a preview answered with an explicit "status": false ended the run as a success.
        {"PreviewAnsweredWithStatusFalseFailsTheRun", noImages, R"([{"path": "resource/uploadResource", "body": {"status": false}}])", false,
         {"step:" + kPreparing + ":33.33", "failure:Home:The service did not accept the artboard's preview."}, 1},
        // A reply without a status still counts as the preview's acceptance.
        {"PreviewAnsweredWithStatusFalseFailsTheRun: no status is acceptance", noImages,
         R"([{"path": "resource/uploadResource", "body": {"resource": null}}])", false,
         {"step:" + kPreparing + ":33.33", "export:Home:66.67", "step:Home:100.00"}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        recorder = RunRecorder();
        startService(c.script);
        dialogs.clear();
        if (c.document == noImages) dialogs.queueButton(QStringLiteral("Continue"));
        start(exportInfo(c.document, {"A"}, SketchToolStandin::executable()), "iOS", c.uploadDesign);
        ASSERT_TRUE(waitFor([&] { return recorder.ended; }));
        settle();
        EXPECT_EQ(recorder.events, c.events);
        EXPECT_EQ(countOf("resource/uploadResource"), c.resourceUploads);
        ASSERT_EQ(service->recordedPaths().size(), c.resourceUploads + 1);
        EXPECT_EQ(service->recordedPaths().front(), "import/newScreensFromSketch");
        EXPECT_EQ(dialogs.shown().size(), c.document == noImages ? 1u : 0u);
    }
}

// Every cut that goes wrong fails the run naming what was being cut, and no tool is left running.
TEST_F(UploadRun, FailedCutsFailTheRunWithWhatWasBeingCut)
{
    FileExporter::setCutTimeLimitMs(1500);
    const struct {
        std::string name;
        boost::json::object control;
        std::string failure;
    } cases[] = {
        {"exit status", {{"items", {{"A", {{"mode", "exit"}, {"status", 2}, {"write", true}}}}}},
         "failure:Home:Sketch's command-line tool failed (exit status 2)."},
        {"signal", {{"items", {{"I", {{"scale", "2.0"}, {"mode", "signal"}}}}}},
         "failure:icon:Sketch's command-line tool stopped unexpectedly."},
        {"empty file", {{"items", {{"I", {{"format", "pdf"}, {"mode", "empty"}}}}}},
         "failure:icon:The exported file “I.pdf” could not be read."},
        // Regression rows: files that are no image of the asked format were uploaded, and a tool
        // that never exited kept the upload waiting for ever (and outlived it).
        {"HungCutsAndFilesOfTheWrongFormatFailTheRun: not a PNG", {{"items", {{"A", {{"mode", "garbage"}}}}}},
         "failure:Home:Sketch's command-line tool wrote a file that is not a PNG image."},
        {"HungCutsAndFilesOfTheWrongFormatFailTheRun: not a PDF", {{"items", {{"I", {{"format", "pdf"}, {"mode", "garbage"}}}}}},
         "failure:icon:Sketch's command-line tool wrote a file that is not a PDF image."},
        {"HungCutsAndFilesOfTheWrongFormatFailTheRun: hung", {{"items", {{"A", waitingRule(QStringLiteral("never"))}}}},
         "failure:Home:Sketch's command-line tool did not finish within 1 seconds."},
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
        EXPECT_TRUE(waitFor([] { return platform::ProcessRunner::shared().runningCount() == 0; }));
    }
    FileExporter::setCutTimeLimitMs(FileExporter::kDefaultCutTimeLimitMs);
}

TEST_F(UploadRun, RunsThatCannotWorkAreRefusedBeforeAnythingIsSent)
{
    const QString path = simpleDocument();
    const QString notExecutable = sources.filePath(QStringLiteral("sketchtool"));
    writeFileBytes(notExecutable, "#!/bin/sh\n");
    // A page skipped for invalid JSON ended in "None of the chosen artboards is in the Sketch
    // document", and a number that overflows to infinity in the generic error: both name the part.
    const QString brokenPage = writeDocument({{QStringLiteral("1.json"), QByteArrayLiteral("{\"layers\": [")}},
                                             QStringLiteral("broken.sketch"));
    boost::json::object huge = artboard("A", "Home", {layer("I", "icon", frame(2, 2, 20, 20), {"png"})});
    huge["huge"] = 987654321;
    QByteArray hugeText = QByteArray::fromStdString(boost::json::serialize(page("P", {huge})));
    hugeText.replace("987654321", "1e999");
    const QString hugeNumber = writeDocument({{QStringLiteral("1.json"), hugeText}}, QStringLiteral("huge.sketch"));
    const std::vector<std::pair<std::optional<SketchExportInfoDocument>, std::string>> cases = {
        {std::nullopt, "failure::There is no Sketch export to upload. Export the artboards from Sketch again."},
        {exportInfo(brokenPage, {"A"}, SketchToolStandin::executable()),
         "failure:" + brokenPage.toStdString()
             + ":None of the chosen artboards could be read from the Sketch document: pages/1.json: the page does not "
               "hold valid page JSON and was left out"},
        {exportInfo(hugeNumber, {"A"}, SketchToolStandin::executable()), "failure:Home:A number in it is too large to be read."},
        {exportInfo(path, {"A"}, notExecutable.toStdString()),
         "failure::Sketch's command-line tool was not found at “" + notExecutable.toStdString()
             + "”. Export the artboards from Sketch again."},
        {exportInfo(path, {"GONE"}, SketchToolStandin::executable()),
         "failure:" + path.toStdString() + ":None of the chosen artboards is in the Sketch document."},
    };
    startService();
    for (const auto& [info, failure] : cases) {
        SCOPED_TRACE(failure);
        recorder = RunRecorder();
        SketchUploadRun::start(info, kProject, "iOS", true, recorder.completions(), queue);
        EXPECT_TRUE(recorder.events.empty()) << "reported from inside start()";
        ASSERT_TRUE(waitFor([&] { return recorder.ended; }));
        settle();
        EXPECT_EQ(recorder.events, Strings{failure});
    }
    EXPECT_TRUE(service->records().empty());
    EXPECT_TRUE(tool.startedArguments().empty());
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
    const auto records = service->records();
    ASSERT_FALSE(records.empty());
    ASSERT_EQ(records.front().at("path"), "import/newScreensFromSketch");
    const auto& artboards = records.front().at("body").as_object().at("artboards").as_array();
    ASSERT_EQ(artboards.size(), 1u);
    EXPECT_EQ(artboards[0].as_object().at("oid"), "A");
    importer.pluginExportInfo.reset();
}

TEST_F(UploadRun, DesignArchiveIsMadeFromTheCopyThatWasReadAndSentUnderTheCleanedName)
{
    const QString path = writeDocument({pageFile("1.json", page("P", {artboard("A", "Home")}))}, QStringLiteral("My Désign (final).sketch"));
    const QByteArray asRead = readFileBytes(path);
    // The preview waits and the import's reply comes late, so the user goes on working on the
    // document after it was read and before the archive is made.
    tool.setControl({{"items", {{"A", waitingRule(QStringLiteral("A"))}}}});
    startService(R"([{"path": "import/newScreensFromSketch", "delayMs": 800, "body": {"status": true}}])");
    dialogs.queueButton(QStringLiteral("Continue")); // the artboard has no images
    start(exportInfo(path, {"A"}, SketchToolStandin::executable()), "iOS", true);
    ASSERT_TRUE(waitFor([&] { return !tool.startedArguments().empty() || recorder.ended; }));
    ASSERT_TRUE(writeFileBytes(path, "changed since the export"));
    release(QStringLiteral("A"));
    ASSERT_TRUE(waitFor([&] { return recorder.ended; }));
    settle();
    EXPECT_EQ(recorder.events.back(), "step:Home:100.00");

    std::vector<boost::json::object> uploads;
    for (auto& r : service->records())
        if (r.at("path") == "resource/uploadDesignFile") uploads.push_back(r);
    ASSERT_EQ(uploads.size(), 1u);
    EXPECT_EQ(StandinService::bodyString(uploads[0], "fileName"), "MyDsignfinal.zip");
    const QString stored = QDir(service->dataDir()).filePath(QStringLiteral("uploads/demo-ios/design/MyDsignfinal.zip"));
    const auto inside = platform::readZipEntry(stored, QStringLiteral("My Désign (final).sketch"));
    ASSERT_TRUE(inside);
    EXPECT_EQ(*inside, asRead);
    // Nothing but the copy, its archive and its folder is left beside it.
    const QStringList left = QDir(data.sketchFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    EXPECT_EQ(left, (QStringList{QStringLiteral("My Désign (final)"), QStringLiteral("My Désign (final).sketch"),
                                 QStringLiteral("My Désign (final).zip")}));
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
