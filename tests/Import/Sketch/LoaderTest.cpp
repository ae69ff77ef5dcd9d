// The Sketch document loader: selecting artboards, unreadable pages and documents, and the
// exportable images of an artboard.

#include "Import/Plugin/UploadRunTestKit.h"
#include "Import/Sketch/SketchImporter.h"
#include "App/GFileManager.h"
#include "platform/Archive.h"
#include "platform/DebugLog.h"
#include "platform/MainQueue.h"
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

    SketchImporter::LoadResult load(SketchImporter& target)
    {
        auto result = std::make_shared<std::optional<SketchImporter::LoadResult>>();
        target.loadSketchDocument([result](SketchImporter::LoadResult& r) { *result = std::move(r); });
        waitFor([&] { return result->has_value(); });
        return result->value_or(SketchImporter::LoadResult{QStringLiteral("no callback"), {}, {}, {}, {}, {}});
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

// An id listed twice made two cut chains write one file and failed the run: it is taken once.
TEST_F(Loader, SelectionFollowsTheExportFilesOrderAndTakesARepeatedIdOnce)
{
    ASSERT_TRUE(writeSketchDocument(documentPath(), {pageFile("1.json", page("P1", {artboard("A", "Home"), layer("G", "Group", frame(0, 0, 10, 10))})),
                                                     pageFile("2.json", page("P2", {artboard("B", "Settings")}))}));
    const std::vector<SelectionCase> cases = {
        {{"B", "A"}, {"B", "A"}},
        {{"A", "NOPE", "B"}, {"A", "B"}},
        {{"G"}, {}}, // a group on the page is no artboard
        {{"B", "A", "B", "A"}, {"B", "A"}},
    };
    for (const auto& c : cases) {
        SketchImporter fresh;
        fresh.pluginExportInfo = exportInfo(documentPath(), c.artboardIds, SketchToolStandin::executable());
        const auto result = load(fresh);
        ASSERT_TRUE(result.succeeded()) << result.error.toStdString();
        EXPECT_EQ(idsOf(result.selectedArtboards), c.selected);
    }
}

// Pages skipped for invalid JSON or depth were left out silently: they are named with why.
TEST_F(Loader, UnreadablePagesAreSkippedNamedAndTheOthersRead)
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
    std::vector<std::string> skipped;
    for (const auto& page : result.skipped) skipped.push_back(page.what + ": " + page.message);
    EXPECT_EQ(skipped, (std::vector<std::string>{"pages/array.json: the page does not hold valid page JSON and was left out",
                                                 "pages/deep.json: the page nests deeper than 256 levels and was left out",
                                                 "pages/notes.txt: the page does not hold valid page JSON and was left out"}));
}

TEST_F(Loader, ADocumentWithoutItsDocumentFileLoadsWithoutStyles)
{
    ASSERT_TRUE(writeSketchDocument(documentPath(), {pageFile("1.json", page("P", {artboard("A", "Home")}))}, std::nullopt));
    const auto result = load(documentPath(), {"A"});
    EXPECT_TRUE(result.succeeded());
    EXPECT_TRUE(result.textStyles.empty());
    EXPECT_TRUE(result.layerStyles.empty());
    EXPECT_EQ(idsOf(result.selectedArtboards), Ids{"A"});
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

// Unpacking and parsing ran on the main thread: an archive of 99,000 entries froze the window.
// The work runs on a worker (the main thread goes on turning meanwhile), and an archive of more
// entries than a document holds is refused.
TEST_F(Loader, DocumentsAreReadOffTheMainThreadAndArchivesOfTooManyEntriesRefused)
{
    std::vector<std::pair<QString, QByteArray>> entries = {pageFile("1.json", page("P", {artboard("A", "Home")}))};
    entries.front().first.prepend(QStringLiteral("pages/"));
    for (int i = 0; i < 300; ++i) entries.emplace_back(QStringLiteral("images/%1.png").arg(i), QByteArray(64, 'x'));
    QString error;
    ASSERT_TRUE(platform::zipEntries(documentPath(), entries, &error)) << error.toStdString();
    importer.pluginExportInfo = exportInfo(documentPath(), {"A"}, SketchToolStandin::executable());
    std::vector<std::string> order;
    auto result = std::make_shared<std::optional<SketchImporter::LoadResult>>();
    importer.loadSketchDocument([&order, result](SketchImporter::LoadResult& r) {
        order.push_back("loaded");
        *result = std::move(r);
    });
    platform::dispatchMain([&order] { order.push_back("main thread turned"); });
    ASSERT_TRUE(waitFor([&] { return result->has_value(); }));
    EXPECT_EQ(order, (std::vector<std::string>{"main thread turned", "loaded"}));
    EXPECT_EQ(idsOf((*result)->selectedArtboards), Ids{"A"});

    for (int i = 300; i <= GFileManager::kMaxArchiveEntries; ++i)
        entries.emplace_back(QStringLiteral("images/%1.png").arg(i), QByteArray());
    ASSERT_TRUE(platform::zipEntries(documentPath(), entries, &error)) << error.toStdString();
    const auto refused = load(importer);
    EXPECT_FALSE(refused.succeeded());
    EXPECT_TRUE(refused.error.contains(QStringLiteral("more than the limit of 20000"))) << refused.error.toStdString();
}

TEST_F(Loader, ADocumentThatIsNoArchiveFailsTheLoad)
{
    ASSERT_TRUE(writeFileBytes(documentPath(), "plain text, not a zip archive"));
    EXPECT_FALSE(load(documentPath(), {"A"}).succeeded());
}

TEST_F(Loader, ExportableImagesOfAnArtboard)
{
    const struct {
        std::string name;
        boost::json::array children;
        Ids keys;                       // the records, in order
        std::string firstFormat;        // of the first record
        std::optional<std::string> firstName;
        std::vector<double> firstFrame; // x, y, width, height
    } cases[] = {
        {"first of two formats", {layer("I", "icon", frame(1, 2, 10.04, 20.06), {"png", "svg"})}, {"I"}, "png", "icon",
         {1, 2, 10.0, 20.1}},
        {"same id twice: the later one",
         {layer("I", "first", frame(0, 0, 5, 5), {"png"}), layer("J", "other", frame(0, 0, 5, 5), {"pdf"}),
          layer("I", "second", frame(0, 0, 6, 6), {"svg"})},
         {"I", "J"}, "svg", "second", {0, 0, 6, 6}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ArtboardSumModel board;
        board.do_objectID = "A";
        board.dict = artboard("A", "Home", c.children, frame(300, 400, 375, 812));
        std::vector<QString> lines;
        platform::setDebugCapture([&lines](const QString& line) { lines.push_back(line); });
        const auto images = importer.analyzeExportables(board, std::string());
        platform::setDebugCapture(nullptr);
        // Two layers with one id dropped one exportable silently: it is logged.
        EXPECT_EQ(lines.size(), c.keys.size() == c.children.size() ? 0u : 1u);
        Ids keys;
        for (const auto& [key, image] : images) keys.push_back(key);
        EXPECT_EQ(keys, c.keys);
        ASSERT_FALSE(images.empty());
        const SketchExportableImageModel& first = images.begin()->second;
        EXPECT_EQ(first.formatModel.fileFormat, c.firstFormat);
        EXPECT_EQ(first.name, c.firstName);
        ASSERT_TRUE(first.frame);
        EXPECT_EQ((std::vector<double>{first.frame->x, first.frame->y, first.frame->width, first.frame->height}), c.firstFrame);
        // The search's marks stay in the artboard's dictionary, which is what gets uploaded.
        EXPECT_TRUE(board.dict.contains("ZVExactOrigin"));
    }
}

} // namespace
