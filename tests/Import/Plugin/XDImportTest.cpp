#include "Account/UserProfile.h"
#include "Import/Plugin/AdobeXDDesignImportHelper.h"
#include "Import/Plugin/AdobeXDUploadRun.h"
#include "Import/Plugin/XDExportFolder.h"
#include "platform/MainQueue.h"
#include "platform/ScriptedDialogPresenter.h"
#include "support/StandinService.h"

#include <gtest/gtest.h>

#include <QFile>

#include <sys/stat.h>

#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr int kWaitMs = 30000; // safety net only

using Strings = std::vector<std::string>;

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

// Hostile entries beside a real export: a fifo and a folder named like images, a link to a file
// outside, a linked artboard JSON, a master whose symbol id climbs out of the folder.
TEST_F(XDImportTest, HostileEntriesOfTheExportAreNeitherReadNorRemoved)
{
    startService();
    XDExportFolder folder;
    folder.artboard("A1", XDExportFolder::node("A1", "Home", {XDExportFolder::node("icon", "Back arrow")}));
    for (const char* name : {"icon.png", "icon@2x.png"}) folder.image(QStringLiteral("A1/") + QString::fromLatin1(name), 3);
    QDir().mkpath(folder.path(QStringLiteral("A1/folder@2x.png")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder.path(QStringLiteral("A1/pipe@2x.png"))).constData(), 0600), 0);
    QTemporaryDir outside;
    writeFileBytes(outside.path() + QStringLiteral("/private@2x.png"), XDExportFolder::png(4));
    QFile::link(outside.path() + QStringLiteral("/private@2x.png"), folder.path(QStringLiteral("A1/private@2x.png")));
    writeFileBytes(outside.path() + QStringLiteral("/E5.json"), XDExportFolder::json(XDExportFolder::node("E5", "Linked")));
    QDir().mkpath(folder.path(QStringLiteral("E5")));
    QFile::link(outside.path() + QStringLiteral("/E5.json"), folder.path(QStringLiteral("E5/E5.json")));
    folder.masters({XDExportFolder::node("m1", "Button", {}, "sym1"), "not a node",
                    XDExportFolder::node("m2", "Escaping", {}, "../..")});
    folder.image(QStringLiteral("symbol_masters/sym1/star@2x.png"), 6);
    writeFileBytes(folder.root() + QStringLiteral("/../secret@2x.png"), XDExportFolder::png(8));
    ASSERT_TRUE(handOver());

    const ProgressLog log = upload("Android", "demo-android");

    ASSERT_FALSE(log.failed) << ::testing::PrintToString(log.events);
    EXPECT_EQ(log.finishedReports, 1);
    // The finished upload is logged with the artboards it sent, not every entry of the plug-in root.
    EXPECT_EQ(importer().getArtboardIds(), Strings{"A1"});
    const auto import = bodies("import/newScreensFromSketch");
    ASSERT_EQ(import.size(), 1u);
    Strings sent;
    for (const auto& a : import[0].at("artboards").as_array()) sent.push_back(str(a.as_object(), "oid"));
    for (const auto& m : import[0].at("symbolMasters").as_array()) sent.push_back(str(m.as_object(), "symbolID"));
    EXPECT_EQ(sent, (Strings{"A1", "sym1", "../.."}));
    EXPECT_EQ(imageKeys(bodies("resource/uploadResource")),
              (std::set<ImageKey>{{"A1", "icon", "icon", "1", "Back arrow"}, {"A1", "icon@2x", "icon", "2", "Back arrow"},
                                  {"sym1", "star@2x", "star", "2", "star@2x"}}));

    // The finished export goes, the unread E5 too, but nothing its links point to.
    for (const char* gone : {"A1", "E5", "symbol_masters"}) EXPECT_FALSE(folder.exists(QString::fromLatin1(gone))) << gone;
    EXPECT_TRUE(folder.exists(QStringLiteral("../secret@2x.png")));
    EXPECT_TRUE(QFileInfo::exists(outside.path() + QStringLiteral("/private@2x.png")));
    EXPECT_TRUE(QFileInfo::exists(outside.path() + QStringLiteral("/E5.json")));
}

namespace {

// An artboard JSON `levels` arrays deep inside its node.
QByteArray deepArtboard(int levels)
{
    return QByteArray(R"({"sceneNode":{"guid":"C3","name":"Deep"},"children":)") + QByteArray("[").repeated(levels)
           + QByteArray("]").repeated(levels) + QByteArray("}");
}

} // namespace

// One artboard of six was sent and the run said "finished": what cannot be read (layer files
// invalid, too deep, not a layer, holding a number too large; images empty or not images) is
// left out and named in the finished run's warnings.
TEST_F(XDImportTest, WhatCannotBeReadIsLeftOutAndNamed)
{
    startService();
    XDExportFolder folder;
    folder.artboard("A1", XDExportFolder::node("A1", "Home", {XDExportFolder::node("logo", "Logo")}));
    folder.image(QStringLiteral("A1/logo.png"), 3);
    folder.write(QStringLiteral("A1/empty.png"), {});
    // Beyond the cap by its size (a sparse file): refused without reading it.
    folder.write(QStringLiteral("A1/big.png"), {});
    ASSERT_TRUE(QFile::resize(folder.path(QStringLiteral("A1/big.png")), AdobeXDDesignImportHelper::kMaxImageFileBytes + 1));
    folder.write(QStringLiteral("A1/notes.png"), "not an image");
    folder.write(QStringLiteral("B2/B2.json"), "{\"sceneNode\": ");
    folder.write(QStringLiteral("C3/C3.json"), deepArtboard(2000));
    folder.write(QStringLiteral("D4/D4.json"), "[]");
    folder.write(QStringLiteral("E5/E5.json"), R"({"sceneNode":{"guid":"E5","name":"Huge","boundsInParent":{"x":1e999}}})");
    folder.image(QStringLiteral("E5/E5.png"), 5);
    folder.write(QStringLiteral("symbol_masters/symbol_masters.json"), "{}");
    ASSERT_TRUE(handOver());

    const ProgressLog log = upload();
    EXPECT_EQ(log.finishedReports, 1) << ::testing::PrintToString(log.events);
    Strings warnings;
    for (const UploadFailure& w : importer().uploadWarnings()) warnings.push_back(w.what + ": " + w.message);
    EXPECT_EQ(warnings, (Strings{"big.png: the file is larger than 256 MB", "empty.png: the image file is empty", "notes.png: the file is not an image",
                                 "B2: its layer file is not valid JSON", "C3: its layers nest deeper than 1024 levels",
                                 "D4: its layer file does not hold a layer", "Huge: a number in it is too large to be read",
                                 "symbol_masters.json: the file does not hold a list of symbols"}));
    EXPECT_EQ(importer().getArtboardIds(), Strings{"A1"});
    EXPECT_EQ(imageKeys(bodies("resource/uploadResource")).size(), 1u);
    // Left in the plug-in's folder, the unreadable artboards were warned about on every later upload.
    for (const char* gone : {"A1", "B2", "C3", "D4", "E5", "symbol_masters"}) EXPECT_FALSE(folder.exists(QString::fromLatin1(gone))) << gone;
    EXPECT_TRUE(QFileInfo(folder.root()).isDir()) << "the plug-in's own folder stays";
}

// Resource replies carry no status: each failed the first preview of every XD upload. A status
// of false or an error still stops the run.
TEST_F(XDImportTest, ResourceReplyWithoutStatusCountsAndARefusalStillStops)
{
    const struct {
        const char* reply;
        bool finishes;
    } cases[] = {
        {"{}", true},
        {R"({"status": false})", false},
        {R"({"errorModel": {"errorId": 50001, "errorMsg": "Storage full"}})", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reply);
        startService(std::string(R"([{"path": "resource/uploadResource", "times": -1, "body": )") + c.reply + "}]");
        XDExportFolder folder;
        folder.artboard("A1", XDExportFolder::node("A1", "Home", {XDExportFolder::node("logo", "Logo")}));
        folder.image(QStringLiteral("A1/logo.png"), 3);
        ASSERT_TRUE(handOver());
        const ProgressLog log = upload();
        EXPECT_EQ(log.finishedReports, c.finishes ? 1 : 0) << ::testing::PrintToString(log.events);
        EXPECT_EQ(log.failed, !c.finishes);
    }
}

// The XD run went on counting replies after a failure while the Sketch run stopped: both stop at
// the first failure, and the replies still coming are ignored.
TEST_F(XDImportTest, AfterAFailureTheRepliesStillComingAreIgnored)
{
    startService(R"([{"path": "resource/uploadResource", "times": 1, "body": {"status": false}}])");
    XDExportFolder folder;
    folder.artboard("A1", XDExportFolder::node("A1", "Home"));
    folder.artboard("B2", XDExportFolder::node("B2", "Detail"));
    folder.image(QStringLiteral("B2/icon.png"), 3);
    ASSERT_TRUE(handOver());

    const ProgressLog log = upload();
    ASSERT_FALSE(log.events.empty());
    EXPECT_EQ(log.events.front(), "step Artboards are preparing for upload... 33.3");
    EXPECT_EQ(std::count_if(log.events.begin(), log.events.end(), [](const std::string& e) { return e.starts_with("failure "); }), 1);
    EXPECT_TRUE(log.events.back().starts_with("failure ")) << ::testing::PrintToString(log.events);
    EXPECT_EQ(log.finishedReports, 0);
    EXPECT_EQ(service->recordedPaths().size(), 4u) << "the import, two previews and the image were all answered";
    EXPECT_TRUE(folder.exists(QStringLiteral("A1")) && folder.exists(QStringLiteral("B2"))) << "kept for another try";
}
