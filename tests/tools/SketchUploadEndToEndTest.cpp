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

#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using Strings = std::vector<std::string>;
using G = GeneratedSketchDocument;

const std::string kPreparing = "Artboards are preparing for upload...";
const std::string kVersion = "7.1";

// (format, scale text, file name suffix) of each cut of one image, in order.
using Cut = std::tuple<std::string, std::string, std::string>;

std::vector<Cut> scaleChain(const std::string& platform)
{
    if (platform == "iOS") return {{"png", "1", ""}, {"png", "2", "@2x"}, {"png", "3", "@3x"}, {"pdf", "-1", ""}};
    return {{"png", "1", ""}, {"png", "1.5", "@1x"}, {"png", "2", "@2x"}, {"png", "3", "@3x"}, {"png", "4", "@4x"},
            {"svg", "-1", ""}};
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

// The document of the generated cases: three artboards on two pages, chosen out of document
// order; images at several depths, one inside a hidden group and one hidden itself; masters used
// directly, through another master, not at all, and only from inside a hidden group.
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
    QString fixture;                  // a document of the shared fixtures, or
    std::function<GeneratedSketchDocument()> generate; // a generated one
    Strings selection;                // empty: every artboard of the document
    std::string projectId;
    std::string platform;
    bool shouldUploadSketch;
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
                            const std::optional<QString>& tool = ImportDriverProcess::sketchToolStandin())
    {
        boost::json::array ids;
        for (const auto& id : artboardIds) ids.emplace_back(id);
        boost::json::object plist{{"sketchFilePath", document.toStdString()}, {"artboardIds", ids},
                                  {"artboardNames", boost::json::array()}, {"version", kVersion}};
        if (tool) plist["sketchtoolPath"] = tool->toStdString();
        const QString path = work.filePath(QStringLiteral("export-%1.zvusk").arg(++exportFiles));
        EXPECT_TRUE(platform::writePropertyList(path, plist, platform::PropertyListFormat::Xml));
        return path;
    }

    QString writeGenerated(const GeneratedSketchDocument& document, const QString& name)
    {
        const QString path = work.filePath(name);
        QString error;
        EXPECT_TRUE(document.write(path, &error)) << error.toStdString();
        return path;
    }

    // A stuck run ends the driver well before the test's own bound.
    DriverOutcome drive(const QString& exportFile, const std::string& projectId, QStringList extra = {})
    {
        if (!extra.contains(QStringLiteral("--timeout"))) extra << QStringLiteral("--timeout") << QStringLiteral("300");
        return ImportDriverProcess::run(ImportDriverProcess::arguments(service->baseUrl(), projectId, exportFile, extra));
    }

    std::vector<boost::json::object> recordsFor(const std::string& path) const
    {
        std::vector<boost::json::object> found;
        for (auto& r : service->records())
            if (str(r, "path") == path) found.push_back(r);
        return found;
    }

    void expectUpload(const UploadCase& c, const QString& documentPath, const SketchDocumentExpectation& doc,
                      const Strings& selected, const DriverOutcome& outcome);

    std::optional<StandinService> service;
    QTemporaryDir work;
    int exportFiles = 0;
};

void SketchUploadEndToEnd::expectUpload(const UploadCase& c, const QString& documentPath,
                                        const SketchDocumentExpectation& doc, const Strings& selected,
                                        const DriverOutcome& outcome)
{
    const std::set<std::string> used = doc.usedSymbolIds(selected);
    const auto records = service->records();
    ASSERT_GE(records.size(), 4u);

    // The road: sign-in, project list, the import first, every resource after it, the reloaded
    // list last (after the design document, whose upload the last report waits for).
    Strings paths;
    for (const auto& r : records) paths.push_back(str(r, "path"));
    EXPECT_EQ((Strings{paths[0], paths[1], paths[2]}), (Strings{"user/login", "project/getAll", "import/newScreensFromSketch"}));
    EXPECT_EQ(paths.back(), "project/getAll");
    const std::size_t designFiles = static_cast<std::size_t>(std::count(paths.begin(), paths.end(), "resource/uploadDesignFile"));
    EXPECT_EQ(designFiles, c.shouldUploadSketch ? 1u : 0u);
    for (std::size_t i = 3; i + 1 < paths.size(); ++i)
        EXPECT_TRUE(paths[i] == "resource/uploadResource" || paths[i] == "resource/uploadDesignFile") << paths[i];

    // The import request.
    const auto& import = body(records[2]);
    EXPECT_EQ(str(import, "projectId"), c.projectId);
    EXPECT_EQ(str(import, "platform"), c.platform);
    EXPECT_EQ(str(import, "appVersion"), kVersion);
    const auto& artboards = import.at("artboards").as_array();
    ASSERT_EQ(artboards.size(), selected.size());
    for (std::size_t i = 0; i < selected.size(); ++i) {
        const auto& record = artboards[i].as_object();
        const auto* original = doc.artboard(selected[i]);
        ASSERT_TRUE(original);
        SCOPED_TRACE("artboard " + original->name);
        EXPECT_EQ(str(record, "oid"), original->id);
        EXPECT_EQ(str(record, "name"), original->name);
        EXPECT_EQ(str(record, "type"), "sketch");
        for (const char* key : {"x", "y", "width", "height"})
            EXPECT_DOUBLE_EQ(record.at("frame").as_object().at(key).to_number<double>(),
                             original->frame.at(key).to_number<double>())
                << key;
        const auto json = platform::parseJson(str(record, "jsonString"));
        ASSERT_TRUE(json) << "the artboard's jsonString is JSON";
        EXPECT_EQ(doc.artboardAnnotationProblems(original->id, *json), Strings{});
    }
    const auto& masters = import.at("symbolMasters").as_array();
    EXPECT_EQ(masters.size(), doc.masterCount()) << "every master goes with the import, used or not";
    std::set<std::string> sentMasters;
    for (const auto& m : masters) {
        const auto& record = m.as_object();
        sentMasters.insert(str(record, "symbolID"));
        EXPECT_EQ(str(record, "_class"), "symbolMaster");
        EXPECT_EQ(str(record, "type"), "sketch");
        const auto json = platform::parseJson(str(record, "jsonString"));
        ASSERT_TRUE(json);
        if (doc.masters().at(str(record, "symbolID")).id == str(record, "oid")) {
            EXPECT_EQ(doc.masterAnnotationProblems(str(record, "symbolID"), *json), Strings{}) << str(record, "name");
        }
    }
    std::set<std::string> documentMasters;
    for (const auto& [symbolID, master] : doc.masters()) documentMasters.insert(symbolID);
    EXPECT_EQ(sentMasters, documentMasters);
    EXPECT_EQ(import.at("textStyles").as_array().size(), doc.textStyleCount());
    EXPECT_EQ(import.at("layerStyles").as_array().size(), doc.layerStyleCount());
    for (const char* styles : {"textStyles", "layerStyles"}) {
        for (const auto& s : import.at(styles).as_array()) {
            EXPECT_TRUE(platform::parseJsonObject(str(s.as_object(), "jsonString"))) << styles;
        }
    }

    // Resources: one preview per artboard; each image of a chosen artboard or a used master cut
    // and sent at every scale of the platform, in order.
    std::map<std::string, int> previews;
    std::map<std::pair<std::string, std::string>, std::vector<Cut>> cuts;
    std::map<std::pair<std::string, std::string>, std::set<std::string>> imageNames;
    const std::set<std::string> selectedSet(selected.begin(), selected.end());
    for (const auto& r : recordsFor("resource/uploadResource")) {
        const auto& b = body(r);
        EXPECT_EQ(str(b, "projectId"), c.projectId);
        EXPECT_EQ(str(b, "appVersion"), kVersion);
        EXPECT_EQ(str(b, "prefix"), "");
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

    std::map<std::pair<std::string, std::string>, std::string> expectedImages; // -> image name
    for (const auto& id : selectedSet)
        for (const auto& [layerId, image] : doc.artboard(id)->images) expectedImages[{id, layerId}] = image.name;
    for (const auto& symbolID : used)
        for (const auto& [layerId, image] : doc.masters().at(symbolID).images) expectedImages[{symbolID, layerId}] = image.name;
    std::set<std::pair<std::string, std::string>> expectedKeys, sentKeys;
    for (const auto& [key, name] : expectedImages) expectedKeys.insert(key);
    for (const auto& [key, chain] : cuts) sentKeys.insert(key);
    EXPECT_EQ(sentKeys, expectedKeys) << "images of the chosen artboards and of the used masters only";
    for (const auto& [key, name] : expectedImages) {
        std::vector<Cut> expectedChain;
        for (const auto& [format, scale, suffix] : scaleChain(c.platform)) expectedChain.emplace_back(format, scale, key.second + suffix);
        EXPECT_EQ(cuts[key], expectedChain) << key.first << "/" << key.second;
        EXPECT_EQ(imageNames[key], std::set<std::string>{SketchDocumentExpectation::strippedImageName(name)});
    }

    // The design document, after the import and before the reloaded list.
    if (c.shouldUploadSketch) {
        const auto design = recordsFor("resource/uploadDesignFile");
        ASSERT_EQ(design.size(), 1u);
        const auto& b = body(design[0]);
        EXPECT_EQ(str(b, "projectId"), c.projectId);
        EXPECT_EQ(str(b, "fileName"),
                  SketchDocumentExpectation::strippedFileName(QFileInfo(documentPath).completeBaseName().toStdString() + ".zip"));
        EXPECT_EQ(QByteArray::fromBase64(QByteArray::fromStdString(str(b, "fileData"))).left(2), QByteArrayLiteral("PK"));
    }

    // Progress: one report for the accepted import (all artboards at once), one per preview, one
    // per artboard whose images are in, one per used master; the last exactly 100.
    bool anyWithoutImages = false;
    for (const auto& id : selectedSet) anyWithoutImages = anyWithoutImages || doc.artboard(id)->images.empty();
    const auto dialogs = outcome.linesStartingWith("dialog Some artboards have no exportable images");
    EXPECT_EQ(dialogs.size(), anyWithoutImages ? 1u : 0u);
    for (const auto& d : dialogs) EXPECT_TRUE(d.size() > 12 && d.substr(d.size() - 12) == " -> Continue") << d;

    const auto progress = outcome.linesStartingWith("progress ");
    const double total = 3.0 * static_cast<double>(selected.size()) + static_cast<double>(used.size());
    ASSERT_EQ(progress.size(), 1 + 2 * selected.size() + used.size());
    std::multiset<std::string> texts, expectedTexts{kPreparing};
    for (const auto& id : selected) expectedTexts.insert({doc.artboard(id)->name, doc.artboard(id)->name});
    for (const auto& symbolID : used) expectedTexts.insert(doc.masters().at(symbolID).name);
    double units = 0;
    for (const auto& line : progress) {
        const std::size_t space = line.find(' ', 9);
        ASSERT_NE(space, std::string::npos) << line;
        const std::string text = line.substr(space + 1);
        texts.insert(text);
        units += text == kPreparing ? static_cast<double>(selected.size()) : 1.0;
        EXPECT_EQ(line.substr(9, space - 9), QString::number(units / total * 100.0, 'f', 2).toStdString()) << line;
    }
    Strings missing, unexpected;
    std::set_difference(expectedTexts.begin(), expectedTexts.end(), texts.begin(), texts.end(), std::back_inserter(missing));
    std::set_difference(texts.begin(), texts.end(), expectedTexts.begin(), expectedTexts.end(), std::back_inserter(unexpected));
    EXPECT_EQ(missing, Strings{}) << "reports that did not come";
    EXPECT_EQ(unexpected, Strings{}) << "reports of nothing the document holds";
    EXPECT_EQ(progress.back().substr(0, 16), "progress 100.00 ");
    EXPECT_EQ(outcome.lastLine(), "finished");
}

TEST_F(SketchUploadEndToEnd, UploadsWhatTheDocumentHoldsOnBothPlatforms)
{
    const std::vector<UploadCase> cases = {
        {"generated, iOS, with the design document", {}, richDocument, {"A3", "A1", "A2"}, "demo-ios", "iOS", true},
        {"generated, Android", {}, richDocument, {"A3", "A1", "A2"}, "demo-android", "Android", false},
        {"generated of 2,000 layers, iOS", {}, [] { return GeneratedSketchDocument::ofSize(5, 400); }, {}, "demo-ios", "iOS",
         false},
        {"WikimediaUI, iOS", QStringLiteral("sketch/wikimedia-ui-2018-10.sketch"), {}, {}, "demo-ios", "iOS", true},
        {"WikimediaUI, Android", QStringLiteral("sketch/wikimedia-ui-2018-10.sketch"), {}, {}, "demo-android", "Android", false},
        {"icon template without images, Android", QStringLiteral("sketch/wikimedia-icon-template.sketch"), {}, {},
         "demo-android", "Android", false},
        {"shared text styles, iOS", QStringLiteral("sketch/assistants-shared-text-styles.sketch"), {}, {}, "demo-ios", "iOS",
         false},
        {"Carbon, Android", QStringLiteral("sketch/carbon-8.1.0.sketch"), {}, {}, "demo-android", "Android", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        startService(c.shouldUploadSketch);
        const QString document = c.generate ? writeGenerated(c.generate(), QStringLiteral("Generated Design ü.sketch"))
                                            : fixturePath(c.fixture);
        QString error;
        const auto doc = SketchDocumentExpectation::read(document, &error);
        ASSERT_TRUE(doc) << error.toStdString();
        Strings selected = c.selection;
        if (selected.empty())
            for (const auto& a : doc->artboards()) selected.push_back(a.id);

        const DriverOutcome outcome = drive(writeExportFile(document, selected), c.projectId);
        ASSERT_FALSE(outcome.crashed) << outcome.errorOutput;
        EXPECT_EQ(outcome.exitCode, 0) << outcome.lastLine() << "\n" << outcome.errorOutput;
        expectUpload(c, document, *doc, selected, outcome);
    }
}

TEST_F(SketchUploadEndToEnd, TheGeneratedDocumentMeansWhatItWasBuiltFor)
{
    // The reading that the upload is compared with must itself see the generated document right.
    const QString path = writeGenerated(richDocument(), QStringLiteral("rich.sketch"));
    const auto doc = SketchDocumentExpectation::read(path, nullptr);
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->usedSymbolIds({"A3", "A1", "A2"}), (std::set<std::string>{"SYM-A", "SYM-B", "SYM-C"}));
    Strings images;
    for (const auto& [id, image] : doc->artboard("A1")->images) images.push_back(id);
    EXPECT_EQ(images, (Strings{"I1", "I2"}));
    EXPECT_TRUE(doc->artboard("A2")->images.empty());
    EXPECT_EQ(doc->masters().at("SYM-C").images.size(), 1u);
    EXPECT_EQ(doc->masterCount(), 5u);
    EXPECT_EQ(SketchDocumentExpectation::strippedImageName("Avatar (big) é"), "Avatarbig");
    EXPECT_EQ(SketchDocumentExpectation::strippedImageName("icon/back_arrow.2"), "iconback_arrow2");
    EXPECT_EQ(SketchDocumentExpectation::strippedFileName("Generated Design ü.zip"), "GeneratedDesign.zip");
}

struct EndingCase {
    std::string name;
    std::string script;           // scripted replies of the stand-in service
    bool shouldUploadSketch;
    QStringList extra;            // more driver arguments
    std::function<QString(SketchUploadEndToEnd&, const QString& document)> exportFile; // empty: the normal one
    int exitCode;
    std::string lastLinePrefix;
    Strings mustSee;              // lines the driver printed (prefixes)
    std::function<void(const Strings& paths)> checkPaths;
};

TEST_F(SketchUploadEndToEnd, EveryEndingOfARunIsToldAndNothingIsSentAfterIt)
{
    const QString document = writeGenerated(richDocument(), QStringLiteral("My Design.sketch"));
    const Strings selection{"A3", "A1", "A2"};
    auto count = [](const Strings& paths, const std::string& path) {
        return std::count(paths.begin(), paths.end(), path);
    };
    const std::vector<EndingCase> cases = {
        {"the user cancels the question", {}, false, {QStringLiteral("--answer"), QStringLiteral("cancel")}, {}, 1,
         "cancelled", {"dialog Some artboards have no exportable images"},
         [](const Strings& paths) { EXPECT_EQ(paths, (Strings{"user/login", "project/getAll"})); }},
        {"the service refuses the import", R"([{"path": "import/newScreensFromSketch", "body": {"status": false}}])", false,
         {}, {}, 1, "failed The upload stopped: The service did not accept the artboards.", {},
         [&](const Strings& paths) {
             EXPECT_EQ(paths, (Strings{"user/login", "project/getAll", "import/newScreensFromSketch"}))
                 << "no resource of a refused import, no reload";
         }},
        {"an image upload fails",
         R"([{"path": "resource/uploadResource", "body": {"errorModel": {"errorId": 20002, "errorMsg": "Disk full."}}}])",
         false, {}, {}, 1, "failed The upload stopped", {},
         [&](const Strings& paths) {
             EXPECT_EQ(count(paths, "project/getAll"), 1) << "a failed run does not reload the list";
         }},
        {"the design document is refused: a warning after 100",
         R"([{"path": "resource/uploadDesignFile", "body": {"status": false}}])", true, {}, {}, 0, "finished",
         {"dialog Your design was uploaded with a warning | My Design.zip: The service did not accept the Sketch document."},
         [&](const Strings& paths) { EXPECT_EQ(paths.back(), "project/getAll"); }},
        {"the list does not reload after 100: the upload still ends",
         R"([{"path": "project/getAll", "body": {"projects": [{"projectId": "demo-ios", "name": "Demo iOS",
             "platform": "iOS"}], "shouldUploadSketch": false}},
             {"path": "project/getAll", "status": 500, "body": "down"}])",
         false, {}, {}, 0, "finished", {"progress 100.00 "},
         [&](const Strings& paths) { EXPECT_EQ(count(paths, "project/getAll"), 2); }},
        {"the service does not answer in time", R"([{"path": "import/newScreensFromSketch", "delayMs": 60000}])", false,
         {QStringLiteral("--timeout"), QStringLiteral("3")}, {}, 2, "timeout", {}, {}},
        {"no Sketch tool where the export file says",
         {}, false, {},
         [](SketchUploadEndToEnd& t, const QString& doc) {
             return t.writeExportFile(doc, {"A1"}, t.work.filePath(QStringLiteral("no-such-tool")));
         },
         1, "failed The upload stopped: Sketch's command-line tool was not found", {},
         [](const Strings& paths) { EXPECT_EQ(paths, (Strings{"user/login", "project/getAll"})); }},
        {"an export file that is no property list", {}, false, {},
         [](SketchUploadEndToEnd& t, const QString&) {
             const QString path = t.work.filePath(QStringLiteral("broken.zvusk"));
             writeFileBytes(path, QByteArrayLiteral("PK\x03\x04 not a property list"));
             return path;
         },
         1, "failed the project selection did not open", {"dialog "},
         [](const Strings& paths) { EXPECT_EQ(paths, (Strings{"user/login"})); }},
        {"a file the application does not import", {}, false, {},
         [](SketchUploadEndToEnd&, const QString& doc) { return doc; }, 1, "failed the application does not import", {},
         [](const Strings& paths) { EXPECT_EQ(paths, (Strings{"user/login"})); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        startService(c.shouldUploadSketch, c.script);
        const QString exportFile = c.exportFile ? c.exportFile(*this, document) : writeExportFile(document, selection);
        const DriverOutcome outcome = drive(exportFile, "demo-ios", c.extra);
        ASSERT_FALSE(outcome.crashed) << outcome.errorOutput;
        EXPECT_EQ(outcome.exitCode, c.exitCode) << outcome.lastLine() << "\n" << outcome.errorOutput;
        EXPECT_EQ(outcome.lastLine().substr(0, c.lastLinePrefix.size()), c.lastLinePrefix) << outcome.lastLine();
        for (const auto& prefix : c.mustSee) EXPECT_FALSE(outcome.linesStartingWith(prefix).empty()) << prefix;
        if (c.checkPaths) c.checkPaths(service->recordedPaths());
    }
}

TEST_F(SketchUploadEndToEnd, AWarningComesOnlyAfterTheRunHasReachedHundred)
{
    startService(true, R"([{"path": "resource/uploadDesignFile", "status": 503, "body": "busy"}])");
    const QString document = writeGenerated(richDocument(), QStringLiteral("design.sketch"));
    const DriverOutcome outcome = drive(writeExportFile(document, {"A1"}), "demo-android");
    EXPECT_EQ(outcome.exitCode, 0) << outcome.lastLine();
    const auto progress = outcome.linesStartingWith("progress 100.00 ");
    const auto warnings = outcome.linesStartingWith("dialog Your design was uploaded with a warning | design.zip: ");
    ASSERT_EQ(progress.size(), 1u);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_LT(outcome.indexOf(progress[0]), outcome.indexOf(warnings[0]));
}

} // namespace
