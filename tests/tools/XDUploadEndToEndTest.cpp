// Whole Adobe XD uploads through the application's own road: the import driver puts an export
// where the plug-in leaves it, hands it over with the plug-in's start message on the application's
// WebSocket channel and follows the progress screen; the stand-in service answers. What reached
// the service, what the screen showed and what is left in the plug-in's folder are compared with
// what the export holds.

#include "ImportDriverProcess.h"
#include "XDPluginFolder.h"

#include "platform/JsonText.h"
#include "support/StandinService.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Strings = std::vector<std::string>;
using X = XDPluginFolder;

const std::string kPreparing = "Artboards are preparing for upload...";
const std::string kStartMessage = R"({"actionCode":"start","source":"adobeXd","fileName":"export.xdzvusk"})";

std::string str(const boost::json::object& o, std::string_view key)
{
    const auto* v = o.if_contains(key);
    return v && v->is_string() ? std::string(v->get_string()) : std::string("<none>");
}

const boost::json::object& member(const boost::json::object& o, std::string_view key)
{
    static const boost::json::object empty;
    const auto* v = o.if_contains(key);
    return v && v->is_object() ? v->get_object() : empty;
}

const boost::json::array& list(const boost::json::object& o, std::string_view key)
{
    static const boost::json::array empty;
    const auto* v = o.if_contains(key);
    return v && v->is_array() ? v->get_array() : empty;
}

// The same JSON, numbers compared by value: a writer may put 375 as 375.0.
bool sameJson(const boost::json::value& a, const boost::json::value& b)
{
    if (a.is_number() && b.is_number()) return a.to_number<double>() == b.to_number<double>();
    if (a.kind() != b.kind()) return false;
    if (a.is_object()) {
        if (a.get_object().size() != b.get_object().size()) return false;
        return std::all_of(a.get_object().begin(), a.get_object().end(), [&](const auto& kv) {
            const auto* other = b.get_object().if_contains(kv.key());
            return other && sameJson(kv.value(), *other);
        });
    }
    if (a.is_array())
        return std::equal(a.get_array().begin(), a.get_array().end(), b.get_array().begin(), b.get_array().end(), sameJson);
    return a == b;
}

// One image the service must receive, and the file of the export it comes from.
struct Image {
    std::string owner; // artboardId: the artboard, or the master's symbol id
    std::string fileName;
    std::string oid;
    std::string scale;
    std::string imageName;
    std::string file;
    auto key() const { return std::tie(owner, fileName, oid, scale, imageName); }
    bool operator<(const Image& other) const { return key() < other.key(); }
    bool operator==(const Image& other) const { return key() == other.key(); }
};

std::ostream& operator<<(std::ostream& out, const Image& i)
{
    return out << i.owner << "/" << i.fileName << " (" << i.oid << " @" << i.scale << " \"" << i.imageName << "\")";
}

// ---- The rich export ----
// Two artboards (one with images at every scale, one without), a third whose JSON is broken, a
// folder without JSON, stray files in the root and in an artboard folder, and four symbol masters
// (with images, with images only iOS leaves out, without images, hidden) beside an element of the
// masters' array that is no layer.
void writeRichExport(XDPluginFolder& f)
{
    f.write(QStringLiteral(".DS_Store"), "platform file");
    f.write(QStringLiteral("notes.txt"), "stray file of the plug-in's root");

    f.artboard("A1",
               X::node("A1", "Home", 0, 0, 375, 812,
                       {X::node("logo", "", 0, 0, 1, 1), // the same id without a name: the named one counts
                        X::node("hdr", "Header", 0, 0, 375, 60,
                                {X::node("logo", "Logo", 8, 8, 40, 40), X::node("photo", "Photo", 300, 8, 60, 40)}),
                        X::node("icon", "Back icon", 8, 70, 24, 24)}),
               X::png(37, 81));
    int width = 2;
    for (const char* name : {"logo.png", "logo@2x.png", "logo@3x.png", "icon@1x.png", "icon@1.5x.png", "icon@4x.png",
                             "photo.final.jpg"})
        f.write(QStringLiteral("A1/") + QLatin1String(name), X::png(++width, 3));
    f.write(QStringLiteral("A1/A1-badge.png"), X::png(9, 9)); // named after its artboard: never an image of it
    f.write(QStringLiteral("A1/.DS_Store"), "platform file");
    f.write(QStringLiteral("A1/layout.json"), "{}");

    f.artboard("B2", X::node("B2", "Detail", 400.5, 0, 375, 667.25), X::png(20, 30));
    f.write(QStringLiteral("C3/C3.json"), R"({"sceneNode": {"guid": "C3", "name": "Broken")");
    f.write(QStringLiteral("C3/C3.png"), X::png(5, 5));
    f.write(QStringLiteral("D4/D4.png"), X::png(6, 6));

    auto plain = X::node("m3", "Plain", 0, 0, 10, 10, {}, "SYM-3");
    plain["sceneNode"].as_object()["visible"] = false;
    f.masters({X::node("m1", "Button", 0, 0, 120, 44, {X::node("badge", "Badge", 2, 2, 8, 8)}, "SYM-1"), 42,
               X::node("m2", "Chevron", 0, 0, 24, 24, {}, "SYM-2"), std::move(plain),
               X::node("m4", "Star", 0, 0, 16, 16, {}, "SYM-4")});
    for (const char* name : {"SYM-1/badge.png", "SYM-1/badge@2x.png", "SYM-1/badge@1.5x.png", "SYM-2/chevron@3x.png",
                             "SYM-2/chevron@4x.png", "SYM-4/star@1x.png"})
        f.write(QStringLiteral("symbol_masters/") + QLatin1String(name), X::png(++width, 4));
}

const std::vector<Image> kRichImagesOnEveryPlatform = {
    {"A1", "logo", "logo", "1", "Logo", "A1/logo.png"},
    {"A1", "logo@2x", "logo", "2", "Logo", "A1/logo@2x.png"},
    {"A1", "logo@3x", "logo", "3", "Logo", "A1/logo@3x.png"},
    {"A1", "photo.final", "photo", "1", "Photo", "A1/photo.final.jpg"},
    {"SYM-1", "badge", "badge", "1", "badge", "symbol_masters/SYM-1/badge.png"},
    {"SYM-1", "badge@2x", "badge", "2", "badge@2x", "symbol_masters/SYM-1/badge@2x.png"},
    {"SYM-2", "chevron@3x", "chevron", "3", "chevron@3x", "symbol_masters/SYM-2/chevron@3x.png"},
};

const std::vector<Image> kRichImagesOnAndroidOnly = {
    {"A1", "icon@1x", "icon", "1", "Back icon", "A1/icon@1x.png"},
    {"A1", "icon@1.5x", "icon", "1.5", "Back icon", "A1/icon@1.5x.png"},
    {"A1", "icon@4x", "icon", "4", "Back icon", "A1/icon@4x.png"},
    {"SYM-1", "badge@1.5x", "badge", "1.5", "badge@1.5x", "symbol_masters/SYM-1/badge@1.5x.png"},
    {"SYM-2", "chevron@4x", "chevron", "4", "chevron@4x", "symbol_masters/SYM-2/chevron@4x.png"},
    {"SYM-4", "star@1x", "star", "1", "star@1x", "symbol_masters/SYM-4/star@1x.png"},
};

std::vector<Image> operator+(std::vector<Image> a, const std::vector<Image>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct Master {
    std::string guid;
    std::string name;
    std::string symbolID;
    bool visible;
};

const std::map<std::string, std::string> kRichArtboards{{"A1", "Home"}, {"B2", "Detail"}};
const std::vector<Master> kRichMasters{
    {"m1", "Button", "SYM-1", true}, {"m2", "Chevron", "SYM-2", true}, {"m3", "Plain", "SYM-3", false}, {"m4", "Star", "SYM-4", true}};
// Every folder, the unreadable C3 and D4 too; the stray files stay.
const Strings kRichGone{"A1/", "B2/", "C3/", "D4/", "symbol_masters/"};

struct UploadCase {
    std::string name;
    std::function<void(XDPluginFolder&)> write; // the export as the plug-in left it
    std::string projectId;
    std::string platform;
    std::map<std::string, std::string> artboards; // id -> name of the artboards the service gets
    std::vector<Master> masters;                  // in the order of the masters' file
    std::vector<Image> images;
    Strings firstProgress; // the reports made before any upload reply, in order
    Strings gone;          // what the finished run removed from the plug-in's folder (folders end in "/")
};

class XDUploadEndToEnd : public ::testing::Test {
public:
    void startService(const std::string& script = {})
    {
        service.reset();
        service.emplace(StandinService::withScript(script));
        ASSERT_TRUE(service->isRunning()) << service->errorText().toStdString();
    }

    QString newFolder(const QString& name)
    {
        const QString path = work.filePath(name + QString::number(++folders));
        QDir().mkpath(path);
        return path;
    }

    // The driver in its own home (kept for a look at what is left); a stuck run ends well before
    // the test's own bound.
    DriverOutcome drive(const QString& exportFolder, const std::string& projectId, const QString& home,
                        QStringList extra = {})
    {
        extra << QStringLiteral("--home") << home << QStringLiteral("--timeout") << QStringLiteral("300");
        return ImportDriverProcess::run(ImportDriverProcess::xdArguments(service->baseUrl(), projectId, exportFolder, extra));
    }

    std::vector<boost::json::object> bodiesFor(const std::string& path) const
    {
        std::vector<boost::json::object> found;
        for (const auto& r : service->records())
            if (str(r, "path") == path) found.push_back(member(r, "body"));
        return found;
    }

    void expectUpload(const UploadCase& c, const XDPluginFolder& source, const DriverOutcome& outcome);

    std::optional<StandinService> service;
    QTemporaryDir work;
    int folders = 0;
};

void XDUploadEndToEnd::expectUpload(const UploadCase& c, const XDPluginFolder& source, const DriverOutcome& outcome)
{
    // The hand-off went over the channel as the plug-in sends it.
    EXPECT_EQ(outcome.linesStartingWith("channel "),
              (Strings{"channel Plugin export didStart: true", "channel Server websocket did receive message: " + kStartMessage}));

    // The road: sign-in, project list, the import first, every resource after its reply, the
    // reloaded list last.
    Strings expectedPaths{"user/login", "project/getAll", "import/newScreensFromSketch"};
    expectedPaths.insert(expectedPaths.end(), c.artboards.size() + c.images.size(), "resource/uploadResource");
    expectedPaths.push_back("project/getAll");
    EXPECT_EQ(service->recordedPaths(), expectedPaths);

    // The import request: the layer JSON of artboards and masters travels whole.
    const auto imports = bodiesFor("import/newScreensFromSketch");
    ASSERT_EQ(imports.size(), 1u);
    const auto& import = imports[0];
    EXPECT_EQ((Strings{str(import, "projectId"), str(import, "platform"), str(import, "appVersion")}),
              (Strings{c.projectId, c.platform, "1.0"}));
    EXPECT_TRUE(list(import, "textStyles").empty() && list(import, "layerStyles").empty());
    std::map<std::string, std::string> sentArtboards;
    for (const auto& a : list(import, "artboards")) {
        const auto& record = a.as_object();
        const std::string id = str(record, "oid");
        SCOPED_TRACE("artboard " + id);
        sentArtboards[id] = str(record, "name");
        EXPECT_EQ(str(record, "type"), "adobeXd");
        const auto node = platform::parseJson(source.read(QString::fromStdString(id + "/" + id + ".json")).toStdString());
        const auto sent = platform::parseJson(str(record, "jsonString"));
        ASSERT_TRUE(node && sent && node->is_object());
        EXPECT_TRUE(sameJson(*sent, *node));
        const auto& bounds = member(member(node->get_object(), "sceneNode"), "boundsInParent");
        for (const char* key : {"x", "y", "width", "height"})
            EXPECT_TRUE(member(record, "frame").contains(key) && sameJson(member(record, "frame").at(key), bounds.at(key))) << key;
    }
    EXPECT_EQ(sentArtboards, c.artboards);

    const auto& masters = list(import, "symbolMasters");
    ASSERT_EQ(masters.size(), c.masters.size());
    const auto mastersFile = platform::parseJson(source.read(QStringLiteral("symbol_masters/symbol_masters.json")).toStdString());
    ASSERT_TRUE(masters.empty() || (mastersFile && mastersFile->is_array()));
    for (std::size_t i = 0; i < masters.size(); ++i) {
        const auto& record = masters[i].as_object();
        const Master& expected = c.masters[i];
        SCOPED_TRACE("master " + expected.name);
        EXPECT_EQ((Strings{str(record, "oid"), str(record, "name"), str(record, "symbolID"), str(record, "_class"),
                           str(record, "type")}),
                  (Strings{expected.guid, expected.name, expected.symbolID, "symbolMaster", "adobeXd"}));
        const auto* visible = record.if_contains("isVisible");
        EXPECT_TRUE(visible && visible->is_bool() && visible->get_bool() == expected.visible);
        const auto sent = platform::parseJson(str(record, "jsonString"));
        EXPECT_TRUE(sent && std::any_of(mastersFile->as_array().begin(), mastersFile->as_array().end(), [&](const auto& e) {
                        return e.is_object() && str(member(e.as_object(), "sceneNode"), "guid") == expected.guid &&
                               sameJson(*sent, e);
                    }));
    }

    // Resources: one PNG preview per artboard, and every image of the platform with its own bytes.
    std::map<std::string, int> previews;
    std::vector<Image> sentImages;
    for (const auto& b : bodiesFor("resource/uploadResource")) {
        EXPECT_EQ((Strings{str(b, "projectId"), str(b, "appVersion")}), (Strings{c.projectId, "1.0"}));
        const std::string owner = str(b, "artboardId");
        const QByteArray data = QByteArray::fromBase64(QByteArray::fromStdString(str(b, "imageData")));
        if (c.artboards.count(owner) && str(b, "fileName") == owner) {
            ++previews[owner];
            EXPECT_EQ((Strings{str(b, "oid"), str(b, "imageName"), str(b, "scale"), str(b, "format")}),
                      (Strings{owner, owner, "1", "png"}));
            const QImage sent = QImage::fromData(data, "PNG");
            EXPECT_FALSE(sent.isNull()) << "preview of " << owner;
            EXPECT_EQ(sent.size(), QImage::fromData(source.read(QString::fromStdString(owner + "/" + owner + ".png"))).size());
            continue;
        }
        Image image{owner, str(b, "fileName"), str(b, "oid"), str(b, "scale"), str(b, "imageName"), {}};
        for (const auto& expected : c.images) {
            if (expected == image) {
                EXPECT_EQ(data, source.read(QString::fromStdString(expected.file))) << image;
            }
        }
        sentImages.push_back(image);
    }
    for (const auto& [id, name] : c.artboards) EXPECT_EQ(previews[id], 1) << "preview of " << id;
    std::vector<Image> expectedImages = c.images;
    std::sort(sentImages.begin(), sentImages.end());
    std::sort(expectedImages.begin(), expectedImages.end());
    EXPECT_EQ(sentImages, expectedImages);

    // Progress over the artboards and masters that were read.
    Strings artboardNames, masterNames;
    for (const auto& [id, name] : c.artboards) artboardNames.push_back(name);
    for (const auto& m : c.masters) masterNames.push_back(m.name);
    EXPECT_EQ(outcome.progressProblems(artboardNames, masterNames), Strings{});
    const auto progress = outcome.linesStartingWith("progress ");
    ASSERT_GE(progress.size(), c.firstProgress.size());
    EXPECT_EQ(Strings(progress.begin(), progress.begin() + static_cast<long>(c.firstProgress.size())), c.firstProgress);
    EXPECT_EQ(outcome.lastLine(), "finished");

    // On disk: the export's folders are gone, everything else is as the plug-in left it, bytes and all.
    const QString pluginFolder = QString::fromStdString(outcome.valueOf("plugin-folder "));
    ASSERT_FALSE(pluginFolder.isEmpty());
    EXPECT_TRUE(QFileInfo(pluginFolder).isDir()) << "the plug-in's own folder stays";
    auto expectedLeft = X::contents(source.root());
    std::erase_if(expectedLeft, [&](const auto& entry) {
        return std::any_of(c.gone.begin(), c.gone.end(), [&](const std::string& g) {
            return g.back() == '/' ? entry.first.starts_with(g) : entry.first == g;
        });
    });
    EXPECT_TRUE(X::contents(pluginFolder) == expectedLeft);
}

TEST_F(XDUploadEndToEnd, UploadsWhatThePluginExportedOnBothPlatformsAndRemovesItsFolders)
{
    const std::vector<UploadCase> cases = {
        {"rich export, iOS", writeRichExport, "demo-ios", "iOS", kRichArtboards, kRichMasters, kRichImagesOnEveryPlatform,
         // total 10: the import counts 2, then B2, Plain and Star (no image on iOS) at once
         {"progress 20.00 " + kPreparing, "progress 30.00 Detail", "progress 40.00 Plain", "progress 50.00 Star"},
         kRichGone},
        {"symbol masters only, Android",
         [](XDPluginFolder& f) {
             f.write(QStringLiteral("notes.txt"), "stray");
             f.masters({X::node("m1", "Button", 0, 0, 120, 44, {}, "SYM-1")});
             for (const char* name : {"badge.png", "badge@2x.png", "badge@1.5x.png"})
                 f.write(QStringLiteral("symbol_masters/SYM-1/") + QLatin1String(name), X::png(4, 4));
         },
         "demo-android", "Android", {}, {{"m1", "Button", "SYM-1", true}},
         {{"SYM-1", "badge", "badge", "1", "badge", "symbol_masters/SYM-1/badge.png"},
          {"SYM-1", "badge@2x", "badge", "2", "badge@2x", "symbol_masters/SYM-1/badge@2x.png"},
          {"SYM-1", "badge@1.5x", "badge", "1.5", "badge@1.5x", "symbol_masters/SYM-1/badge@1.5x.png"}},
         {"progress 0.00 " + kPreparing}, {"symbol_masters/"}},
        {"artboards without images, no masters, iOS",
         [](XDPluginFolder& f) {
             f.artboard("Z9", X::node("Z9", "Last", 0, 0, 320, 480), X::png(8, 12));
             f.artboard("a0", X::node("a0", "Ünïcode name ✓", 0, 0, 320, 480), X::png(12, 8));
         },
         "demo-ios", "iOS", {{"Z9", "Last"}, {"a0", "Ünïcode name ✓"}}, {}, {}, {"progress 33.33 " + kPreparing},
         {"Z9/", "a0/"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        startService();
        XDPluginFolder source(newFolder(QStringLiteral("export")));
        c.write(source);
        const DriverOutcome outcome = drive(source.root(), c.projectId, newFolder(QStringLiteral("home")));
        ASSERT_FALSE(outcome.crashed) << outcome.errorOutput;
        EXPECT_EQ(outcome.exitCode, 0) << outcome.lastLine() << "\n" << outcome.errorOutput;
        expectUpload(c, source, outcome);
    }
}

// The rich export on Android, after a first run that failed on an upload.
TEST_F(XDUploadEndToEnd, AnExportWhoseUploadFailedUploadsWholeOnTheNextRun)
{
    XDPluginFolder source(newFolder(QStringLiteral("export")));
    writeRichExport(source);
    const QString home = newFolder(QStringLiteral("home"));

    startService(R"([{"path": "resource/uploadResource", "body": {"errorModel": {"errorId": 20003, "errorMsg": "Disk full."}}}])");
    const DriverOutcome failed = drive(source.root(), "demo-android", home);
    ASSERT_EQ(failed.exitCode, 1) << failed.lastLine();
    const QString pluginFolder = QString::fromStdString(failed.valueOf("plugin-folder "));

    // Again, in the same home, from the plug-in's folder where it is.
    startService();
    const DriverOutcome again = drive(pluginFolder, "demo-android", home);
    EXPECT_EQ(again.exitCode, 0) << again.lastLine() << "\n" << again.errorOutput;
    EXPECT_EQ(again.valueOf("plugin-folder "), pluginFolder.toStdString());
    expectUpload({"retry", writeRichExport, "demo-android", "Android", kRichArtboards, kRichMasters,
                  kRichImagesOnEveryPlatform + kRichImagesOnAndroidOnly,
                  {"progress 20.00 " + kPreparing, "progress 30.00 Detail", "progress 40.00 Plain"}, kRichGone},
                 source, again);
}

struct EndingCase {
    std::string name;
    std::function<void(XDPluginFolder&)> write; // empty: the plug-in left no folder at all
    std::string script;                         // scripted replies of the stand-in service
    QStringList extra;                          // more driver arguments
    std::string lastLine;                       // its beginning
    std::string lastLineHolds;                  // text somewhere in it
    std::string mustSee;                        // the beginning of a line the driver printed
    Strings paths;                              // the requests the service received, in order
};

TEST_F(XDUploadEndToEnd, EveryRunThatDoesNotFinishTellsWhyAndLeavesTheExportAsItWas)
{
    const Strings signedIn{"user/login"};
    const Strings listed{"user/login", "project/getAll"};
    const Strings imported{"user/login", "project/getAll", "import/newScreensFromSketch"};
    auto brokenPreview = [](XDPluginFolder& f) {
        writeRichExport(f);
        f.write(QStringLiteral("A1/A1.png"), "not an image");
    };
    auto strayOnly = [](XDPluginFolder& f) {
        f.write(QStringLiteral(".DS_Store"), "platform file");
        f.write(QStringLiteral("D4/D4.png"), X::png(4, 4));
        f.write(QStringLiteral("symbol_masters/SYM-1/badge.png"), X::png(4, 4));
    };
    auto brokenJsonOnly = [](XDPluginFolder& f) {
        f.write(QStringLiteral("C3/C3.json"), "[1, 2");
        f.write(QStringLiteral("C3/C3.png"), X::png(4, 4));
        f.write(QStringLiteral("E5/E5.json"), "[]"); // JSON, but no layer
        f.write(QStringLiteral("E5/E5.png"), X::png(4, 4));
        f.write(QStringLiteral("symbol_masters/symbol_masters.json"), R"({"not": "an array"})");
    };
    auto message = [](const char* text) { return QStringList{QStringLiteral("--message"), QString::fromUtf8(text)}; };
    const std::string noImport = "failed the application started no import for the message";
    const std::string nothing = "The Adobe XD plug-in's folder holds no artboard or symbol to upload.";
    const std::vector<EndingCase> cases = {
        {"the service refuses the import", writeRichExport,
         R"([{"path": "import/newScreensFromSketch", "body": {"status": false}}])", {},
         "failed The upload stopped: The service did not accept the import.", {}, {}, imported},
        {"the import fails with the service's message", writeRichExport,
         R"([{"path": "import/newScreensFromSketch", "body": {"errorModel": {"errorId": 20002, "errorMsg": "Quota exceeded."}}}])",
         {}, "failed The upload stopped: Quota exceeded.", {}, {}, imported},
        {"one upload fails", writeRichExport,
         R"([{"path": "resource/uploadResource", "body": {"errorModel": {"errorId": 20003, "errorMsg": "Disk full."}}}])",
         {}, "failed The upload stopped at “", "Disk full.", {}, {}},
        {"a preview that is no image", brokenPreview, {}, {},
         "failed The upload stopped at “Home”: The artboard's preview image cannot be read.", {}, {}, listed},
        {"nothing but stray files", strayOnly, {}, {}, "failed the project selection did not open", {},
         "dialog Nothing to upload | " + nothing, signedIn},
        // What could not be read used to go unnamed; the refusal now says what and why.
        {"nothing but broken JSON", brokenJsonOnly, {}, {},
         "failed The upload stopped: Nothing in the Adobe XD plug-in's folder could be uploaded: C3: its layer file is not "
         "valid JSON; E5: its layer file does not hold a layer; symbol_masters.json: the file does not hold a list of "
         "symbols. Export the artboards from Adobe XD again.",
         {}, {}, listed},
        {"no plug-in folder", {}, {}, {}, "failed the project selection did not open", {},
         "dialog Zendaq Vusk for XD cannot be found. Please check the plugin and try again. | ", signedIn},
        {"a start message of another source", writeRichExport, {},
         message(R"({"actionCode":"start","source":"sketch","fileName":"export.xdzvusk"})"), noImport, {},
         R"(channel Server websocket did receive message: {"actionCode":"start","source":"sketch")", signedIn},
        {"a message that is no JSON", writeRichExport, {}, message("start adobeXd"), noImport, {},
         "channel Server websocket did receive message: start adobeXd", signedIn},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        startService(c.script);
        std::optional<XDPluginFolder> source;
        if (c.write) {
            source.emplace(newFolder(QStringLiteral("export")));
            c.write(*source);
        }
        const DriverOutcome outcome =
            drive(source ? source->root() : QString(), "demo-ios", newFolder(QStringLiteral("home")), c.extra);
        ASSERT_FALSE(outcome.crashed) << outcome.errorOutput;
        EXPECT_EQ(outcome.exitCode, 1) << outcome.lastLine() << "\n" << outcome.errorOutput;
        EXPECT_TRUE(outcome.lastLine().starts_with(c.lastLine)) << outcome.lastLine();
        EXPECT_NE(outcome.lastLine().find(c.lastLineHolds), std::string::npos) << outcome.lastLine();
        EXPECT_TRUE(c.mustSee.empty() || !outcome.linesStartingWith(c.mustSee).empty()) << c.mustSee;
        EXPECT_TRUE(outcome.linesStartingWith("progress 100.00").empty());

        const Strings paths = service->recordedPaths();
        if (!c.paths.empty()) {
            EXPECT_EQ(paths, c.paths);
        }
        EXPECT_EQ(std::count(paths.begin(), paths.end(), "project/getAll"), paths.size() > 1 ? 1 : 0)
            << "a run that did not finish does not reload the list";

        const QString pluginFolder = QString::fromStdString(outcome.valueOf("plugin-folder "));
        ASSERT_FALSE(pluginFolder.isEmpty());
        if (source) {
            EXPECT_TRUE(X::contents(pluginFolder) == X::contents(source->root())) << "the export must stay for a retry";
        } else {
            EXPECT_FALSE(QFileInfo::exists(pluginFolder)) << "no folder is made where the plug-in left none";
        }
    }
}

} // namespace
