// The Sketch document loader: copying into the data folder, reading pages and the document file,
// selecting artboards and masters, and the exportable images of an artboard.

#include "Import/Plugin/UploadRunTestKit.h"
#include "Import/Sketch/SketchImporter.h"
#include "platform/DebugLog.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <memory>
#include <string>
#include <vector>

using namespace uploadkit;
using Ids = std::vector<std::string>;

namespace {

class Loader : public ::testing::Test {
protected:
    QString documentPath(const QString& name = QStringLiteral("design.sketch")) const { return sources.filePath(name); }

    SketchImporter::LoadResult load(SketchImporter& importer)
    {
        auto result = std::make_shared<std::optional<SketchImporter::LoadResult>>();
        importer.loadSketchDocument([result](SketchImporter::LoadResult& r) { *result = std::move(r); });
        waitFor([&] { return result->has_value(); });
        return result->value_or(SketchImporter::LoadResult{QStringLiteral("no callback"), {}, {}, {}, {}});
    }

    SketchImporter::LoadResult load(const QString& path, const Ids& ids)
    {
        importer.pluginExportInfo = exportInfo(path, ids, SketchToolStandin::executable());
        return load(importer);
    }

    static Ids idsOf(const std::vector<std::shared_ptr<ArtboardSumModel>>& artboards)
    {
        Ids ids;
        for (const auto& a : artboards) ids.push_back(a->do_objectID);
        return ids;
    }

    DataFolder data;
    QTemporaryDir sources;
    SketchImporter importer;
};

struct SelectionCase {
    Ids artboardIds;
    Ids selected;
};

TEST_F(Loader, SelectionFollowsTheExportFilesArtboardOrderAcrossPages)
{
    ASSERT_TRUE(writeSketchDocument(documentPath(), {pageFile("1.json", page("P1", {artboard("A", "Home"), layer("G", "Group", frame(0, 0, 10, 10))})),
                                                     pageFile("2.json", page("P2", {artboard("B", "Settings")}))}));
    const std::vector<SelectionCase> cases = {
        {{"B", "A"}, {"B", "A"}},
        {{"A", "NOPE", "B"}, {"A", "B"}},
        {{"G"}, {}}, // a group on the page is no artboard
        {{"B", "B"}, {"B", "B"}},
        {{}, {}},
    };
    for (const auto& c : cases) {
        SketchImporter fresh;
        fresh.pluginExportInfo = exportInfo(documentPath(), c.artboardIds, SketchToolStandin::executable());
        const auto result = load(fresh);
        ASSERT_TRUE(result.succeeded()) << result.error.toStdString();
        EXPECT_EQ(idsOf(result.selectedArtboards), c.selected);
    }
}

TEST_F(Loader, AnArtboardChosenTwiceComesBackAsTwoModels)
{
    ASSERT_TRUE(writeSketchDocument(documentPath(), {pageFile("1.json", page("P1", {artboard("A", "Home")}))}));
    const auto result = load(documentPath(), {"A", "A"});
    ASSERT_EQ(result.selectedArtboards.size(), 2u);
    EXPECT_NE(result.selectedArtboards[0], result.selectedArtboards[1]);
    EXPECT_EQ(result.selectedArtboards[1]->name, "Home");
    EXPECT_EQ(result.selectedArtboards[1]->dict, result.selectedArtboards[0]->dict);
}

TEST_F(Loader, UnreadablePagesAreSkippedAndTheOthersRead)
{
    std::string deep = "{\"layers\":";
    for (int i = 0; i < 400; ++i) deep += "[";
    for (int i = 0; i < 400; ++i) deep += "]";
    deep += "}";
    ASSERT_TRUE(writeSketchDocument(documentPath(), {
                                                        {QStringLiteral("notes.txt"), QByteArrayLiteral("not json at all")},
                                                        {QStringLiteral("array.json"), QByteArrayLiteral("[1, 2]")},
                                                        {QStringLiteral("deep.json"), QByteArray::fromStdString(deep)},
                                                        pageFile("good.json", page("P", {artboard("A", "Home")})),
                                                    }));
    std::vector<QString> lines;
    platform::setDebugCapture([&lines](const QString& line) { lines.push_back(line); });
    const auto result = load(documentPath(), {"A"});
    platform::setDebugCapture(nullptr);

    ASSERT_TRUE(result.succeeded());
    EXPECT_EQ(idsOf(result.selectedArtboards), Ids{"A"});
    bool toldAboutDeepPage = false;
    for (const auto& line : lines) toldAboutDeepPage |= line.contains(QStringLiteral("deep.json"));
    EXPECT_TRUE(toldAboutDeepPage);
}

TEST_F(Loader, EverySymbolMasterOfEveryPageIsKeptPageByPage)
{
    ASSERT_TRUE(writeSketchDocument(documentPath(),
                                    {pageFile("1.json", page("P1", {symbolMaster("M1", "S1", "Button"), artboard("A", "Home"),
                                                                    symbolMaster("M2", "S2", "Icon")})),
                                     pageFile("2.json", page("P2", {symbolMaster("M3", "S3", "Card")}))}));
    const auto result = load(documentPath(), {"A"});
    Ids symbolIds;
    for (const auto& m : result.symbolMasters) symbolIds.push_back(m->symbolID);
    EXPECT_EQ(symbolIds, (Ids{"S1", "S2", "S3"}));
    EXPECT_EQ(result.symbolMasters[2]->dict.at("name"), "Card");
}

TEST_F(Loader, StylesComeFromTheDocumentFileAndAreEmptyWithoutIt)
{
    ASSERT_TRUE(writeSketchDocument(documentPath(QStringLiteral("with.sketch")), {pageFile("1.json", page("P", {artboard("A", "Home")}))}));
    ASSERT_TRUE(writeSketchDocument(documentPath(QStringLiteral("without.sketch")), {pageFile("1.json", page("P", {artboard("A", "Home")}))},
                                    std::nullopt));
    const auto with = load(documentPath(QStringLiteral("with.sketch")), {"A"});
    ASSERT_EQ(with.textStyles.size(), 1u);
    ASSERT_EQ(with.layerStyles.size(), 1u);
    EXPECT_EQ(with.textStyles[0].at("name"), "Title");
    EXPECT_EQ(with.layerStyles[0].at("name"), "Card");

    SketchImporter other;
    other.pluginExportInfo = exportInfo(documentPath(QStringLiteral("without.sketch")), {"A"}, std::nullopt);
    const auto without = load(other);
    EXPECT_TRUE(without.succeeded());
    EXPECT_TRUE(without.textStyles.empty());
    EXPECT_TRUE(without.layerStyles.empty());
    EXPECT_EQ(idsOf(without.selectedArtboards), Ids{"A"});
}

TEST_F(Loader, LoadWithoutDataFolderReportsAFailureInsteadOfStayingSilent)
{
    ASSERT_TRUE(writeSketchDocument(documentPath(), {pageFile("1.json", page("P", {artboard("A", "Home")}))}));
    platform::overrideUserLibraryDirectory(std::nullopt);
    const auto result = load(documentPath(), {"A"});
    EXPECT_FALSE(result.succeeded());
    EXPECT_TRUE(result.selectedArtboards.empty());
    EXPECT_FALSE(importer.designDocument);
}

TEST_F(Loader, ADocumentThatIsNoArchiveFailsTheLoad)
{
    ASSERT_TRUE(writeFileBytes(documentPath(), "plain text, not a zip archive"));
    EXPECT_FALSE(load(documentPath(), {"A"}).succeeded());
}

TEST_F(Loader, TheCopyInTheDataFolderIsWhatIsRead)
{
    ASSERT_TRUE(writeSketchDocument(documentPath(), {pageFile("1.json", page("P", {artboard("A", "Home")}))}));
    const QByteArray original = readFileBytes(documentPath());
    ASSERT_TRUE(load(documentPath(), {"A"}).succeeded());
    ASSERT_TRUE(importer.designDocument);
    const QString copy = importer.designDocument->storedCopyPath();
    EXPECT_EQ(QFileInfo(copy).absolutePath(), QFileInfo(data.sketchFolder()).absoluteFilePath());
    EXPECT_EQ(QFileInfo(copy).fileName(), QStringLiteral("design.sketch"));
    EXPECT_EQ(readFileBytes(copy), original);
    EXPECT_EQ(importer.designDocument->version, "99");
}

struct ExportableCase {
    std::string name;
    boost::json::array children;
    Ids keys;                     // the records, in order
    std::string firstFormat;      // of the first record
    std::optional<std::string> firstName;
    std::vector<double> firstFrame; // x, y, width, height
};

TEST_F(Loader, ExportableImagesOfAnArtboard)
{
    const std::vector<ExportableCase> cases = {
        {"first of two formats",
         {layer("I", "icon", frame(1, 2, 10.04, 20.06), {"png", "svg"})},
         {"I"},
         "png",
         "icon",
         {1, 2, 10.0, 20.1}},
        {"same id twice: the later one",
         {layer("I", "first", frame(0, 0, 5, 5), {"png"}), layer("J", "other", frame(0, 0, 5, 5), {"pdf"}),
          layer("I", "second", frame(0, 0, 6, 6), {"svg"})},
         {"I", "J"},
         "svg",
         "second",
         {0, 0, 6, 6}},
        {"inside a group, relative to the artboard",
         {layer("G", "group", frame(10, 20, 50, 50), {}, {layer("I", "inner", frame(5, 5, 8, 8), {"png"})}, "group")},
         {"I"},
         "png",
         "inner",
         {15, 25, 8, 8}},
        {"inside a hidden group: none",
         {[] {
             auto g = layer("G", "group", frame(10, 20, 50, 50), {}, {layer("I", "inner", frame(5, 5, 8, 8), {"png"})}, "group");
             g["isVisible"] = false;
             return g;
         }()},
         {},
         "",
         std::nullopt,
         {}},
        {"an empty name is kept", {layer("I", "", frame(0, 0, 4, 4), {"pdf"})}, {"I"}, "pdf", "", {0, 0, 4, 4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ArtboardSumModel board;
        board.do_objectID = "A";
        board.dict = artboard("A", "Home", c.children, frame(300, 400, 375, 812));
        const auto images = importer.analyzeExportables(board, std::string());
        Ids keys;
        for (const auto& [key, image] : images) keys.push_back(key);
        EXPECT_EQ(keys, c.keys);
        if (images.empty()) continue;
        const SketchExportableImageModel& first = images.begin()->second;
        EXPECT_EQ(first.formatModel.fileFormat, c.firstFormat);
        EXPECT_EQ(first.name, c.firstName);
        ASSERT_TRUE(first.frame);
        EXPECT_EQ((std::vector<double>{first.frame->x, first.frame->y, first.frame->width, first.frame->height}), c.firstFrame);
        // The search's marks stay in the artboard's dictionary, which is what gets uploaded.
        EXPECT_TRUE(board.dict.contains("ZVExactOrigin"));
    }
}

TEST_F(Loader, RealDocumentLoadsItsArtboardsMastersAndStyles)
{
    const QString path = documentPath(QStringLiteral("Carbon Design Kit.sketch"));
    ASSERT_TRUE(QFile::copy(fixturePath(QStringLiteral("sketch/carbon-8.1.0.sketch")), path));
    const Ids chosen = {"15F6A398-1C63-4B61-A699-B68C12E284F2", "E2D82DD6-113A-4A2F-937C-CBE8380AD746",
                        "AC13CA81-ABEE-4545-B5D1-9AE375C39D72"};
    const auto result = load(path, chosen);
    ASSERT_TRUE(result.succeeded()) << result.error.toStdString();
    EXPECT_EQ(idsOf(result.selectedArtboards), chosen);
    EXPECT_EQ(result.selectedArtboards[2]->name, "About this kit");
    EXPECT_EQ(result.symbolMasters.size(), 584u);
    EXPECT_EQ(result.textStyles.size(), 33u);
    EXPECT_EQ(result.layerStyles.size(), 53u);
    const std::vector<std::size_t> exportableCounts = {1, 1, 0};
    for (std::size_t i = 0; i < chosen.size(); ++i)
        EXPECT_EQ(importer.analyzeExportables(*result.selectedArtboards[i], std::string()).size(), exportableCounts[i]);
}

struct PreviewCase {
    std::string mode;
    bool hasPreview;
};

TEST_F(Loader, PreviewCutSetsItsFileAndTheImageWhenOneLoads)
{
    SketchToolStandin tool;
    ASSERT_TRUE(writeSketchDocument(documentPath(), {pageFile("1.json", page("P", {artboard("A", "Home")}))}));
    const auto result = load(documentPath(), {"A"});
    ASSERT_EQ(result.selectedArtboards.size(), 1u);
    const std::vector<PreviewCase> cases = {{"ok", true}, {"garbage", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        tool.setControl({{"items", {{"A", {{"mode", c.mode}}}}}});
        auto board = std::make_shared<ArtboardSumModel>(*result.selectedArtboards[0]);
        std::optional<QString> handed;
        importer.preparePreview(board, SketchToolStandin::executable(), [&](const QString& p) { handed = p; }, {});
        ASSERT_TRUE(waitFor([&] { return handed.has_value(); }));
        EXPECT_EQ(board->previewUrl, handed);
        EXPECT_TRUE(handed->endsWith(QStringLiteral("/exportables/images/A/A/Home.png")));
        EXPECT_EQ(board->preview.has_value(), c.hasPreview);
    }
}

} // namespace
