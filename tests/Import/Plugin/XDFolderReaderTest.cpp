#include "Import/Plugin/AdobeXDDesignImportHelper.h"
#include "Import/Plugin/AdobeXDExportUtils.h"
#include "Import/Plugin/XDExportFolder.h"
#include "platform/JsonText.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

using Helper = AdobeXDDesignImportHelper;

namespace {

std::vector<std::string> names(const QStringList& paths)
{
    std::vector<std::string> result;
    for (const QString& p : paths) result.push_back(QFileInfo(p).fileName().toStdString());
    return result;
}

boost::json::object parseObject(const char* text)
{
    return platform::parseJson(text)->as_object();
}

} // namespace

TEST(XDFolderReader, ImageNamesGiveLayerIdAndScale)
{
    using Result = std::optional<std::pair<std::string, std::string>>;
    const struct {
        const char* name;
        Result expected;
    } cases[] = {
        {"logo@2x.png", std::pair{"logo", "2"}},
        {"logo@1.5x.png", std::pair{"logo", "1.5"}},
        {"logo.png", std::pair{"logo", "1"}},
        {"photo.final.jpg", std::pair{"photo", "1"}},
        {"icon@2.png", std::pair{"icon", "2.png"}},
        {"a@@3x.png", std::pair{"a", "3"}},
        {"@2x.png", std::nullopt},
        {"logo@", std::nullopt},
        {"logo@x", std::nullopt},
        {"logo@xx.png", std::pair{"logo", ".png"}},
        {"...", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Helper::getOidAndScaleFromPath(QStringLiteral("/any/folder/") + QString::fromUtf8(c.name)), c.expected)
            << c.name;
}

TEST(XDFolderReader, OnlyPlainNamesBecomeFolderNames)
{
    const struct {
        std::string name;
        bool plain;
    } cases[] = {
        {"sym-1", true}, {"..a", true},   {"a..b", true},        {"", false},
        {".", false},    {"..", false},   {"../..", false},      {"a/b", false},
        {"/etc", false}, {"a\\b", false}, {std::string("a\0b", 3), false},
    };
    for (const auto& c : cases) EXPECT_EQ(Helper::isPlainFolderName(c.name), c.plain) << c.name;
}

TEST(XDFolderReader, ArtboardsAreTheRootEntriesLessPlatformFilesAndMasters)
{
    XDExportFolder folder;
    folder.write(QStringLiteral(".DS_Store"), "x");
    folder.masters({});
    folder.artboard("B2", XDExportFolder::node("B2", "Detail"));
    folder.artboard("A1", XDExportFolder::node("A1", "Home"));
    folder.write(QStringLiteral("notes.txt"), "stray");
    EXPECT_EQ(Helper::getArtboards(folder.root()), (std::vector<std::string>{"A1", "B2", "notes.txt"}));
    EXPECT_TRUE(Helper::getArtboards(folder.path(QStringLiteral("missing"))).empty());
}

TEST(XDFolderReader, ImagesOfAnArtboardFollowThePlatformsScales)
{
    XDExportFolder folder;
    folder.artboard("A1", XDExportFolder::node("A1", "Home"));
    for (const char* name : {"icon.png", "icon@2x.png", "icon@3x.png", "icon@1.5x.png", "icon@4x.png", "A1-badge.png",
                             "meta.json"})
        folder.image(QStringLiteral("A1/") + QString::fromLatin1(name), 3);
    folder.write(QStringLiteral("A1/.DS_Store"), "x");
    QTemporaryDir outside;
    writeFileBytes(outside.path() + QStringLiteral("/private.png"), XDExportFolder::png(5));
    QFile::link(outside.path() + QStringLiteral("/private.png"), folder.path(QStringLiteral("A1/linked@2x.png")));
    QDir().mkpath(folder.path(QStringLiteral("A1/folder@2x.png")));
    ::mkfifo(QFile::encodeName(folder.path(QStringLiteral("A1/pipe@2x.png"))).constData(), 0600);

    const struct {
        const char* platform;
        std::vector<std::string> images;
    } cases[] = {
        {"iOS", {"icon.png", "icon@2x.png", "icon@3x.png"}},
        {"Android", {"icon.png", "icon@1.5x.png", "icon@2x.png", "icon@3x.png", "icon@4x.png"}},
        {"ios", {"icon.png", "icon@1.5x.png", "icon@2x.png", "icon@3x.png", "icon@4x.png"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(names(Helper::getArtboardExportablesPath("A1", folder.root(), c.platform)), c.images) << c.platform;
}

TEST(XDFolderReader, SymbolIdCannotReachOutsideThePluginFolder)
{
    XDExportFolder folder;
    folder.image(QStringLiteral("symbol_masters/sym1/star@2x.png"), 4);
    folder.image(QStringLiteral("root-file@2x.png"), 4);                 // reached by ".."
    writeFileBytes(folder.root() + QStringLiteral("/../secret@2x.png"), "private"); // reached by "../.."
    const struct {
        std::string symbolId;
        std::vector<std::string> images;
    } cases[] = {
        {"sym1", {"star@2x.png"}},
        {"..", {}},
        {"../..", {}},
        {"sym1/../..", {}},
        {"", {}},
        {".", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(names(Helper::getSymbolMasterExportablesPath(c.symbolId, folder.root(), "Android")), c.images)
            << c.symbolId;
}

TEST(XDFolderReader, JsonFilesReadOnlyAsTheirKind)
{
    XDExportFolder folder;
    folder.write(QStringLiteral("object.json"), R"({"a":1})");
    folder.write(QStringLiteral("array.json"), R"([1,2])");
    folder.write(QStringLiteral("broken.json"), R"({"a":)");
    folder.write(QStringLiteral("empty.json"), "");
    QFile::link(folder.path(QStringLiteral("object.json")), folder.path(QStringLiteral("link.json")));
    QDir().mkpath(folder.path(QStringLiteral("dir.json")));
    const struct {
        const char* file;
        bool dict;
        bool array;
    } cases[] = {
        {"object.json", true, false}, {"array.json", false, true}, {"broken.json", false, false},
        {"empty.json", false, false}, {"missing.json", false, false}, {"link.json", false, false},
        {"dir.json", false, false},
    };
    for (const auto& c : cases) {
        const QString path = folder.path(QString::fromLatin1(c.file));
        EXPECT_EQ(Helper::getJsonDict(path).has_value(), c.dict) << c.file;
        EXPECT_EQ(Helper::getJsonArray(path).has_value(), c.array) << c.file;
    }
}

TEST(XDFolderReader, NodeReadersTolerateMissingAndMistypedValues)
{
    const struct {
        const char* node;
        std::string guid, name, symbolId;
        FrameInfo frame;
        bool visible;
        std::size_t children;
    } cases[] = {
        {R"({"sceneNode":{"guid":"g","name":"n","visible":true,"boundsInParent":{"x":1,"y":2.5,"width":3,"height":4}},
            "symbolId":"s","children":[{},{}]})",
         "g", "n", "s", FrameInfo{{}, 4, 3, 1, 2.5}, true, 2},
        {R"({})", "", "", "", FrameInfo{}, false, 0},
        {R"({"sceneNode":[],"symbolId":5,"children":{}})", "", "", "", FrameInfo{}, false, 0},
        {R"({"sceneNode":{"guid":1,"name":null,"visible":"yes","boundsInParent":"0,0,1,1"}})", "", "", "", FrameInfo{},
         false, 0},
        {R"({"sceneNode":{"boundsInParent":{"x":"1","width":7}}})", "", "", "", FrameInfo{{}, 0, 7, 0, 0}, false, 0},
    };
    for (const auto& c : cases) {
        const auto node = parseObject(c.node);
        EXPECT_EQ(AdobeXDExportUtils::getNodeGuid(node), c.guid) << c.node;
        EXPECT_EQ(AdobeXDExportUtils::getNodeName(node), c.name) << c.node;
        EXPECT_EQ(AdobeXDExportUtils::getNodeSymbolId(node), c.symbolId) << c.node;
        EXPECT_EQ(AdobeXDExportUtils::getNodeVisible(node), c.visible) << c.node;
        EXPECT_EQ(AdobeXDExportUtils::getNodeChildren(node).size(), c.children) << c.node;
        const FrameInfo frame = AdobeXDExportUtils::getNodeFrame(node);
        EXPECT_EQ(std::tie(frame.x, frame.y, frame.width, frame.height),
                  std::tie(c.frame.x, c.frame.y, c.frame.width, c.frame.height))
            << c.node;
    }
}

TEST(XDFolderReader, LayerNameSearchIsDepthFirstAndSkipsEmptyNames)
{
    const auto tree = parseObject(R"({"sceneNode":{"guid":"root","name":"Root"},"children":[
        {"sceneNode":{"guid":"a","name":""},"children":[{"sceneNode":{"guid":"dup","name":"Deep"}}]},
        "not a node",
        {"sceneNode":{"guid":"dup","name":"Shallow later"}},
        {"sceneNode":{"guid":"a","name":"Named a"}}]})");
    const struct {
        const char* oid;
        const char* name;
    } cases[] = {{"root", "Root"}, {"dup", "Deep"}, {"a", "Named a"}, {"none", ""}};
    for (const auto& c : cases) EXPECT_EQ(AdobeXDExportUtils::getNodeName(tree, c.oid), c.name) << c.oid;
}

TEST(XDFolderReader, PluginFolderIsFoundUnderTheLibraryFolder)
{
    XDExportFolder folder;
    const QString expected =
        folder.libraryPath() + QStringLiteral("/Application Support/Adobe/Adobe XD/plugin_settings/b41e7c2d");
    auto check = [] {
        const auto [exists, path] = GSketchTerminalManager::checkAdobeXDPluginDataPathExist();
        return std::make_pair(exists, path.value_or(QStringLiteral("<none>")).toStdString());
    };
    EXPECT_EQ(check(), std::make_pair(true, expected.toStdString()));
    QDir(expected).removeRecursively();
    EXPECT_EQ(check(), std::make_pair(false, expected.toStdString()));
    platform::overrideUserLibraryDirectory(std::nullopt);
    EXPECT_EQ(check(), std::make_pair(false, std::string("<none>")));
}

