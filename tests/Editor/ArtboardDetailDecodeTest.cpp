#include "Editor/ArtboardDetailInfoResponse.h"
#include "Editor/GetArtboardInfoRequest.h"
#include "Editor/LayerOutlineTreeModel.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>

#include <memory>
#include <string>
#include <vector>

namespace {

ArtboardDetailInfoResponse decode(const char* json)
{
    return jsonmap::fromJson<ArtboardDetailInfoResponse>(boost::json::parse(json));
}

TEST(ArtboardDetailDecodeTest, EmptyReplyKeepsEveryDefault)
{
    const auto reply = decode("{}");
    EXPECT_TRUE(reply.artboardViewInfoList.empty());
    EXPECT_TRUE(reply.componentList.empty());
    EXPECT_TRUE(reply.artboardFlatModel.artboard.oid.empty());
    EXPECT_FALSE(reply.androidXmlGenerationResponse.has_value());
    ASSERT_NE(reply.codeDirectory, nullptr);
    EXPECT_TRUE(reply.codeDirectory->name.empty());
    EXPECT_TRUE(reply.codeDirectory->files.empty());
    EXPECT_TRUE(reply.codeDirectory->directories.empty());
    EXPECT_TRUE(reply.selectedCodeFilePath.empty());
    EXPECT_FALSE(reply.errorModel.has_value());
}

TEST(ArtboardDetailDecodeTest, FullReplyFillsEveryNestedModelInOrder)
{
    const auto reply = decode(R"({
      "resources": [{}], "componentTypeList": [{"key": "card", "fieldTypes": [{"key": "title", "programmingClassKey": "2"}]}],
      "convertibleTypeList": [{"key": "a"}, {"key": "b"}],
      "componentList": [{"componentId": "c1", "name": "Card", "classNameString": "CardView"}],
      "codePreferences": {"indent": 4},
      "colors": [{"red": 1}], "fonts": [{}], "images": [{}], "strings": [{}, {}],
      "screenColors": [{}], "screenFonts": [{}, {}], "screenStrings": [{}],
      "artboardFlatModel": {"artboard": {"oid": "A1", "name": "Home"}},
      "symbolMasterViewInfoList": [{"symbolId": "S1", "classNameString": "Badge",
                                    "detailInfo": {"hasBackgroundColor": true, "backgroundColorModel": {"red": 1}},
                                    "viewInfoList": [{"oid": "m1"}]}],
      "artboardViewInfoList": [{"artboardId": "A1", "baseClassNameString": "UIViewController",
                                "viewInfoList": [{"oid": "v1"}, {"oid": "v2"}],
                                "treeViewInfoList": [{"id": "v1", "views": [{"id": "v2"}]}]}],
      "customViewInfoList": [{"customViewId": "cv", "ancestorClassKey": "view", "mainViewInfo": {"oid": "root"},
                              "viewInfoList": [{"oid": "x"}]}],
      "androidXmlGenerationResponse": {"layouts": []},
      "codeDirectory": {"name": "root", "path": "/", "files": [{"path": "A.swift", "absolutePath": "/A.swift",
                        "exportPath": "Sources/A.swift", "fileExtension": "swift", "name": "A", "content": "x"}],
                        "directories": [{"name": "Sub", "directories": [{"name": "Deeper"}]}]},
      "selectedCodeFilePath": "/A.swift"
    })");
    EXPECT_EQ(reply.resources.size(), 1u);
    ASSERT_EQ(reply.componentTypeList.size(), 1u);
    EXPECT_EQ(reply.componentTypeList[0].fieldTypes.at(0).programmingClassKey, "2");
    EXPECT_EQ(reply.convertibleTypeList.at(1).key, "b");
    EXPECT_EQ(reply.componentList.at(0).classNameString, "CardView");
    EXPECT_EQ(reply.codePreferences.raw.at("indent"), 4);
    EXPECT_EQ(std::vector<std::size_t>({reply.colors.size(), reply.fonts.size(), reply.images.size(), reply.strings.size(),
                                        reply.screenColors.size(), reply.screenFonts.size(), reply.screenStrings.size()}),
              std::vector<std::size_t>({1, 1, 1, 2, 1, 2, 1}));
    EXPECT_EQ(reply.artboardFlatModel.artboard.oid, "A1");
    const auto& master = *reply.symbolMasterViewInfoList.at(0);
    EXPECT_EQ(master.symbolId, "S1");
    ASSERT_TRUE(master.detailInfo && master.detailInfo->backgroundColorModel);
    EXPECT_TRUE(master.detailInfo->hasBackgroundColor);
    const auto& artboard = *reply.artboardViewInfoList.at(0);
    EXPECT_EQ(artboard.viewInfoList.at(1)->oid, "v2");
    EXPECT_EQ(artboard.treeViewInfoList.at(0)->views.at(0)->id, "v2");
    EXPECT_EQ(artboard.detailInfo, nullptr);
    EXPECT_EQ(reply.customViewInfoList.at(0)->mainViewInfo->oid, "root");
    EXPECT_TRUE(reply.androidXmlGenerationResponse.has_value());
    EXPECT_EQ(reply.codeDirectory->files.at(0)->exportPath, "Sources/A.swift");
    EXPECT_EQ(reply.codeDirectory->directories.at(0)->directories.at(0)->name, "Deeper");
    EXPECT_EQ(reply.selectedCodeFilePath, "/A.swift");
}

TEST(ArtboardDetailDecodeTest, WrongTypesKeepDefaultsWithoutThrowing)
{
    const auto reply = decode(R"({"artboardViewInfoList": 5, "codeDirectory": "x", "componentList": [1, "a", null],
                                  "androidXmlGenerationResponse": null, "selectedCodeFilePath": 7})");
    EXPECT_TRUE(reply.artboardViewInfoList.empty());
    ASSERT_NE(reply.codeDirectory, nullptr);
    EXPECT_EQ(reply.componentList.size(), 3u);
    EXPECT_FALSE(reply.androidXmlGenerationResponse.has_value());
    EXPECT_TRUE(reply.selectedCodeFilePath.empty());
}

TEST(ArtboardDetailDecodeTest, RequestWritesAllFourKeysWithTheSampleFlagAsBoolean)
{
    GetArtboardInfoRequest request;
    request.projectId = "p";
    request.artboardId = "a";
    request.platform = "Android";
    const auto body = jsonmap::toJsonObject(request);
    for (const char* key : {"projectId", "artboardId", "isSample", "platform", "lang", "version"})
        EXPECT_TRUE(body.contains(key)) << key;
    EXPECT_TRUE(body.at("isSample").is_bool());
}

std::shared_ptr<LayerSumModel> layer(const std::string& name, bool visible, std::vector<std::shared_ptr<LayerSumModel>> children = {})
{
    auto l = std::make_shared<LayerSumModel>();
    l->name = name;
    l->isVisible = visible;
    l->layers = std::move(children);
    return l;
}

TEST(LayerOutlineTest, InvisibleLayerReportsNoChildrenYetExpandsAndCountsNeverExceedTheLayers)
{
    auto hidden = layer("hidden", false, {layer("under hidden", true)});
    auto group = layer("group", true, {layer("a", true), layer("b", false), hidden});
    LayerOutlineTreeModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.setLayers({group, layer("alone", true)});
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.numberOfChildren(group.get()), 3);
    EXPECT_EQ(model.numberOfChildren(hidden.get()), 0);
    const QModelIndex groupIndex = model.index(0, 0);
    EXPECT_EQ(model.data(groupIndex).toString(), QStringLiteral("group"));
    EXPECT_EQ(model.data(model.index(2, 0, groupIndex)).toString(), QStringLiteral("hidden"));
    // Expandable all the same: it holds a sub-layer, drawn or not.
    EXPECT_TRUE(model.hasChildren(model.index(2, 0, groupIndex)));
    EXPECT_FALSE(model.hasChildren(model.index(1, 0, groupIndex)));
    EXPECT_FALSE(model.index(3, 0, groupIndex).isValid());
    EXPECT_EQ(model.parent(model.index(1, 0, groupIndex)), groupIndex);

    model.setLayers({});
    EXPECT_EQ(model.rowCount(), 0);
}

TEST(LayerOutlineTest, NullAndRepeatedLayersDoNotBreakTheTree)
{
    auto shared = layer("shared", true);
    auto top = layer("top", true, {shared, nullptr, shared});
    LayerOutlineTreeModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.setLayers({top, shared});
    // Children stop at the first one that cannot have its own place.
    EXPECT_EQ(model.numberOfChildren(top.get()), 1);
    EXPECT_EQ(model.rowCount(), 1);
}

} // namespace
