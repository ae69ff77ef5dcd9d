#include "Account/UserProfile.h"
#include "Import/Plugin/AdobeXDDesignImportHelper.h"
#include "Import/Plugin/AdobeXDUploadRun.h"
#include "Import/Plugin/XDExportFolder.h"
#include "Import/Sketch/JsonSerialization.h"
#include "platform/Localization.h"
#include "platform/MainQueue.h"
#include "platform/ScriptedDialogPresenter.h"
#include "support/StandinService.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr int kWaitMs = 30000; // safety net only

std::string percent(double value)
{
    return QString::number(value, 'f', 1).toStdString();
}

std::string text(const char* key)
{
    return platform::localized(key).toStdString();
}

// What the progress screen hears from one run, in order.
struct ProgressLog {
    std::vector<std::string> events;
    int finishedReports = 0;
    bool failed = false;

    ProgressCompletion exportCompletion()
    {
        return [this](const std::string& t, double p) { events.push_back("export " + t + " " + percent(p)); };
    }
    ProgressCompletion stepCompletion()
    {
        return [this](const std::string& t, double p) {
            events.push_back("step " + t + " " + percent(p));
            if (p == 100.0) ++finishedReports;
        };
    }
    std::function<void(const UploadFailure&)> failureCompletion()
    {
        return [this](const UploadFailure& f) {
            events.push_back("failure " + f.what + ": " + f.message);
            failed = true;
        };
    }
};

class XDImportTest : public ::testing::Test {
protected:
    void SetUp() override { platform::Dialogs::setPresenter(&dialogs); }
    void TearDown() override
    {
        platform::Dialogs::setPresenter(nullptr);
        UserProfile::shared().clear();
    }

    void startService(const std::string& script = {})
    {
        StandinService::Options options;
        options.scriptJson = script;
        service.reset(); // restores the base URL before the next one sets its own
        service = std::make_unique<StandinService>(options);
        ASSERT_TRUE(service->isRunning()) << service->errorText().toStdString();
        ASSERT_TRUE(service->signInDemoUser());
        service->clearRecords();
    }

    // Hands the export over and runs the upload until it finished or failed and every reply is in.
    void runUpload(ProgressLog& log, const std::string& platform = "iOS", const std::string& projectId = "demo-ios")
    {
        auto& importer = AdobeXDDesignImportHelper::importer();
        importer.processDesignFile(projectId, platform, false, log.exportCompletion(), log.stepCompletion(), {},
                                   log.failureCompletion());
        ASSERT_TRUE(platform::runMainLoopUntil([&] { return log.finishedReports > 0 || log.failed; }, kWaitMs));
        const auto run = importer.currentRun();
        // The reply closures keep the run alive; once it is held only here and by the importer,
        // every request has been answered.
        ASSERT_TRUE(platform::runMainLoopUntil([&] { return !run || run.use_count() <= 2; }, kWaitMs));
    }

    std::vector<boost::json::object> bodies(const std::string& path) const
    {
        std::vector<boost::json::object> result;
        for (const auto& record : service->records()) {
            if (record.at("path").as_string() == path) result.push_back(record.at("body").as_object());
        }
        return result;
    }

    static std::string str(const boost::json::object& body, const char* key)
    {
        return StandinService::bodyString(boost::json::object{{"body", body}}, key);
    }

    platform::ScriptedDialogPresenter dialogs;
    std::unique_ptr<StandinService> service;
};

using ImageKey = std::tuple<std::string, std::string, std::string, std::string, std::string>;

std::set<ImageKey> imageKeys(const std::vector<boost::json::object>& uploads)
{
    std::set<ImageKey> keys;
    for (const auto& body : uploads) {
        auto s = [&](const char* key) { return std::string(body.at(key).as_string()); };
        if (s("artboardId") == s("fileName")) continue; // previews
        keys.insert({s("artboardId"), s("fileName"), s("oid"), s("scale"), s("imageName")});
    }
    return keys;
}

} // namespace

TEST_F(XDImportTest, LastPreviewReplyFinishesTheUploadThroughTheStepReport)
{
    startService();
    XDExportFolder folder;
    folder.artboard("A1", XDExportFolder::node("A1", "Home"));
    folder.artboard("B2", XDExportFolder::node("B2", "Detail"));
    folder.write(QStringLiteral("notes.txt"), "stray file of the plug-in");
    ASSERT_TRUE(AdobeXDDesignImportHelper::importer().doBeforeProjectSelection("/tmp/export.xdzvusk"));

    ProgressLog log;
    runUpload(log);

    // total 6: the accepted import counts 2, the two artboards without images 1 each, the previews 1 each.
    ASSERT_EQ(log.events.size(), 5u) << ::testing::PrintToString(log.events);
    EXPECT_EQ(std::vector<std::string>(log.events.begin(), log.events.begin() + 3),
              (std::vector<std::string>{"step Artboards are preparing for upload... 33.3", "step Home 50.0",
                                        "step Detail 66.7"}));
    const std::set<std::string> lastTwo{log.events[3], log.events[4]};
    EXPECT_TRUE((lastTwo == std::set<std::string>{"export Home 83.3", "step Detail 100.0"})
                || (lastTwo == std::set<std::string>{"export Detail 83.3", "step Home 100.0"}))
        << ::testing::PrintToString(log.events);
    EXPECT_EQ(log.events.back().rfind("step ", 0), 0u) << "the report that reaches 100 must finish the upload";
    EXPECT_EQ(log.finishedReports, 1);

    // What went on the wire, in order: the import first, the previews after its reply.
    const auto paths = service->recordedPaths();
    EXPECT_EQ(paths, (std::vector<std::string>{"import/newScreensFromSketch", "resource/uploadResource",
                                               "resource/uploadResource"}));
    ImportAllFromPluginRequest expected;
    expected.projectId = "demo-ios";
    expected.platform = "iOS";
    expected.appVersion = "1.0";
    for (const auto& [id, name] : {std::pair{"A1", "Home"}, std::pair{"B2", "Detail"}}) {
        ArtboardExportInfo artboard;
        artboard.oid = id;
        artboard.name = name;
        artboard.type = "adobeXd";
        artboard.frame = jsonmap::fromJson<FrameInfo>(boost::json::object{{"x", 10}, {"y", 20.5}, {"width", 375}, {"height", 812}});
        artboard.jsonString = JsonSerialization::dataUTF8String(XDExportFolder::node(id, name));
        expected.artboards.push_back(artboard);
    }
    // Through our writer and back, so that numbers compare as they travel.
    EXPECT_EQ(bodies("import/newScreensFromSketch").at(0),
              *platform::parseJsonObject(*platform::jsonText(jsonmap::toJsonObject(expected))));
    std::set<std::string> previewed;
    for (const auto& preview : bodies("resource/uploadResource")) {
        const std::string id = str(preview, "artboardId");
        previewed.insert(id);
        EXPECT_EQ(std::tie(id, preview.at("oid").as_string(), preview.at("imageName").as_string(),
                           preview.at("fileName").as_string()),
                  std::tie(id, id, id, id));
        EXPECT_EQ(std::make_tuple(str(preview, "scale"), str(preview, "format"), str(preview, "appVersion"),
                                  str(preview, "projectId"), str(preview, "prefix")),
                  std::make_tuple("1", "png", "1.0", "demo-ios", ""));
        EXPECT_EQ(QImage::fromData(QByteArray::fromBase64(QByteArray::fromStdString(str(preview, "imageData")))).size(),
                  QSize(37, 81));
    }
    EXPECT_EQ(previewed, (std::set<std::string>{"A1", "B2"}));

    // Only the folders that were read are gone.
    EXPECT_FALSE(folder.exists(QStringLiteral("A1")));
    EXPECT_FALSE(folder.exists(QStringLiteral("B2")));
    EXPECT_TRUE(folder.exists(QStringLiteral("notes.txt")));
    EXPECT_TRUE(QFileInfo(folder.root()).isDir());
}

TEST_F(XDImportTest, FullExportUploadsWhatEachPlatformNeeds)
{
    struct Case {
        const char* platform;
        const char* projectId;
        std::set<ImageKey> images;
    };
    const Case cases[] = {
        {"iOS",
         "demo-ios",
         {{"A1", "icon", "icon", "1", "Back arrow"},
          {"A1", "icon@2x", "icon", "2", "Back arrow"},
          {"A1", "icon@3x", "icon", "3", "Back arrow"},
          {"sym1", "star@2x", "star", "2", "star@2x"}}},
        {"Android",
         "demo-android",
         {{"A1", "icon", "icon", "1", "Back arrow"},
          {"A1", "icon@1.5x", "icon", "1.5", "Back arrow"},
          {"A1", "icon@2x", "icon", "2", "Back arrow"},
          {"A1", "icon@3x", "icon", "3", "Back arrow"},
          {"sym1", "star@1.5x", "star", "1.5", "star@1.5x"},
          {"sym1", "star@2x", "star", "2", "star@2x"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.platform);
        startService();
        XDExportFolder folder;
        boost::json::array children{XDExportFolder::node("icon", "Back arrow")};
        folder.artboard("A1", XDExportFolder::node("A1", "Home", children));
        for (const char* name : {"icon.png", "icon@1.5x.png", "icon@2x.png", "icon@3x.png", "A1-badge.png"})
            folder.image(QStringLiteral("A1/") + QString::fromLatin1(name), 3);
        folder.write(QStringLiteral("A1/.DS_Store"), "x");
        QTemporaryDir outside;
        writeFileBytes(outside.path() + QStringLiteral("/private@2x.png"), XDExportFolder::png(4));
        QFile::link(outside.path() + QStringLiteral("/private@2x.png"), folder.path(QStringLiteral("A1/private@2x.png")));
        folder.artboard("B2", XDExportFolder::node("B2", "Detail"));
        folder.write(QStringLiteral("C3/C3.json"), "{\"sceneNode\":");
        QDir().mkpath(folder.path(QStringLiteral("D4")));
        folder.write(QStringLiteral("notes.txt"), "stray");
        folder.masters({XDExportFolder::node("m1", "Button", {}, "sym1"), "not a node",
                        XDExportFolder::node("m2", "Escaping", {}, "../..")});
        folder.image(QStringLiteral("symbol_masters/sym1/star@2x.png"), 6);
        folder.image(QStringLiteral("symbol_masters/sym1/star@1.5x.png"), 6);
        writeFileBytes(folder.root() + QStringLiteral("/../secret@2x.png"), XDExportFolder::png(8));

        auto& importer = AdobeXDDesignImportHelper::importer();
        ASSERT_TRUE(importer.doBeforeProjectSelection("/tmp/export.xdzvusk"));
        ProgressLog log;
        runUpload(log, c.platform, c.projectId);
        ASSERT_FALSE(log.failed) << ::testing::PrintToString(log.events);

        // total = 3 x 2 artboards + 2 masters; the run reports 7 times and ends at 100 once.
        EXPECT_EQ(importer.currentRun()->total(), 8);
        EXPECT_EQ(log.events.size(), 7u) << ::testing::PrintToString(log.events);
        EXPECT_EQ(log.events.front(), "step Artboards are preparing for upload... 25.0");
        EXPECT_EQ(log.finishedReports, 1);
        EXPECT_TRUE(log.events.back().ends_with(" 100.0"));
        // One preview report and one step report after its last image reply.
        EXPECT_EQ(std::count_if(log.events.begin(), log.events.end(),
                                [](const std::string& e) { return e.find(" Home ") != std::string::npos; }),
                  2)
            << "an artboard's images finish its step once";

        const auto import = bodies("import/newScreensFromSketch");
        ASSERT_EQ(import.size(), 1u);
        std::vector<std::string> artboardIds;
        for (const auto& a : import[0].at("artboards").as_array()) artboardIds.emplace_back(a.at("oid").as_string());
        EXPECT_EQ(artboardIds, (std::vector<std::string>{"A1", "B2"}));
        const auto& masters = import[0].at("symbolMasters").as_array();
        ASSERT_EQ(masters.size(), 2u);
        EXPECT_EQ(masters[0].at("_class").as_string(), "symbolMaster");
        EXPECT_EQ(masters[0].at("type").as_string(), "adobeXd");
        EXPECT_EQ(masters[0].at("symbolID").as_string(), "sym1");
        EXPECT_EQ(masters[1].at("symbolID").as_string(), "../..");

        const auto uploads = bodies("resource/uploadResource");
        EXPECT_EQ(imageKeys(uploads), c.images);
        EXPECT_EQ(uploads.size(), c.images.size() + 2) << "one preview per artboard besides the images";
        for (const auto& body : uploads) {
            if (str(body, "fileName") != "icon@2x") continue;
            EXPECT_EQ(QByteArray::fromBase64(QByteArray::fromStdString(str(body, "imageData"))), XDExportFolder::png(3));
        }

        EXPECT_FALSE(folder.exists(QStringLiteral("A1")));
        EXPECT_FALSE(folder.exists(QStringLiteral("B2")));
        EXPECT_FALSE(folder.exists(QStringLiteral("symbol_masters")));
        EXPECT_TRUE(folder.exists(QStringLiteral("C3/C3.json")));
        EXPECT_TRUE(folder.exists(QStringLiteral("D4")));
        EXPECT_TRUE(folder.exists(QStringLiteral("notes.txt")));
        EXPECT_TRUE(QFileInfo::exists(outside.path() + QStringLiteral("/private@2x.png")));
        EXPECT_TRUE(QFileInfo::exists(folder.root() + QStringLiteral("/../secret@2x.png")));
    }
}

TEST_F(XDImportTest, RefusedImportEndsTheRunAndSendsNoUploads)
{
    const struct {
        const char* name;
        std::string script;
        std::string failure;
    } cases[] = {
        {"status false", R"([{"path":"import/newScreensFromSketch","body":{"status":false}}])",
         "failure : " + text("adobeXD.upload.importRefused")},
        {"error id", R"([{"path":"import/newScreensFromSketch","body":{"errorModel":{"errorId":5000,"errorMsg":"Project is full"}}}])",
         "failure : Project is full"},
        {"not JSON", R"([{"path":"import/newScreensFromSketch","body":"<html>"}])", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        startService(c.script);
        XDExportFolder folder;
        folder.artboard("A1", XDExportFolder::node("A1", "Home"));
        folder.image(QStringLiteral("A1/icon.png"), 3);
        ASSERT_TRUE(AdobeXDDesignImportHelper::importer().doBeforeProjectSelection("/tmp/export.xdzvusk"));
        ProgressLog log;
        runUpload(log);
        ASSERT_EQ(log.events.size(), 1u) << ::testing::PrintToString(log.events);
        EXPECT_TRUE(log.failed);
        if (!c.failure.empty()) {
            EXPECT_EQ(log.events[0], c.failure);
        }
        EXPECT_EQ(service->recordedPaths(), std::vector<std::string>{"import/newScreensFromSketch"});
        EXPECT_TRUE(folder.exists(QStringLiteral("A1/A1.json")));
        EXPECT_TRUE(folder.exists(QStringLiteral("A1/icon.png")));
    }
}

TEST_F(XDImportTest, FailedUploadKeepsTheExportForARetry)
{
    startService(R"([{"path":"resource/uploadResource","body":{"status":false}}])");
    XDExportFolder folder;
    folder.artboard("A1", XDExportFolder::node("A1", "Home"));
    folder.image(QStringLiteral("A1/icon.png"), 3);
    folder.image(QStringLiteral("A1/icon@2x.png"), 3);
    folder.masters({XDExportFolder::node("m1", "Button", {}, "sym1")});
    folder.image(QStringLiteral("symbol_masters/sym1/star@2x.png"), 6);
    auto& importer = AdobeXDDesignImportHelper::importer();
    ASSERT_TRUE(importer.doBeforeProjectSelection("/tmp/export.xdzvusk"));

    ProgressLog failing;
    runUpload(failing);
    EXPECT_TRUE(failing.failed);
    EXPECT_EQ(failing.finishedReports, 0);
    EXPECT_EQ(failing.events.back().rfind("failure ", 0), 0u) << "nothing may be reported after the failure: "
                                                              << ::testing::PrintToString(failing.events);
    EXPECT_EQ(std::count_if(failing.events.begin(), failing.events.end(),
                            [](const std::string& e) { return e.rfind("failure ", 0) == 0; }),
              1);
    EXPECT_EQ(service->recordedPaths().size(), 5u) << "import, one preview, three images";
    EXPECT_TRUE(folder.exists(QStringLiteral("A1/A1.json")));
    EXPECT_TRUE(folder.exists(QStringLiteral("symbol_masters/sym1/star@2x.png")));

    // The same export goes through on the next attempt, and only then is it removed.
    ASSERT_TRUE(importer.doBeforeProjectSelection("/tmp/export.xdzvusk"));
    ProgressLog retry;
    runUpload(retry);
    EXPECT_FALSE(retry.failed) << ::testing::PrintToString(retry.events);
    EXPECT_EQ(retry.finishedReports, 1);
    EXPECT_FALSE(folder.exists(QStringLiteral("A1")));
    EXPECT_FALSE(folder.exists(QStringLiteral("symbol_masters")));
}

TEST_F(XDImportTest, UnreadablePreviewFailsTheArtboardBeforeAnythingIsSent)
{
    startService();
    XDExportFolder folder;
    folder.artboard("A1", XDExportFolder::node("A1", "Home"));
    folder.artboard("B2", XDExportFolder::node("B2", "Detail"), false);
    folder.write(QStringLiteral("B2/B2.png"), "truncated");
    ASSERT_TRUE(AdobeXDDesignImportHelper::importer().doBeforeProjectSelection("/tmp/export.xdzvusk"));
    ProgressLog log;
    runUpload(log);
    EXPECT_EQ(log.events, std::vector<std::string>{"failure Detail: " + text("adobeXD.upload.previewUnreadable")});
    EXPECT_TRUE(service->recordedPaths().empty());
    EXPECT_TRUE(folder.exists(QStringLiteral("A1/A1.png")));
    EXPECT_TRUE(folder.exists(QStringLiteral("B2/B2.json")));
}

TEST_F(XDImportTest, UnreadableArtboardsDoNotHoldTheProgressBelow100)
{
    startService();
    XDExportFolder folder;
    folder.artboard("A1", XDExportFolder::node("A1", "Home"));
    folder.write(QStringLiteral("C3/C3.json"), "[\"an array, not a node\"]");
    folder.write(QStringLiteral("C3/C3.png"), XDExportFolder::png(2));
    QDir().mkpath(folder.path(QStringLiteral("D4")));
    ASSERT_TRUE(AdobeXDDesignImportHelper::importer().doBeforeProjectSelection("/tmp/export.xdzvusk"));
    EXPECT_EQ(AdobeXDDesignImportHelper::importer().getArtboardIds(), (std::vector<std::string>{"A1", "C3", "D4"}));
    ProgressLog log;
    runUpload(log);
    EXPECT_EQ(AdobeXDDesignImportHelper::importer().currentRun()->total(), 3);
    EXPECT_EQ(log.events, (std::vector<std::string>{"step Artboards are preparing for upload... 33.3", "step Home 66.7",
                                                    "step Home 100.0"}));
    EXPECT_FALSE(folder.exists(QStringLiteral("A1")));
    EXPECT_TRUE(folder.exists(QStringLiteral("C3/C3.png")));
    EXPECT_TRUE(folder.exists(QStringLiteral("D4")));
}

TEST_F(XDImportTest, ExportWithNothingToImportTellsTheUserAndSendsNothing)
{
    startService();
    XDExportFolder folder;
    folder.write(QStringLiteral(".DS_Store"), "x");
    folder.write(QStringLiteral("notes.txt"), "stray");
    QDir().mkpath(folder.path(QStringLiteral("E5")));
    auto& importer = AdobeXDDesignImportHelper::importer();
    EXPECT_FALSE(importer.doBeforeProjectSelection("/tmp/export.xdzvusk"));
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].text.toStdString(), text("adobeXD.nothingToImport.title"));

    // Should the progress screen start anyway, it fails rather than waits for ever.
    ProgressLog log;
    runUpload(log);
    EXPECT_EQ(log.events, std::vector<std::string>{"failure : " + text("adobeXD.nothingToImport.text")});
    EXPECT_TRUE(service->recordedPaths().empty());
    EXPECT_TRUE(folder.exists(QStringLiteral("notes.txt")));
    EXPECT_TRUE(folder.exists(QStringLiteral("E5")));
}

TEST_F(XDImportTest, MissingPluginFolderShowsItsErrorAndForgetsEarlierArtboards)
{
    startService();
    auto& importer = AdobeXDDesignImportHelper::importer();
    {
        XDExportFolder folder;
        folder.artboard("A1", XDExportFolder::node("A1", "Home"));
        ASSERT_TRUE(importer.doBeforeProjectSelection("/tmp/export.xdzvusk"));
        ASSERT_EQ(importer.getArtboardIds(), std::vector<std::string>{"A1"});
    }
    QTemporaryDir emptyLibrary;
    platform::overrideUserLibraryDirectory(emptyLibrary.path());
    EXPECT_FALSE(importer.doBeforeProjectSelection("/tmp/export.xdzvusk"));
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].text.toStdString(),
              "Zendaq Vusk for XD cannot be found. Please check the plugin and try again.");
    EXPECT_FALSE(importer.pluginMainURL.has_value());
    EXPECT_TRUE(importer.getArtboardIds().empty());

    ProgressLog log;
    importer.processDesignFile("demo-ios", "iOS", false, log.exportCompletion(), log.stepCompletion(), {},
                               log.failureCompletion());
    ASSERT_TRUE(platform::runMainLoopUntil([&] { return log.failed; }, kWaitMs));
    EXPECT_EQ(log.events.size(), 1u);
    EXPECT_TRUE(service->recordedPaths().empty());
    platform::clearUserLibraryOverride();
}

TEST(XDImporterProtocol, AnswersTheXDEventCode)
{
    EXPECT_EQ(rawValue(AdobeXDDesignImportHelper::importer().getEventCode()), "ADOBEXD_UPLOAD");
}
