#include "Import/Plugin/AdobeXDDesignImportHelper.h"
#include "Import/Plugin/AdobeXDExportUtils.h"
#include "Import/Plugin/XDExportFolder.h"
#include "platform/JsonText.h"

#include <gtest/gtest.h>

#include <QFileInfo>

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
        {"logo@1.5x.png", std::pair{"logo", "1.5"}}, {"photo.final.jpg", std::pair{"photo", "1"}},
        {"icon@2.png", std::pair{"icon", "2.png"}},  {"a@@3x.png", std::pair{"a", "3"}},
        {"@2x.png", std::nullopt},                   {"logo@x", std::nullopt},
        {"...", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Helper::getOidAndScaleFromPath(QStringLiteral("/any/folder/") + QString::fromUtf8(c.name)), c.expected)
            << c.name;
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
        {"sym1", {"star@2x.png"}}, {"..", {}}, {"../..", {}}, {"sym1/../..", {}}, {"", {}}, {".", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(names(Helper::getSymbolMasterExportablesPath(c.symbolId, folder.root(), "Android")), c.images)
            << c.symbolId;
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
        {R"({"sceneNode":{"guid":1,"name":null,"visible":"yes","boundsInParent":"0,0,1,1"},"symbolId":5,"children":{}})",
         "", "", "", FrameInfo{}, false, 0},
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
