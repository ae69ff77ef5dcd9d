#include "FixtureDocument.h"

#include "Import/Sketch/BaseSModel.h"
#include "Import/Sketch/SketchLayerKeys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace sketchtest;

const char* const kPage = R"({"_class":"page","layers":[{"_class":"artboard","do_objectID":"AB"},
    {"_class":"symbolMaster","do_objectID":"SM"},
    {"_class":"group","do_objectID":"GR","layers":[{"_class":"artboard","do_objectID":"INNER"}]}]})";
const char* const kFormat = R"("exportOptions":{"_class":"exportOptions","exportFormats":[{"_class":"exportFormat"}]})";

struct KeyCase {
    const char* name;
    SketchLayerKeys key;
    bool recursive;
    std::string json;
    std::vector<std::string> ids; // "do_objectID" of the finds, in order
};
void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class KeyTableSearch : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyTableSearch, CollectsWhatTheEntryDescribes)
{
    const KeyCase& c = GetParam();
    BaseSModel model;
    model.dict = jsonObject(c.json);
    ASSERT_FALSE(model.dict.empty());
    std::vector<std::string> ids;
    for (const boost::json::object& found : model.findDictionary(c.key, c.recursive)) ids.push_back(jsonAt(found, "/do_objectID"));
    std::vector<std::string> expected;
    for (const std::string& id : c.ids) expected.push_back('"' + id + '"');
    EXPECT_EQ(ids, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, KeyTableSearch,
    ::testing::Values(
        KeyCase{"ArtboardsAtTopLevelOnly", SketchLayerKeys::kArtboard, false, kPage, {"AB"}},
        KeyCase{"SymbolMastersAtTopLevelOnly", SketchLayerKeys::kSymbolMasters, false, kPage, {"SM"}},
        KeyCase{"EveryLayerChildrenBeforeSubtrees", SketchLayerKeys::kLayer, true, kPage, {"AB", "SM", "GR", "INNER"}},
        KeyCase{"LayerStylesWhateverTheirClass", SketchLayerKeys::kLayerStyles, false,
                R"({"layerStyles":{"_class":"sharedStyleContainer","objects":[{"_class":"sharedStyle","do_objectID":"L1"},
                    {"do_objectID":"L2"}]},"layerTextStyles":{"_class":"sharedTextStyleContainer","objects":[{"do_objectID":"T1"}]}})",
                {"L1", "L2"}},
        // Only lists filter their elements by class; a single dictionary of another class is
        // offered for collection itself.
        KeyCase{"ContainerOfAnotherClassIsCollectedItself", SketchLayerKeys::kLayerStyles, false,
                R"({"layerStyles":{"_class":"other","do_objectID":"BOX","objects":[{"do_objectID":"L1"}]}})", {"BOX"}},
        KeyCase{"StepWithoutClassDescendsIntoDictionaryWithoutClass", SketchLayerKeys::kFont, false,
                R"({"attributedString":{"_class":"attributedString","attributes":[{"_class":"stringAttribute","attributes":{
                    "do_objectID":"ATTR","MSAttributedStringFontAttribute":{"_class":"fontDescriptor","do_objectID":"FONT"}}}]}})",
                {"FONT"}},
        KeyCase{"StepWithoutClassStopsAtDictionaryWithClass", SketchLayerKeys::kFont, false,
                R"({"attributedString":{"_class":"attributedString","attributes":[{"_class":"stringAttribute","attributes":{
                    "_class":"x","do_objectID":"ATTR","MSAttributedStringFontAttribute":{"_class":"fontDescriptor","do_objectID":"FONT"}}}]}})",
                {"ATTR"}},
        KeyCase{"ExportablesNeedAFormatOfFormatClass", SketchLayerKeys::kExportables, false,
                std::string(R"({"layers":[{"do_objectID":"YES",)") + kFormat +
                    R"(},{"do_objectID":"NOCLASS","exportOptions":{"_class":"exportOptions","exportFormats":[{"scale":1}]}},
                    {"do_objectID":"EMPTY","exportOptions":{"_class":"exportOptions","exportFormats":[]}},{"do_objectID":"NONE"}]})",
                {"YES"}},
        KeyCase{"FillImagesNeedFormatsWithoutClass", SketchLayerKeys::kFillImageUrl, false,
                std::string(R"({"layers":[{"do_objectID":"PLAIN","style":{"_class":"style","fills":[{"_class":"fill",
                    "image":{"_class":"MSJSONFileReference"}}]},"exportOptions":{"_class":"exportOptions","exportFormats":[{}]}},
                    {"do_objectID":"CLASSED","style":{"_class":"style","fills":[{"_class":"fill",
                    "image":{"_class":"MSJSONFileReference"}}]},)") + kFormat + "}]}",
                {"PLAIN"}},
        KeyCase{"ColorsWhenAnyPathHasOne", SketchLayerKeys::kColor, false,
                R"({"layers":[{"do_objectID":"BORDER","style":{"_class":"style","borders":[{"_class":"border","color":{"_class":"color"}}]}},
                    {"do_objectID":"TEXT","attributedString":{"_class":"attributedString","attributes":[{"_class":"stringAttribute",
                    "attributes":{"MSAttributedStringColorAttribute":{"_class":"color"}}}]}},{"do_objectID":"NOTHING","style":{"_class":"style","fills":[]}}]})",
                {"BORDER", "TEXT"}},
        KeyCase{"FramablesAreLayersWithAnOrigin", SketchLayerKeys::kFramables, false,
                R"({"layers":[{"do_objectID":"P","ZVExactOrigin":{"x":1,"y":1}},{"do_objectID":"Q"}]})", {"P"}},
        KeyCase{"ListWithANonDictionaryIsNotSearched", SketchLayerKeys::kSymbolInstances, true,
                R"({"layers":[{"_class":"symbolInstance","do_objectID":"I"},3]})", {}}),
    [](const ::testing::TestParamInfo<KeyCase>& caseInfo) { return std::string(caseInfo.param.name); });

} // namespace
