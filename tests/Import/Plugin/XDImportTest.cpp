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

#include <sys/stat.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr int kWaitMs = 30000; // safety net only

using Strings = std::vector<std::string>;

std::string text(const char* key)
{
    return platform::localized(key).toStdString();
}

std::string str(const boost::json::object& body, const char* key)
{
    const auto* value = body.if_contains(key);
    return value && value->is_string() ? std::string(value->get_string()) : std::string("<none>");
}

// What the progress screen heard from one run, in order.
struct ProgressLog {
    Strings events;
    int finishedReports = 0;
    bool failed = false;
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

    static AdobeXDDesignImportHelper& importer() { return AdobeXDDesignImportHelper::importer(); }
    static bool handOver() { return importer().doBeforeProjectSelection("/tmp/export.xdzvusk"); }

    // Runs the upload until it finished or failed and every reply is in.
    static ProgressLog upload(const std::string& platform = "iOS", const std::string& projectId = "demo-ios")
    {
        auto log = std::make_shared<ProgressLog>();
        auto report = [log](const char* kind) {
            return [log, kind](const std::string& t, double p) {
                log->events.push_back(kind + t + " " + QString::number(p, 'f', 1).toStdString());
                if (p == 100.0 && std::string_view(kind) == "step ") ++log->finishedReports;
            };
        };
        importer().processDesignFile(projectId, platform, false, report("export "), report("step "), {},
                                     [log](const UploadFailure& f) {
                                         log->events.push_back("failure " + f.what + ": " + f.message);
                                         log->failed = true;
                                     });
        EXPECT_TRUE(platform::runMainLoopUntil([&] { return log->finishedReports > 0 || log->failed; }, kWaitMs));
        // The reply closures keep the run alive; once it is held only here and by the importer,
        // every request has been answered.
        const auto run = importer().currentRun();
        EXPECT_TRUE(platform::runMainLoopUntil([&] { return !run || run.use_count() <= 2; }, kWaitMs));
        return *log;
    }

    std::vector<boost::json::object> bodies(const std::string& path) const
    {
        std::vector<boost::json::object> result;
        for (const auto& record : service->records()) {
            if (record.at("path").as_string() == path) result.push_back(record.at("body").as_object());
        }
        return result;
    }

    platform::ScriptedDialogPresenter dialogs;
    std::unique_ptr<StandinService> service;
};

using ImageKey = std::tuple<std::string, std::string, std::string, std::string, std::string>;

std::set<ImageKey> imageKeys(const std::vector<boost::json::object>& uploads)
{
    std::set<ImageKey> keys;
    for (const auto& body : uploads) {
        if (str(body, "artboardId") == str(body, "fileName")) continue; // previews
        keys.insert({str(body, "artboardId"), str(body, "fileName"), str(body, "oid"), str(body, "scale"), str(body, "imageName")});
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
    ASSERT_TRUE(handOver());

    const ProgressLog log = upload();

    // total 6: the accepted import counts 2, the two artboards without images 1 each, the previews 1 each.
    ASSERT_EQ(log.events.size(), 5u) << ::testing::PrintToString(log.events);
    EXPECT_EQ(Strings(log.events.begin(), log.events.begin() + 3),
              (Strings{"step Artboards are preparing for upload... 33.3", "step Home 50.0", "step Detail 66.7"}));
    const std::set<std::string> lastTwo{log.events[3], log.events[4]};
    EXPECT_TRUE((lastTwo == std::set<std::string>{"export Home 83.3", "step Detail 100.0"})
                || (lastTwo == std::set<std::string>{"export Detail 83.3", "step Home 100.0"}))
        << ::testing::PrintToString(log.events);
    EXPECT_TRUE(log.events.back().starts_with("step ")) << "the report that reaches 100 must finish the upload";
    EXPECT_EQ(log.finishedReports, 1);

    // What went on the wire, in order: the import first, the previews after its reply.
    EXPECT_EQ(service->recordedPaths(),
              (Strings{"import/newScreensFromSketch", "resource/uploadResource", "resource/uploadResource"}));
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
    using Preview = std::tuple<std::string, std::string, std::string, std::string, std::string, std::string, std::string,
                               std::string, std::string, std::string>;
    std::set<Preview> previews;
    for (const auto& b : bodies("resource/uploadResource")) {
        const QImage image = QImage::fromData(QByteArray::fromBase64(QByteArray::fromStdString(str(b, "imageData"))));
        previews.insert({str(b, "artboardId"), str(b, "oid"), str(b, "imageName"), str(b, "fileName"), str(b, "scale"),
                         str(b, "format"), str(b, "appVersion"), str(b, "projectId"), str(b, "prefix"),
                         std::to_string(image.width()) + "x" + std::to_string(image.height())});
    }
    EXPECT_EQ(previews, (std::set<Preview>{{"A1", "A1", "A1", "A1", "1", "png", "1.0", "demo-ios", "", "37x81"},
                                           {"B2", "B2", "B2", "B2", "1", "png", "1.0", "demo-ios", "", "37x81"}}));

    // Only the folders that were read are gone.
    EXPECT_FALSE(folder.exists(QStringLiteral("A1")) || folder.exists(QStringLiteral("B2")));
    EXPECT_TRUE(folder.exists(QStringLiteral("notes.txt")));
    EXPECT_TRUE(QFileInfo(folder.root()).isDir());
}

TEST_F(XDImportTest, FullExportUploadsWhatEachPlatformNeeds)
{
    const struct {
        const char* platform;
        const char* projectId;
        std::set<ImageKey> images;
    } cases[] = {
        {"iOS", "demo-ios",
         {{"A1", "icon", "icon", "1", "Back arrow"}, {"A1", "icon@2x", "icon", "2", "Back arrow"},
          {"A1", "icon@3x", "icon", "3", "Back arrow"}, {"sym1", "star@2x", "star", "2", "star@2x"}}},
        {"Android", "demo-android",
         {{"A1", "icon", "icon", "1", "Back arrow"}, {"A1", "icon@1.5x", "icon", "1.5", "Back arrow"},
          {"A1", "icon@2x", "icon", "2", "Back arrow"}, {"A1", "icon@3x", "icon", "3", "Back arrow"},
          {"A1", "icon@4x", "icon", "4", "Back arrow"}, {"sym1", "star@1.5x", "star", "1.5", "star@1.5x"},
          {"sym1", "star@2x", "star", "2", "star@2x"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.platform);
        startService();
        XDExportFolder folder;
        folder.artboard("A1", XDExportFolder::node("A1", "Home", {XDExportFolder::node("icon", "Back arrow")}));
        for (const char* name : {"icon.png", "icon@1.5x.png", "icon@2x.png", "icon@3x.png", "icon@4x.png", "A1-badge.png", "meta.json"})
            folder.image(QStringLiteral("A1/") + QString::fromLatin1(name), 3);
        folder.write(QStringLiteral("A1/.DS_Store"), "x");
        QDir().mkpath(folder.path(QStringLiteral("A1/folder@2x.png")));
        ASSERT_EQ(::mkfifo(QFile::encodeName(folder.path(QStringLiteral("A1/pipe@2x.png"))).constData(), 0600), 0);
        QTemporaryDir outside;
        writeFileBytes(outside.path() + QStringLiteral("/private@2x.png"), XDExportFolder::png(4));
        QFile::link(outside.path() + QStringLiteral("/private@2x.png"), folder.path(QStringLiteral("A1/private@2x.png")));
        folder.artboard("B2", XDExportFolder::node("B2", "Detail"));
        folder.write(QStringLiteral("C3/C3.json"), "{\"sceneNode\":");
        QDir().mkpath(folder.path(QStringLiteral("D4")));
        writeFileBytes(outside.path() + QStringLiteral("/E5.json"), XDExportFolder::json(XDExportFolder::node("E5", "Linked")));
        QDir().mkpath(folder.path(QStringLiteral("E5")));
        QFile::link(outside.path() + QStringLiteral("/E5.json"), folder.path(QStringLiteral("E5/E5.json")));
        folder.write(QStringLiteral("notes.txt"), "stray");
        folder.write(QStringLiteral(".DS_Store"), "x");
        folder.masters({XDExportFolder::node("m1", "Button", {}, "sym1"), "not a node",
                        XDExportFolder::node("m2", "Escaping", {}, "../..")});
        folder.image(QStringLiteral("symbol_masters/sym1/star@2x.png"), 6);
        folder.image(QStringLiteral("symbol_masters/sym1/star@1.5x.png"), 6);
        writeFileBytes(folder.root() + QStringLiteral("/../secret@2x.png"), XDExportFolder::png(8));
        ASSERT_TRUE(handOver());
        EXPECT_EQ(importer().getArtboardIds(), (Strings{"A1", "B2", "C3", "D4", "E5", "notes.txt"}));

        const ProgressLog log = upload(c.platform, c.projectId);

        ASSERT_FALSE(log.failed) << ::testing::PrintToString(log.events);
        // total = 3 x 2 artboards + 2 masters; the run reports 7 times and ends at 100 once.
        EXPECT_EQ(importer().currentRun()->total(), 8);
        EXPECT_EQ(log.events.size(), 7u) << ::testing::PrintToString(log.events);
        EXPECT_EQ(log.events.front(), "step Artboards are preparing for upload... 25.0");
        EXPECT_EQ(log.finishedReports, 1);
        EXPECT_TRUE(log.events.back().ends_with(" 100.0"));
        EXPECT_EQ(std::count_if(log.events.begin(), log.events.end(),
                                [](const std::string& e) { return e.find(" Home ") != std::string::npos; }),
                  2)
            << "one preview report, and one step report once the artboard's last image reply is in";

        const auto import = bodies("import/newScreensFromSketch");
        ASSERT_EQ(import.size(), 1u);
        Strings sent;
        for (const auto& a : import[0].at("artboards").as_array()) sent.push_back(str(a.as_object(), "oid"));
        for (const auto& m : import[0].at("symbolMasters").as_array())
            sent.push_back(str(m.as_object(), "symbolID") + " " + str(m.as_object(), "_class") + " " + str(m.as_object(), "type"));
        EXPECT_EQ(sent, (Strings{"A1", "B2", "sym1 symbolMaster adobeXd", "../.. symbolMaster adobeXd"}));

        const auto uploads = bodies("resource/uploadResource");
        EXPECT_EQ(imageKeys(uploads), c.images);
        EXPECT_EQ(uploads.size(), c.images.size() + 2) << "one preview per artboard besides the images";
        for (const auto& body : uploads) {
            if (str(body, "fileName") != "icon@2x") continue;
            EXPECT_EQ(QByteArray::fromBase64(QByteArray::fromStdString(str(body, "imageData"))), XDExportFolder::png(3));
        }

        for (const char* gone : {"A1", "B2", "symbol_masters"}) EXPECT_FALSE(folder.exists(QString::fromLatin1(gone))) << gone;
        for (const char* kept : {"C3/C3.json", "D4", "E5/E5.json", "notes.txt", "../secret@2x.png"})
            EXPECT_TRUE(folder.exists(QString::fromLatin1(kept))) << kept;
        EXPECT_TRUE(QFileInfo::exists(outside.path() + QStringLiteral("/private@2x.png")));
    }
}

TEST_F(XDImportTest, RefusedImportEndsTheRunAndSendsNoUploads)
{
    const struct {
        const char* name;
        std::string script;
        std::string failure; // empty: any failure text
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
        ASSERT_TRUE(handOver());

        const ProgressLog log = upload();

        ASSERT_EQ(log.events.size(), 1u) << ::testing::PrintToString(log.events);
        EXPECT_TRUE(log.failed);
        if (!c.failure.empty()) {
            EXPECT_EQ(log.events[0], c.failure);
        }
        EXPECT_EQ(service->recordedPaths(), Strings{"import/newScreensFromSketch"});
        EXPECT_TRUE(folder.exists(QStringLiteral("A1/A1.json")) && folder.exists(QStringLiteral("A1/icon.png")));
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
    ASSERT_TRUE(handOver());

    const ProgressLog failing = upload();

    EXPECT_EQ(failing.finishedReports, 0);
    EXPECT_TRUE(failing.events.back().starts_with("failure ")) << "nothing may be reported after the failure: "
                                                               << ::testing::PrintToString(failing.events);
    EXPECT_EQ(std::count_if(failing.events.begin(), failing.events.end(),
                            [](const std::string& e) { return e.starts_with("failure "); }),
              1);
    EXPECT_EQ(service->recordedPaths().size(), 5u) << "import, one preview, three images";
    EXPECT_TRUE(folder.exists(QStringLiteral("A1/A1.json")));
    EXPECT_TRUE(folder.exists(QStringLiteral("symbol_masters/sym1/star@2x.png")));

    // The same export goes through on the next attempt, and only then is it removed.
    ASSERT_TRUE(handOver());
    const ProgressLog retry = upload();
    EXPECT_FALSE(retry.failed) << ::testing::PrintToString(retry.events);
    EXPECT_EQ(retry.finishedReports, 1);
    EXPECT_FALSE(folder.exists(QStringLiteral("A1")) || folder.exists(QStringLiteral("symbol_masters")));
}

TEST_F(XDImportTest, UnreadablePreviewFailsTheArtboardBeforeAnythingIsSent)
{
    startService();
    XDExportFolder folder;
    folder.artboard("A1", XDExportFolder::node("A1", "Home"));
    folder.artboard("B2", XDExportFolder::node("B2", "Detail"), false);
    folder.write(QStringLiteral("B2/B2.png"), "truncated");
    ASSERT_TRUE(handOver());
    EXPECT_EQ(upload().events, Strings{"failure Detail: " + text("adobeXD.upload.previewUnreadable")});
    EXPECT_TRUE(service->recordedPaths().empty());
    EXPECT_TRUE(folder.exists(QStringLiteral("A1/A1.png")) && folder.exists(QStringLiteral("B2/B2.json")));
}

TEST_F(XDImportTest, UnreadableArtboardsDoNotHoldTheProgressBelow100)
{
    startService();
    XDExportFolder folder;
    folder.artboard("A1", XDExportFolder::node("A1", "Home"));
    folder.write(QStringLiteral("C3/C3.json"), "[\"an array, not a node\"]");
    folder.write(QStringLiteral("C3/C3.png"), XDExportFolder::png(2));
    QDir().mkpath(folder.path(QStringLiteral("D4")));
    ASSERT_TRUE(handOver());
    EXPECT_EQ(importer().getArtboardIds(), (Strings{"A1", "C3", "D4"}));
    EXPECT_EQ(upload().events, (Strings{"step Artboards are preparing for upload... 33.3", "step Home 66.7", "step Home 100.0"}));
    EXPECT_EQ(importer().currentRun()->total(), 3);
    EXPECT_FALSE(folder.exists(QStringLiteral("A1")));
    EXPECT_TRUE(folder.exists(QStringLiteral("C3/C3.png")) && folder.exists(QStringLiteral("D4")));
}

TEST_F(XDImportTest, ExportWithNothingToImportTellsTheUserAndSendsNothing)
{
    startService();
    XDExportFolder folder;
    folder.write(QStringLiteral(".DS_Store"), "x");
    folder.write(QStringLiteral("notes.txt"), "stray");
    QDir().mkpath(folder.path(QStringLiteral("E5")));
    EXPECT_FALSE(handOver());
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].text.toStdString(), text("adobeXD.nothingToImport.title"));

    // Should the progress screen start anyway, it fails rather than waits for ever.
    EXPECT_EQ(upload().events, Strings{"failure : " + text("adobeXD.nothingToImport.text")});
    EXPECT_TRUE(service->recordedPaths().empty());
    EXPECT_TRUE(folder.exists(QStringLiteral("notes.txt")) && folder.exists(QStringLiteral("E5")));
}

TEST_F(XDImportTest, MissingPluginFolderShowsItsErrorAndForgetsEarlierArtboards)
{
    startService();
    {
        XDExportFolder folder;
        folder.artboard("A1", XDExportFolder::node("A1", "Home"));
        ASSERT_TRUE(handOver());
        ASSERT_EQ(importer().getArtboardIds(), Strings{"A1"});
    }
    QTemporaryDir emptyLibrary;
    platform::overrideUserLibraryDirectory(emptyLibrary.path());
    EXPECT_FALSE(handOver());
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].text.toStdString(), "Zendaq Vusk for XD cannot be found. Please check the plugin and try again.");
    EXPECT_FALSE(importer().pluginMainURL.has_value());
    EXPECT_TRUE(importer().getArtboardIds().empty());

    EXPECT_EQ(upload().events, Strings{"failure : Zendaq Vusk for XD cannot be found. Please check the plugin and try again."});
    EXPECT_TRUE(service->recordedPaths().empty());
    platform::clearUserLibraryOverride();
}
