// Whole Sketch uploads through the application's own road: the import driver, the stand-in
// service and the stand-in Sketch tool run as processes. What reaches the service and what the
// progress screen showed are compared with what the document itself says must be sent.

#include "GeneratedSketchDocument.h"
#include "ImportDriverProcess.h"
#include "SketchDocumentExpectation.h"

#include "platform/JsonText.h"
#include "platform/PropertyList.h"
#include "support/StandinService.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;
using G = GeneratedSketchDocument;

const std::string kVersion = "7.1";

// (format, scale text, file name) of each cut of one image, in order.
using Cut = std::tuple<std::string, std::string, std::string>;

std::vector<Cut> scaleChain(const std::string& platform, const std::string& id)
{
    if (platform == "iOS") return {{"png", "1", id}, {"png", "2", id + "@2x"}, {"png", "3", id + "@3x"}, {"pdf", "-1", id}};
    return {{"png", "1", id},           {"png", "1.5", id + "@1x"}, {"png", "2", id + "@2x"},
            {"png", "3", id + "@3x"},   {"png", "4", id + "@4x"},   {"svg", "-1", id}};
}

std::string str(const boost::json::object& o, std::string_view key)
{
    const auto* v = o.if_contains(key);
    return v && v->is_string() ? std::string(v->get_string()) : std::string();
}

const boost::json::object& body(const boost::json::object& record)
{
    static const boost::json::object empty;
    const auto* b = record.if_contains("body");
    return b && b->is_object() ? b->get_object() : empty;
}

// Three artboards on two pages, chosen out of document order; images at several depths, one
// inside a hidden group and one hidden itself; masters used directly, through another master,
// not at all, and only from inside a hidden group.
GeneratedSketchDocument richDocument()
{
    GeneratedSketchDocument d;
    d.addPage("P1",
              {G::artboard("A1", "Home", G::frame(0, 0, 375, 812),
                           {G::group("G1", "toolbar", G::frame(10, 20, 300, 44),
                                     {G::layer("I1", "icon/back arrow", G::frame(5, 5, 24, 24), {"png"}),
                                      G::hidden(G::layer("H1", "hidden icon", G::frame(40, 5, 24, 24), {"png"})),
                                      G::symbolInstance("X1", "SYM-A", G::frame(80, 2, 60, 40))}),
                            G::layer("I2", "Logo.Main", G::frame(100.5, 200.25, 120, 40), {"svg"}),
                            G::hidden(G::group("HG", "old header", G::frame(0, 0, 375, 60),
                                               {G::layer("I3", "old logo", G::frame(1, 1, 10, 10), {"png"}),
                                                G::symbolInstance("X2", "SYM-HIDDEN", G::frame(0, 0, 10, 10))}))}),
               G::artboard("A2", "Settings", G::frame(400, 0, 375, 812),
                           {G::symbolInstance("X3", "SYM-B", G::frame(0, 100, 375, 44))}),
               G::symbolMaster("MA", "SYM-A", "Button", G::frame(1000, 0, 60, 40),
                               {G::layer("MI1", "badge", G::frame(2, 2, 8, 8), {"png"})}),
               G::symbolMaster("MB", "SYM-B", "Row", G::frame(1000, 100, 375, 44),
                               {G::symbolInstance("X4", "SYM-C", G::frame(340, 10, 24, 24))}),
               G::symbolMaster("MC", "SYM-C", "Chevron", G::frame(1000, 200, 24, 24),
                               {G::layer("MI2", "chevron", G::frame(0, 0, 24, 24), {"pdf"})}),
               G::symbolMaster("MU", "SYM-U", "Unused", G::frame(1000, 300, 24, 24),
                               {G::layer("MI3", "unused", G::frame(0, 0, 24, 24), {"png"})}),
               G::symbolMaster("MH", "SYM-HIDDEN", "Hidden only", G::frame(1000, 400, 24, 24),
                               {G::layer("MI4", "hidden only", G::frame(0, 0, 24, 24), {"png"})})});
    d.addPage("P2", {G::artboard("A3", "Profile Ü", G::frame(0, 0, 375, 812),
                                 {G::layer("I4", "Avatar (big) é", G::frame(16, 16, 64, 64), {"png"})})});
    d.addTextStyle("Title");
    d.addTextStyle("Body");
    d.addLayerStyle("Card");
    return d;
}

struct UploadCase {
    std::string name;
    QString fixture;       // a document of the shared fixtures; empty: the generated one
    Strings selection;     // empty: every artboard of the document
    std::string projectId;
    std::string platform;
    std::string designFile; // the name the design document travels under; empty: not uploaded
};

class SketchUploadEndToEnd : public ::testing::Test {
public: // the cases of a table reach into the fixture
    void startService(bool shouldUploadSketch, const std::string& script = {})
    {
        service.reset();
        StandinService::Options options;
        options.shouldUploadSketch = shouldUploadSketch;
        options.scriptJson = script;
        service.emplace(options);
        ASSERT_TRUE(service->isRunning()) << service->errorText().toStdString();
    }

    QString writeExportFile(const QString& document, const Strings& artboardIds,
                            const QString& tool = ImportDriverProcess::sketchToolStandin())
    {
        boost::json::array ids;
        for (const auto& id : artboardIds) ids.emplace_back(id);
        const boost::json::object plist{{"sketchFilePath", document.toStdString()}, {"artboardIds", ids},
                                        {"artboardNames", boost::json::array()}, {"version", kVersion},
                                        {"sketchtoolPath", tool.toStdString()}};
        const QString path = work.filePath(QStringLiteral("export-%1.zvusk").arg(++exportFiles));
        EXPECT_TRUE(platform::writePropertyList(path, plist, platform::PropertyListFormat::Xml));
        return path;
    }

    QString writeGenerated(const QString& name)
    {
        const QString path = work.filePath(name);
        QString error;
        EXPECT_TRUE(richDocument().write(path, &error)) << error.toStdString();
        return path;
    }

    // A stuck run ends the driver well before the test's own bound.
    DriverOutcome drive(const QString& exportFile, const std::string& projectId, QStringList extra = {})
    {
        if (!extra.contains(QStringLiteral("--timeout"))) extra << QStringLiteral("--timeout") << QStringLiteral("300");
        return ImportDriverProcess::run(ImportDriverProcess::arguments(service->baseUrl(), projectId, exportFile, extra));
    }

    void expectUpload(const UploadCase& c, const SketchDocumentExpectation& doc, const Strings& selected,
                      const DriverOutcome& outcome);

    std::optional<StandinService> service;
    QTemporaryDir work;
    int exportFiles = 0;
};

void SketchUploadEndToEnd::expectUpload(const UploadCase& c, const SketchDocumentExpectation& doc,
                                        const Strings& selected, const DriverOutcome& outcome)
{
    const std::set<std::string> used = doc.usedSymbolIds(selected);
    const auto records = service->records();
    ASSERT_GE(records.size(), 4u);

    // The road: sign-in, project list, the import first, every resource after it, the reloaded
    // list last (after the design document, whose upload the last report waits for).
    const Strings paths = service->recordedPaths();
    EXPECT_EQ(Strings(paths.begin(), paths.begin() + 3),
              (Strings{"user/login", "project/getAll", "import/newScreensFromSketch"}));
    EXPECT_EQ(paths.back(), "project/getAll");
    EXPECT_EQ(std::count(paths.begin(), paths.end(), "resource/uploadDesignFile"), c.designFile.empty() ? 0 : 1);
    for (std::size_t i = 3; i + 1 < paths.size(); ++i)
        EXPECT_TRUE(paths[i] == "resource/uploadResource" || paths[i] == "resource/uploadDesignFile") << paths[i];

    // The import request.
    const auto& import = body(records[2]);
    EXPECT_EQ((Strings{str(import, "projectId"), str(import, "platform"), str(import, "appVersion")}),
              (Strings{c.projectId, c.platform, kVersion}));
    const auto& artboards = import.at("artboards").as_array();
    ASSERT_EQ(artboards.size(), selected.size());
    for (std::size_t i = 0; i < selected.size(); ++i) {
        const auto& record = artboards[i].as_object();
        const auto* original = doc.artboard(selected[i]);
        ASSERT_TRUE(original);
        SCOPED_TRACE("artboard " + original->name);
        EXPECT_EQ((Strings{str(record, "oid"), str(record, "name"), str(record, "type")}),
                  (Strings{original->id, original->name, "sketch"}));
        for (const char* key : {"x", "y", "width", "height"})
            EXPECT_DOUBLE_EQ(record.at("frame").as_object().at(key).to_number<double>(), original->frame.at(key).to_number<double>()) << key;
        const auto json = platform::parseJson(str(record, "jsonString"));
        ASSERT_TRUE(json) << "the artboard's jsonString is JSON";
        EXPECT_EQ(doc.artboardAnnotationProblems(original->id, *json), Strings{});
    }
    // Every master goes with the import, used or not.
    std::set<std::string> sentMasters, documentMasters;
    for (const auto& m : import.at("symbolMasters").as_array()) {
        const auto& record = m.as_object();
        const std::string symbolID = str(record, "symbolID");
        sentMasters.insert(symbolID);
        EXPECT_EQ((Strings{str(record, "_class"), str(record, "type")}), (Strings{"symbolMaster", "sketch"}));
        const auto json = platform::parseJson(str(record, "jsonString"));
        ASSERT_TRUE(json);
        if (doc.masters().at(symbolID).id == str(record, "oid")) {
            EXPECT_EQ(doc.masterAnnotationProblems(symbolID, *json), Strings{}) << str(record, "name");
        }
    }
    for (const auto& [symbolID, master] : doc.masters()) documentMasters.insert(symbolID);
    EXPECT_EQ(import.at("symbolMasters").as_array().size(), doc.masterCount());
    EXPECT_EQ(sentMasters, documentMasters);
    EXPECT_EQ(import.at("textStyles").as_array().size(), doc.textStyleCount());
    EXPECT_EQ(import.at("layerStyles").as_array().size(), doc.layerStyleCount());

    // Resources: one preview per artboard; each image of a chosen artboard or a used master cut
    // and sent at every scale of the platform, in order.
    using Key = std::pair<std::string, std::string>; // owner, layer
    std::map<std::string, int> previews;
    std::map<Key, std::vector<Cut>> cuts;
    std::map<Key, std::set<std::string>> imageNames;
    const std::set<std::string> selectedSet(selected.begin(), selected.end());
    for (const auto& r : records) {
        if (str(r, "path") != "resource/uploadResource") continue;
        const auto& b = body(r);
        EXPECT_EQ((Strings{str(b, "projectId"), str(b, "appVersion"), str(b, "prefix")}), (Strings{c.projectId, kVersion, ""}));
        EXPECT_FALSE(str(b, "imageData").empty());
        const std::string owner = str(b, "artboardId");
        const std::string oid = str(b, "oid");
        if (selectedSet.count(owner) && oid == owner) {
            ++previews[owner];
            EXPECT_EQ((Strings{str(b, "fileName"), str(b, "imageName"), str(b, "format"), str(b, "scale")}),
                      (Strings{owner, owner, "png", "1"}));
            continue;
        }
        cuts[{owner, oid}].emplace_back(str(b, "format"), str(b, "scale"), str(b, "fileName"));
        imageNames[{owner, oid}].insert(str(b, "imageName"));
    }
    for (const auto& id : selectedSet) EXPECT_EQ(previews[id], 1) << "preview of " << id;

    std::map<Key, std::string> expectedImages; // -> image name
    for (const auto& id : selectedSet)
        for (const auto& [layerId, name] : doc.artboard(id)->images) expectedImages[{id, layerId}] = name;
    for (const auto& symbolID : used)
        for (const auto& [layerId, name] : doc.masters().at(symbolID).images) expectedImages[{symbolID, layerId}] = name;
    EXPECT_EQ(cuts.size(), expectedImages.size()) << "images of the chosen artboards and of the used masters only";
    for (const auto& [key, name] : expectedImages) {
        EXPECT_EQ(cuts[key], scaleChain(c.platform, key.second)) << key.first << "/" << key.second;
        EXPECT_EQ(imageNames[key], std::set<std::string>{SketchDocumentExpectation::strippedImageName(name)});
    }

    // The design document, zipped.
    if (!c.designFile.empty()) {
        for (const auto& r : records) {
            if (str(r, "path") != "resource/uploadDesignFile") continue;
            EXPECT_EQ((Strings{str(body(r), "projectId"), str(body(r), "fileName")}), (Strings{c.projectId, c.designFile}));
            EXPECT_EQ(QByteArray::fromBase64(QByteArray::fromStdString(str(body(r), "fileData"))).left(2), QByteArrayLiteral("PK"));
        }
    }

    // One question when a chosen artboard has no images; then progress for the artboards and
    // the used masters.
    const bool anyWithoutImages = std::any_of(selected.begin(), selected.end(),
                                              [&](const std::string& id) { return doc.artboard(id)->images.empty(); });
    const auto dialogs = outcome.linesStartingWith("dialog Some artboards have no exportable images");
    EXPECT_EQ(dialogs.size(), anyWithoutImages ? 1u : 0u);
    for (const auto& d : dialogs) EXPECT_TRUE(d.ends_with(" -> Continue")) << d;

    Strings artboardNames, masterNames;
    for (const auto& id : selected) artboardNames.push_back(doc.artboard(id)->name);
    for (const auto& symbolID : used) masterNames.push_back(doc.masters().at(symbolID).name);
    EXPECT_EQ(outcome.progressProblems(artboardNames, masterNames), Strings{});
    EXPECT_EQ(outcome.lastLine(), "finished");
}

TEST_F(SketchUploadEndToEnd, UploadsWhatTheDocumentHoldsOnBothPlatforms)
{
    const QString wikimedia = QStringLiteral("sketch/wikimedia-ui-2018-10.sketch");
    const std::vector<UploadCase> cases = {
        {"generated, iOS, with the design document", {}, {"A3", "A1", "A2"}, "demo-ios", "iOS", "GeneratedDesign.zip"},
        {"generated, Android", {}, {"A3", "A1", "A2"}, "demo-android", "Android", {}},
        {"WikimediaUI, iOS", wikimedia, {}, "demo-ios", "iOS", "wikimediaui201810.zip"},
        {"WikimediaUI, Android", wikimedia, {}, "demo-android", "Android", {}},
        {"icon template without images, Android", QStringLiteral("sketch/wikimedia-icon-template.sketch"), {},
         "demo-android", "Android", {}},
        {"shared text styles, iOS", QStringLiteral("sketch/assistants-shared-text-styles.sketch"), {}, "demo-ios", "iOS", {}},
        {"Carbon, Android", QStringLiteral("sketch/carbon-8.1.0.sketch"), {}, "demo-android", "Android", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        startService(!c.designFile.empty());
        const QString document =
            c.fixture.isEmpty() ? writeGenerated(QStringLiteral("Generated Design ü.sketch")) : fixturePath(c.fixture);
        QString error;
        const auto doc = SketchDocumentExpectation::read(document, &error);
        ASSERT_TRUE(doc) << error.toStdString();
        Strings selected = c.selection;
        if (selected.empty())
            for (const auto& a : doc->artboards()) selected.push_back(a.id);

        const DriverOutcome outcome = drive(writeExportFile(document, selected), c.projectId);
        ASSERT_FALSE(outcome.crashed) << outcome.errorOutput;
        EXPECT_EQ(outcome.exitCode, 0) << outcome.lastLine() << "\n" << outcome.errorOutput;
        expectUpload(c, *doc, selected, outcome);
    }
}

struct EndingCase {
    std::string name;
    std::string script; // scripted replies of the stand-in service
    bool shouldUploadSketch;
    QStringList extra;  // more driver arguments
    std::function<QString(SketchUploadEndToEnd&, const QString& document)> exportFile; // empty: the normal one
    int exitCode;
    std::string lastLinePrefix;
    std::function<void(const DriverOutcome&, const Strings& paths)> check;
};

TEST_F(SketchUploadEndToEnd, EveryEndingOfARunIsToldAndNothingIsSentAfterIt)
{
    const QString document = writeGenerated(QStringLiteral("My Design.sketch"));
    const Strings listed{"user/login", "project/getAll"};
    auto count = [](const Strings& paths, const std::string& path) { return std::count(paths.begin(), paths.end(), path); };
    const std::vector<EndingCase> cases = {
        {"the user cancels the question", {}, false, {QStringLiteral("--answer"), QStringLiteral("cancel")}, {}, 1,
         "cancelled",
         [&](const DriverOutcome& o, const Strings& paths) {
             EXPECT_EQ(o.linesStartingWith("dialog Some artboards have no exportable images").size(), 1u);
             EXPECT_EQ(paths, listed);
         }},
        {"the service refuses the import", R"([{"path": "import/newScreensFromSketch", "body": {"status": false}}])", false,
         {}, {}, 1, "failed The upload stopped: The service did not accept the artboards.",
         [](const DriverOutcome&, const Strings& paths) {
             EXPECT_EQ(paths, (Strings{"user/login", "project/getAll", "import/newScreensFromSketch"}))
                 << "no resource of a refused import, no reload";
         }},
        {"an image upload fails",
         R"([{"path": "resource/uploadResource", "body": {"errorModel": {"errorId": 20002, "errorMsg": "Disk full."}}}])",
         false, {}, {}, 1, "failed The upload stopped",
         [&](const DriverOutcome&, const Strings& paths) {
             EXPECT_EQ(count(paths, "project/getAll"), 1) << "a failed run does not reload the list";
         }},
        {"the design document is refused: a warning after 100",
         R"([{"path": "resource/uploadDesignFile", "body": {"status": false}}])", true, {}, {}, 0, "finished",
         [](const DriverOutcome& o, const Strings& paths) {
             const auto hundred = o.linesStartingWith("progress 100.00 ");
             const auto warnings = o.linesStartingWith("dialog Your design was uploaded with a warning | "
                                                 "My Design.zip: The service did not accept the Sketch document.");
             ASSERT_EQ(hundred.size(), 1u);
             ASSERT_EQ(warnings.size(), 1u);
             EXPECT_LT(o.indexOf(hundred[0]), o.indexOf(warnings[0]));
             EXPECT_EQ(paths.back(), "project/getAll");
         }},
        {"the list does not reload after 100: the upload still ends",
         R"([{"path": "project/getAll", "body": {"projects": [{"projectId": "demo-ios", "name": "Demo iOS",
             "platform": "iOS"}], "shouldUploadSketch": false}},
             {"path": "project/getAll", "status": 500, "body": "down"}])",
         false, {}, {}, 0, "finished",
         [&](const DriverOutcome& o, const Strings& paths) {
             EXPECT_EQ(o.linesStartingWith("progress 100.00 ").size(), 1u);
             EXPECT_EQ(count(paths, "project/getAll"), 2);
         }},
        {"no Sketch tool where the export file says", {}, false, {},
         [](SketchUploadEndToEnd& t, const QString& doc) {
             return t.writeExportFile(doc, {"A1"}, t.work.filePath(QStringLiteral("no-such-tool")));
         },
         1, "failed The upload stopped: Sketch's command-line tool was not found",
         [&](const DriverOutcome&, const Strings& paths) { EXPECT_EQ(paths, listed); }},
        {"an export file that is no property list", {}, false, {},
         [](SketchUploadEndToEnd& t, const QString&) {
             const QString path = t.work.filePath(QStringLiteral("broken.zvusk"));
             writeFileBytes(path, QByteArrayLiteral("PK\x03\x04 not a property list"));
             return path;
         },
         1, "failed the project selection did not open",
         [](const DriverOutcome& o, const Strings& paths) {
             EXPECT_FALSE(o.linesStartingWith("dialog ").empty());
             EXPECT_EQ(paths, Strings{"user/login"});
         }},
        {"a file the application does not import", {}, false, {},
         [](SketchUploadEndToEnd&, const QString& doc) { return doc; }, 1, "failed the application does not import",
         [](const DriverOutcome&, const Strings& paths) { EXPECT_EQ(paths, Strings{"user/login"}); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        startService(c.shouldUploadSketch, c.script);
        const QString exportFile = c.exportFile ? c.exportFile(*this, document) : writeExportFile(document, {"A3", "A1", "A2"});
        const DriverOutcome outcome = drive(exportFile, "demo-ios", c.extra);
        ASSERT_FALSE(outcome.crashed) << outcome.errorOutput;
        EXPECT_EQ(outcome.exitCode, c.exitCode) << outcome.lastLine() << "\n" << outcome.errorOutput;
        EXPECT_EQ(outcome.lastLine().substr(0, c.lastLinePrefix.size()), c.lastLinePrefix) << outcome.lastLine();
        if (c.check) c.check(outcome, service->recordedPaths());
    }
}

} // namespace
