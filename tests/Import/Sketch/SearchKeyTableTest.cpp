#include "FixtureDocument.h"

#include "Import/Sketch/BaseSModel.h"
#include "Import/Sketch/SketchLayerKeys.h"
#include "Import/Sketch/SketchMetrics.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace sketchtest;

std::vector<std::string> idsOf(const std::vector<boost::json::object>& found)
{
    std::vector<std::string> ids;
    for (const boost::json::object& dict : found) {
        const boost::json::value* id = dict.if_contains("do_objectID");
        ids.push_back(id && id->is_string() ? std::string(id->get_string()) : std::string("?"));
    }
    return ids;
}

const char* const kPage = R"({"_class":"page","do_objectID":"PAGE","layers":[
    {"_class":"artboard","do_objectID":"AB"},
    {"_class":"symbolMaster","do_objectID":"SM","symbolID":"S"},
    {"_class":"group","do_objectID":"GR","layers":[{"_class":"artboard","do_objectID":"INNER"}]},
    {"_class":"shapeGroup","do_objectID":"SG"}]})";

const char* const kExportFormat = R"("exportOptions":{"_class":"exportOptions","exportFormats":[{"_class":"exportFormat"}]})";

struct KeyCase {
    const char* name;
    SketchLayerKeys key;
    bool recursive;
    std::string json;
    std::vector<std::string> expectedIds;
};

class KeyTableSearch : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyTableSearch, CollectsWhatTheEntryDescribes)
{
    const KeyCase& c = GetParam();
    BaseSModel model;
    model.dict = jsonObject(c.json);
    ASSERT_FALSE(model.dict.empty()) << "test JSON does not parse";
    EXPECT_EQ(idsOf(model.findDictionary(c.key, c.recursive)), c.expectedIds);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, KeyTableSearch,
    ::testing::Values(
        KeyCase{"ArtboardsOnlyAtTopLevel", SketchLayerKeys::kArtboard, false, kPage, {"AB"}},
        KeyCase{"SymbolMastersOnlyAtTopLevel", SketchLayerKeys::kSymbolMasters, false, kPage, {"SM"}},
        KeyCase{"ShapeGroupsByClass", SketchLayerKeys::kShapeGroups, false, kPage, {"SG"}},
        KeyCase{"EveryLayerOfAnyClass", SketchLayerKeys::kLayer, true, kPage, {"AB", "SM", "GR", "SG", "INNER"}},
        KeyCase{"LayerStylesWhateverTheirClass", SketchLayerKeys::kLayerStyles, false,
                R"({"layerStyles":{"_class":"sharedStyleContainer","objects":[
                    {"_class":"sharedStyle","do_objectID":"L1"},{"do_objectID":"L2"},{"_class":7,"do_objectID":"L3"}]}})",
                {"L1", "L2", "L3"}},
        KeyCase{"TextStylesOfTheTextContainer", SketchLayerKeys::kTextStyles, false,
                R"({"layerStyles":{"_class":"sharedStyleContainer","objects":[{"do_objectID":"L1"}]},
                    "layerTextStyles":{"_class":"sharedTextStyleContainer","objects":[{"do_objectID":"T1"}]}})",
                {"T1"}},
        // A single dictionary of another class is offered for collection itself; only lists
        // filter their elements by class.
        KeyCase{"StyleContainerOfAnotherClassIsCollectedItself", SketchLayerKeys::kLayerStyles, false,
                R"({"layerStyles":{"_class":"other","do_objectID":"BOX","objects":[{"do_objectID":"L1"}]}})", {"BOX"}},
        KeyCase{"StepWithoutClassAcceptsDictionaryWithoutClass", SketchLayerKeys::kFont, false,
                R"({"attributedString":{"_class":"attributedString","attributes":[{"_class":"stringAttribute",
                    "attributes":{"do_objectID":"ATTR","MSAttributedStringFontAttribute":{"_class":"fontDescriptor","do_objectID":"FONT"}}}]}})",
                {"FONT"}},
        KeyCase{"StepWithoutClassDoesNotDescendIntoDictionaryWithClass", SketchLayerKeys::kFont, false,
                R"({"attributedString":{"_class":"attributedString","attributes":[{"_class":"stringAttribute",
                    "attributes":{"_class":"x","do_objectID":"ATTR","MSAttributedStringFontAttribute":{"_class":"fontDescriptor","do_objectID":"FONT"}}}]}})",
                {"ATTR"}},
        KeyCase{"TextColorOfEveryAttributeRun", SketchLayerKeys::kTextColor, false,
                R"({"attributedString":{"_class":"attributedString","attributes":[
                    {"_class":"stringAttribute","attributes":{"MSAttributedStringColorAttribute":{"_class":"color","do_objectID":"C1"}}},
                    {"_class":"stringAttribute","attributes":{"MSAttributedStringColorAttribute":{"_class":"color","do_objectID":"C2"}}},
                    {"_class":"other","attributes":{"MSAttributedStringColorAttribute":{"_class":"color","do_objectID":"C3"}}}]}})",
                {"C1", "C2"}},
        KeyCase{"FillColorsOfTheStyle", SketchLayerKeys::kFillColor, false,
                R"({"style":{"_class":"style","fills":[{"_class":"fill","color":{"_class":"color","do_objectID":"F1"}},
                    {"_class":"border","color":{"_class":"color","do_objectID":"B1"}}]}})",
                {"F1"}},
        KeyCase{"ExportablesNeedAFormatOfFormatClass", SketchLayerKeys::kExportables, false,
                std::string(R"({"layers":[{"do_objectID":"YES",)") + kExportFormat +
                    R"(},{"do_objectID":"NOCLASS","exportOptions":{"_class":"exportOptions","exportFormats":[{"scale":1}]}},
                       {"do_objectID":"EMPTY","exportOptions":{"_class":"exportOptions","exportFormats":[]}},{"do_objectID":"NONE"}]})",
                {"YES"}},
        // The format step of this entry has no class filter, so only formats without a class count.
        KeyCase{"FillImageFormatsWithoutClass", SketchLayerKeys::kFillImageUrl, false,
                R"({"layers":[
                    {"do_objectID":"PLAIN","style":{"_class":"style","fills":[{"_class":"fill","image":{"_class":"MSJSONFileReference"}}]},
                     "exportOptions":{"_class":"exportOptions","exportFormats":[{"scale":1}]}},
                    {"do_objectID":"CLASSED","style":{"_class":"style","fills":[{"_class":"fill","image":{"_class":"MSJSONFileReference"}}]},
                     "exportOptions":{"_class":"exportOptions","exportFormats":[{"_class":"exportFormat"}]}},
                    {"do_objectID":"NOIMAGE","exportOptions":{"_class":"exportOptions","exportFormats":[{"scale":1}]}}]})",
                {"PLAIN"}},
        KeyCase{"ExportableBitmapsOnly", SketchLayerKeys::kExportableBitmapImages, true,
                std::string(R"({"layers":[{"_class":"group","do_objectID":"G","layers":[
                    {"_class":"bitmap","do_objectID":"BM","image":{"_class":"MSJSONFileReference"},)") + kExportFormat + R"(},
                    {"_class":"rectangle","do_objectID":"RC","image":{"_class":"MSJSONFileReference"},)" + kExportFormat + R"(},
                    {"_class":"bitmap","do_objectID":"NOEXPORT","image":{"_class":"MSJSONFileReference"}}]}]})",
                {"BM"}},
        KeyCase{"ColorsWhenAnyPathHasOne", SketchLayerKeys::kColor, false,
                R"({"layers":[
                    {"do_objectID":"BORDER","style":{"_class":"style","borders":[{"_class":"border","color":{"_class":"color"}}]}},
                    {"do_objectID":"TEXT","attributedString":{"_class":"attributedString","attributes":[
                        {"_class":"stringAttribute","attributes":{"MSAttributedStringColorAttribute":{"_class":"color"}}}]}},
                    {"do_objectID":"NOTHING","style":{"_class":"style","fills":[]}}]})",
                {"BORDER", "TEXT"}},
        KeyCase{"FramablesAreLayersWithAnOrigin", SketchLayerKeys::kFramables, false,
                R"({"layers":[{"do_objectID":"P","ZVExactOrigin":{"x":1,"y":1}},{"do_objectID":"Q"}]})", {"P"}},
        KeyCase{"MissingMemberFindsNothing", SketchLayerKeys::kSymbolInstances, true,
                R"({"layers":{"_class":"symbolInstance","do_objectID":"NOTALIST"},"style":[1,2]})", {}},
        KeyCase{"ListWithANonDictionaryElementIsNotSearched", SketchLayerKeys::kSymbolInstances, true,
                R"({"layers":[{"_class":"symbolInstance","do_objectID":"I"},3]})", {}}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

struct RawValueCase {
    std::string text;
    std::optional<SketchLayerKeys> expected;
};

TEST(SketchLayerKeys, RawTextIsTheCaseName)
{
    const std::vector<RawValueCase> cases = {
        {"kArtboard", SketchLayerKeys::kArtboard},
        {"kTextStyles", SketchLayerKeys::kTextStyles},
        {"kColor", SketchLayerKeys::kColor},
        {"artboard", std::nullopt},
        {"KArtboard", std::nullopt},
        {"kArtboard ", std::nullopt},
        {"", std::nullopt},
    };
    for (const RawValueCase& c : cases) EXPECT_EQ(sketchLayerKeysFromRawValue(c.text), c.expected) << c.text;

    for (SketchLayerKeys key : sketchlayerkeys::kAllKeys) {
        EXPECT_EQ(sketchLayerKeysFromRawValue(rawValue(key)), key) << rawValue(key);
        EXPECT_NE(SketchMetrics::instance().getMetrics(key), nullptr) << rawValue(key);
    }
}

TEST(SketchMetrics, SearchStoresItsPointInTheSharedEntry)
{
    BaseSModel model;
    model.dict = jsonObject(kPage);
    model.findDictionary(SketchLayerKeys::kArtboard, false, QPointF(3, 4));
    const LayerKeyModel::Ptr entry = SketchMetrics::instance().getMetrics(SketchLayerKeys::kArtboard);
    ASSERT_TRUE(entry->containsPoint.has_value());
    EXPECT_EQ(*entry->containsPoint, QPointF(3, 4));

    model.findDictionary(SketchLayerKeys::kArtboard, false);
    EXPECT_FALSE(SketchMetrics::instance().getMetrics(SketchLayerKeys::kArtboard)->containsPoint.has_value());
}

} // namespace
