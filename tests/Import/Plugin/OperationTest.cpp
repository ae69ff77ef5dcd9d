// The Sketch upload operations against the stand-in service and the stand-in Sketch tool, both
// started as real processes.

#include "Import/Plugin/ExportImagePrepareUploadOperation.h"
#include "Import/Plugin/ExportPrepareOperation.h"
#include "Import/Plugin/ExportPreviewPrepareUploadOperation.h"
#include "Import/Plugin/ExportUploadOperation.h"
#include "Import/Plugin/UploadRunTestKit.h"
#include "Import/Sketch/JsonSerialization.h"
#include "platform/Archive.h"
#include "platform/JsonText.h"
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

class Operations : public ::testing::Test {
protected:
    void TearDown() override { signOut(); }

    // Starts the stand-in service (with scripted replies) and signs in.
    void startService(const std::string& script = {})
    {
        StandinService::Options options;
        options.scriptJson = script;
        service.emplace(options);
        ASSERT_TRUE(service->isRunning()) << service->errorText().toStdString();
        ASSERT_TRUE(signIn());
        service->clearRecords();
    }

    // Loads a document with artboard A ("Home") holding image I, named by `imageName`.
    void loadDocument(const QString& fileName = QStringLiteral("design.sketch"), const std::string& imageName = "icon/back arrow")
    {
        documentPath = sources.filePath(fileName);
        ASSERT_TRUE(writeSketchDocument(
            documentPath, {pageFile("1.json", page("P", {artboard("A", "Home", {layer("I", imageName, frame(4, 6, 24, 24), {"png"})}),
                                                         artboard("B", "Empty")}))}));
        importer->pluginExportInfo = exportInfo(documentPath, {"A", "B"}, SketchToolStandin::executable());
        bool loaded = false;
        importer->loadSketchDocument([&](SketchImporter::LoadResult& r) {
            artboards = r.selectedArtboards;
            loaded = true;
        });
        ASSERT_TRUE(waitFor([&] { return loaded; }));
        ASSERT_EQ(artboards.size(), 2u);
    }

    std::vector<boost::json::object> recordsFor(const std::string& path) const
    {
        std::vector<boost::json::object> found;
        for (auto& r : service->records())
            if (r.at("path") == boost::json::value(path)) found.push_back(r);
        return found;
    }

    static std::string body(const boost::json::object& record, const char* key) { return StandinService::bodyString(record, key); }

    std::shared_ptr<ExportImagePrepareUploadOperation> imageOperation(const std::string& platform)
    {
        auto images = importer->analyzeExportables(*artboards[0], std::string());
        auto op = std::make_shared<ExportImagePrepareUploadOperation>();
        op->projectId = kProject;
        op->artboardId = "A";
        op->appVersion = "99";
        op->exportableSummary = images.begin()->second;
        op->sketchToolPath = SketchToolStandin::executable();
        op->sketchImporter = importer;
        op->exportableItemId = images.begin()->first;
        op->platform = platform;
        op->gate = gate;
        op->successHandler = [this](const StatusResponse& r) { events.push_back(r.status ? "success" : "success:false"); };
        op->failureHandler = [this](const UploadFailure& f) { events.push_back("failure:" + f.what + ":" + f.message); };
        return op;
    }

    bool ran(std::size_t eventCount) { return waitFor([&] { return events.size() >= eventCount; }); }

    DataFolder data;
    SketchToolStandin tool;
    platform::ScriptedDialogPresenter dialogs;
    std::optional<StandinService> service;
    QTemporaryDir sources;
    QString documentPath;
    std::shared_ptr<SketchImporter> importer = std::make_shared<SketchImporter>();
    std::vector<std::shared_ptr<ArtboardSumModel>> artboards;
    std::shared_ptr<ImportGate> gate = std::make_shared<ImportGate>();
    platform::OperationQueue queue;
    Strings events;
};

struct ChainCase {
    std::string platform;
    Strings uploads; // format scale fileName, in upload order
};

TEST_F(Operations, ImageIsUploadedAtEveryScaleOfThePlatformInOrder)
{
    startService();
    loadDocument();
    gate->open();
    const std::vector<ChainCase> cases = {
        {"iOS", {"png 1 I", "png 2 I@2x", "png 3 I@3x", "pdf -1 I"}},
        {"Android", {"png 1 I", "png 1.5 I@1x", "png 2 I@2x", "png 3 I@3x", "png 4 I@4x", "svg -1 I"}},
        {"ios", {"png 1 I", "png 1.5 I@1x", "png 2 I@2x", "png 3 I@3x", "png 4 I@4x", "svg -1 I"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.platform);
        service->clearRecords();
        events.clear();
        queue.addOperation(imageOperation(c.platform));
        ASSERT_TRUE(ran(1));
        EXPECT_EQ(events, Strings{"success"});
        Strings uploads;
        for (const auto& r : recordsFor("resource/uploadResource")) {
            uploads.push_back(body(r, "format") + " " + body(r, "scale") + " " + body(r, "fileName"));
            EXPECT_EQ(body(r, "imageName"), "iconbackarrow");
            EXPECT_EQ(body(r, "oid"), "I");
            EXPECT_EQ(body(r, "artboardId"), "A");
            EXPECT_EQ(body(r, "projectId"), kProject);
            EXPECT_EQ(body(r, "appVersion"), "99");
            EXPECT_EQ(body(r, "prefix"), "");
            EXPECT_FALSE(body(r, "imageData").empty());
        }
        EXPECT_EQ(uploads, c.uploads);
    }
}

TEST(OperationScales, ScaleTextOfEachFormat)
{
    const std::vector<std::tuple<FileFormats, double, std::string>> cases = {
        {FileFormats::png, 1, "1"},    {FileFormats::png, 1.5, "1.5"}, {FileFormats::png, 2, "2"},   {FileFormats::png, 3, "3"},
        {FileFormats::png, 4, "4"},    {FileFormats::png, 2.5, "2"},   {FileFormats::svg, 3, "-1"},  {FileFormats::pdf, 1, "-1"},
        {FileFormats::pdf, -1, "-1"},
    };
    for (const auto& [format, scale, text] : cases)
        EXPECT_EQ(ExportImagePrepareUploadOperation::getScale(format, scale), text) << scale;
}

struct ChainStopCase {
    std::string name;
    std::string thirdReply; // the scripted reply body of the third upload
    std::string failure;
};

TEST_F(Operations, RefusedOrFailedStepStopsTheChainAndReportsWhatFailed)
{
    const std::vector<ChainStopCase> cases = {
        {"status false", R"({"status": false})", "failure:icon/back arrow:The service did not accept the image at scale 3 (png)."},
        {"error id", R"({"errorModel": {"errorId": 20002, "errorMsg": "No room left."}})", "failure:icon/back arrow:No room left."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        events.clear();
        startService(R"([{"path": "resource/uploadResource", "times": 2, "body": {"status": true}},
                         {"path": "resource/uploadResource", "body": )" + c.thirdReply + "}]");
        loadDocument();
        gate->open();
        const std::size_t cutsBefore = tool.startedArguments().size();
        queue.addOperation(imageOperation("iOS"));
        ASSERT_TRUE(ran(1));
        settle();
        EXPECT_EQ(events, Strings{c.failure});
        EXPECT_EQ(recordsFor("resource/uploadResource").size(), 3u);
        EXPECT_EQ(tool.startedArguments().size() - cutsBefore, 3u);
        EXPECT_TRUE(dialogs.shown().empty());
    }
}

TEST_F(Operations, PrepareBuildsOneRecordPerArtboardWithItsAnnotatedJson)
{
    loadDocument();
    // As in a run, where the question about artboards without images has analysed them first.
    for (const auto& board : artboards) importer->analyzeExportables(*board, std::string());
    auto op = std::make_shared<ExportPrepareOperation>();
    op->sketchImporter = importer;
    op->artboardItems = artboards;
    std::optional<ArtboardsPreparedInfo> prepared;
    op->successHandler = [&](ArtboardsPreparedInfo& info) { prepared = std::move(info); };
    queue.addOperation(op);
    ASSERT_TRUE(waitFor([&] { return prepared.has_value(); }));

    ASSERT_EQ(prepared->artboardInfoList.size(), 2u);
    ASSERT_EQ(prepared->artboards.size(), 2u);
    const ArtboardExportInfo& home = prepared->artboardInfoList[0];
    EXPECT_EQ(home.oid, "A");
    EXPECT_EQ(home.name, "Home");
    EXPECT_EQ(home.type, "sketch");
    EXPECT_EQ(home.frame.width, 375);
    ASSERT_TRUE(home.jsonString);
    const auto json = JsonSerialization::json(home.jsonString);
    EXPECT_EQ(json.at("do_objectID"), "A");
    EXPECT_TRUE(json.contains("ZVExactOrigin"));
    EXPECT_EQ(json.at("layers").as_array()[0].as_object().at("ZVNodeLevel"), 1);

    EXPECT_EQ(prepared->artboards[0]->artboardInfo.oid, "A");
    EXPECT_EQ(prepared->artboards[0]->exportables.size(), 1u);
    EXPECT_TRUE(prepared->artboards[1]->exportables.empty());
    EXPECT_EQ(prepared->artboards[1]->artboardSumModel, artboards[1]);
}

struct UploadCase {
    std::string name;
    bool shouldUploadSketch;
    std::string script;
    Strings events;
    Strings paths;
};

TEST_F(Operations, ImportRequestThenTheDesignDocumentWhenAsked)
{
    const std::vector<UploadCase> cases = {
        {"accepted, no document wanted", false, "", {"success"}, {"import/newScreensFromSketch"}},
        {"accepted, document wanted", true, "", {"success", "design:ok"}, {"import/newScreensFromSketch", "resource/uploadDesignFile"}},
        {"refused", true, R"([{"path": "import/newScreensFromSketch", "body": {"status": false}}])",
         {"failure::The service did not accept the artboards."}, {"import/newScreensFromSketch"}},
        {"failed", true, R"([{"path": "import/newScreensFromSketch", "body": {"errorModel": {"errorId": 20001, "errorMsg": "No such project."}}}])",
         {"failure::No such project."}, {"import/newScreensFromSketch"}},
        {"document refused", true, R"([{"path": "resource/uploadDesignFile", "body": {"status": false}}])",
         {"success", "design:design.zip:The service did not accept the Sketch document."},
         {"import/newScreensFromSketch", "resource/uploadDesignFile"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        events.clear();
        startService(c.script);
        loadDocument();
        auto op = std::make_shared<ExportUploadOperation>();
        op->projectId = kProject;
        op->platform = "iOS";
        op->appVersion = "99";
        op->sketchFilePath = importer->designDocument->storedCopyPath();
        op->artboardList = {ArtboardExportInfo{{}, "A", "Home", "sketch", {}, std::string("{}")}};
        op->textStyles = {TextStylesExportInfo{{}, std::string("{\"t\" : 1}")}};
        op->shouldUploadSketch = c.shouldUploadSketch;
        op->successHandler = [this](const StatusResponse&) { events.push_back("success"); };
        op->failureHandler = [this](const UploadFailure& f) { events.push_back("failure:" + f.what + ":" + f.message); };
        op->designFileCompletion = [this](const std::optional<UploadFailure>& w) {
            events.push_back(w ? "design:" + w->what + ":" + w->message : "design:ok");
        };
        queue.addOperation(op);
        ASSERT_TRUE(ran(c.events.size()));
        settle();
        EXPECT_EQ(events, c.events);
        EXPECT_EQ(service->recordedPaths(), c.paths);

        const auto import = recordsFor("import/newScreensFromSketch").at(0);
        const auto& requestBody = import.at("body").as_object();
        EXPECT_EQ(requestBody.at("projectId"), boost::json::value(kProject));
        EXPECT_EQ(requestBody.at("platform"), "iOS");
        EXPECT_EQ(requestBody.at("appVersion"), "99");
        EXPECT_EQ(requestBody.at("artboards").as_array().size(), 1u);
        EXPECT_EQ(requestBody.at("textStyles").as_array()[0].as_object().at("jsonString"), "{\"t\" : 1}");
    }
}

TEST_F(Operations, DesignArchiveIsMadeFromTheCopyThatWasReadAndSentUnderTheCleanedName)
{
    startService();
    loadDocument(QStringLiteral("My Désign (final).sketch"));
    const QByteArray asRead = readFileBytes(documentPath);
    // The user goes on working on the document after the export.
    ASSERT_TRUE(writeFileBytes(documentPath, "changed since the export"));

    auto op = std::make_shared<ExportUploadOperation>();
    op->projectId = kProject;
    op->platform = "iOS";
    op->appVersion = "99";
    op->sketchFilePath = importer->designDocument->storedCopyPath();
    op->shouldUploadSketch = true;
    op->designFileCompletion = [this](const std::optional<UploadFailure>& w) { events.push_back(w ? "warning" : "design:ok"); };
    queue.addOperation(op);
    ASSERT_TRUE(ran(1));
    EXPECT_EQ(events, Strings{"design:ok"});

    const auto uploads = recordsFor("resource/uploadDesignFile");
    ASSERT_EQ(uploads.size(), 1u);
    EXPECT_EQ(body(uploads[0], "fileName"), "MyDsignfinal.zip");
    const QString stored = QDir(service->dataDir()).filePath(QStringLiteral("uploads/demo-ios/design/MyDsignfinal.zip"));
    const auto inside = platform::readZipEntry(stored, QStringLiteral("My Désign (final).sketch"));
    ASSERT_TRUE(inside);
    EXPECT_EQ(*inside, asRead);
    // Nothing but the copy, its archive and its folder is left beside it.
    const QStringList left = QDir(data.sketchFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    EXPECT_EQ(left, (QStringList{QStringLiteral("My Désign (final)"), QStringLiteral("My Désign (final).sketch"),
                                 QStringLiteral("My Désign (final).zip")}));
}

TEST_F(Operations, PreviewUploadWaitsForTheImportAndAPreviewWithoutImageFails)
{
    startService();
    loadDocument();
    auto preview = [&](const std::shared_ptr<ArtboardSumModel>& board) {
        auto op = std::make_shared<ExportPreviewPrepareUploadOperation>();
        op->projectId = kProject;
        op->appVersion = "99";
        op->sketchImporter = importer;
        op->artboardItem = board;
        op->sketchToolPath = SketchToolStandin::executable();
        op->gate = gate;
        op->successHandler = [this](const std::optional<std::string>& data) {
            events.push_back(data && !data->empty() ? "preview:data" : "preview:none");
        };
        op->failureHandler = [this](const UploadFailure& f) { events.push_back("failure:" + f.what + ":" + f.message); };
        return op;
    };

    queue.addOperation(preview(artboards[0]));
    ASSERT_TRUE(waitFor([&] { return tool.endedCount() == 1; }));
    settle();
    EXPECT_TRUE(service->records().empty()) << "uploaded before the import was accepted";
    EXPECT_TRUE(events.empty());

    gate->open();
    ASSERT_TRUE(ran(1));
    EXPECT_EQ(events, Strings{"preview:data"});
    const auto uploads = recordsFor("resource/uploadResource");
    ASSERT_EQ(uploads.size(), 1u);
    for (const char* key : {"fileName", "imageName", "oid", "artboardId"}) EXPECT_EQ(body(uploads[0], key), "A") << key;
    EXPECT_EQ(body(uploads[0], "format"), "png");
    EXPECT_EQ(body(uploads[0], "scale"), "1");
    const QByteArray png = QByteArray::fromBase64(QByteArray::fromStdString(body(uploads[0], "imageData")));
    EXPECT_TRUE(png.startsWith("\x89PNG"));

    events.clear();
    tool.setControl({{"items", {{"B", {{"mode", "garbage"}}}}}});
    queue.addOperation(preview(artboards[1]));
    ASSERT_TRUE(ran(1));
    EXPECT_EQ(events, Strings{"failure:Empty:The artboard's preview holds no image."});
    EXPECT_EQ(recordsFor("resource/uploadResource").size(), 1u);
}

TEST_F(Operations, CancelledBeforeItsTurnAnOperationDoesNothing)
{
    startService();
    loadDocument();
    gate->open();
    auto op = imageOperation("iOS");
    op->cancel();
    queue.addOperation(op);
    bool later = false;
    auto marker = std::make_shared<ExportPrepareOperation>();
    marker->sketchImporter = importer;
    marker->successHandler = [&](ArtboardsPreparedInfo&) { later = true; };
    queue.addOperation(marker);
    ASSERT_TRUE(waitFor([&] { return later; }));
    settle();
    EXPECT_TRUE(tool.startedArguments().empty());
    EXPECT_TRUE(service->records().empty());
    EXPECT_TRUE(events.empty());
}

} // namespace
