#include "CodeExport/AndroidGenerationResponse.h"
#include "CodeExport/CodeGenerationResponse.h"
#include "CodeExport/ItemInfoModel.h"
#include "CodePreferences/CodePreferenceContainer.h"
#include "Editor/TreeViewInfo.h"
#include "Editor/VItemInfo.h"
#include "Editor/ViewInfo.h"
#include "platform/JsonText.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

boost::json::value parsed(const std::string& text)
{
    auto v = platform::parseJson(text);
    EXPECT_TRUE(v.has_value()) << text;
    return v ? *v : boost::json::value();
}

template <class T>
boost::json::value roundTrip(const boost::json::value& in)
{
    return jsonmap::write(jsonmap::fromJson<T>(in));
}

TEST(ViewRecordsDecodeTest, EmptyObjectGivesTheDefaults)
{
    for (const char* text : {"{}", R"({"style":null,"layout":null,"layoutInfo":null,"overrides":null,"jsonString":null})",
                             R"({"style":7,"layout":"x","layoutInfo":[],"overrides":{},"oid":3,"customizedInfo":1})"}) {
        SCOPED_TRACE(text);
        const auto view = jsonmap::fromJson<ViewInfo>(parsed(text));
        EXPECT_EQ(view.oid, "");
        ASSERT_TRUE(view.style && view.layout && view.layoutInfo);
        EXPECT_EQ(view.style->classNameString, "UIView");
        EXPECT_EQ(view.style->ancestorClassKey, "view");
        EXPECT_FALSE(view.style->extraInfo);
        ASSERT_TRUE(view.style->frame);
        EXPECT_EQ(view.layout->width, 0);
        EXPECT_TRUE(view.layoutInfo->constraints.empty());
        EXPECT_FALSE(view.jsonString.has_value());
        EXPECT_FALSE(view.customizedInfo);
    }
    const auto constraint = jsonmap::fromJson<ConstraintServerModel>(parsed("{}"));
    EXPECT_EQ(constraint.typeId, "none");
    EXPECT_EQ(constraint.multiplierFirstPart, 0);
    EXPECT_EQ(constraint.multiplierSecondPart, 1.0);
    EXPECT_EQ(constraint.multiplier, 1.0);
    const auto customized = jsonmap::fromJson<CustomizedInfo>(parsed(R"({"isImaginaryMainLayer":true})"));
    EXPECT_TRUE(customized.isImaginaryMainLayer);
    EXPECT_FALSE(customized.delegations.has_value()); // absent stays absent, not empty
    EXPECT_FALSE(customized.prototypes.has_value());
    const auto node = jsonmap::fromJson<TreeViewInfo>(parsed(R"({"frame":null,"viewInfo":null})"));
    EXPECT_TRUE(node.frame);
    EXPECT_FALSE(node.viewInfo);
}

TEST(ViewRecordsDecodeTest, KeysThatAreEasyToMisspellAreReadExactly)
{
    const auto view = jsonmap::fromJson<ViewInfo>(parsed(R"({
        "overrides":[{"relatedLayerId":"L1","relatedLayerID":"wrong","value":"Hi","relatedProperty":"stringValue"}],
        "layoutInfo":{"parentLayerDistance":4.5,"constraints":[{"multiplierFirstPart":2,"multiplierSecondPart":3,
                      "typeId":"width","isDuplicate":true}]},
        "customizedInfo":{"isImaginaryMainLayer":true,"delegations":[{"_class":"d","do_objectID":"D1","key":"datasource"}]},
        "style":{"isBorderEnabled":true,"extraInfo":{"hasLeftViewWithImage":true,"leftImageFrame":{"width":9}}}})"));
    ASSERT_EQ(view.overrides.size(), 1u);
    EXPECT_EQ(view.overrides[0]->relatedLayerId, "L1");
    EXPECT_EQ(view.overrides[0]->value, "Hi");
    EXPECT_EQ(view.layoutInfo->parentLayerDistance, 4.5);
    ASSERT_EQ(view.layoutInfo->constraints.size(), 1u);
    EXPECT_EQ(view.layoutInfo->constraints[0]->multiplierFirstPart, 2);
    EXPECT_EQ(view.layoutInfo->constraints[0]->multiplierSecondPart, 3);
    EXPECT_TRUE(view.layoutInfo->constraints[0]->isDuplicate);
    ASSERT_TRUE(view.customizedInfo && view.customizedInfo->delegations);
    EXPECT_TRUE(view.customizedInfo->isImaginaryMainLayer);
    EXPECT_EQ((*view.customizedInfo->delegations)[0]->class_, "d");
    EXPECT_EQ((*view.customizedInfo->delegations)[0]->do_objectID, "D1");
    EXPECT_TRUE(view.style->isBorderEnabled);
    ASSERT_TRUE(view.style->extraInfo);
    EXPECT_TRUE(view.style->extraInfo->hasLeftViewWithImage);
    EXPECT_EQ(view.style->extraInfo->leftImageFrame->width, 9);
}

TEST(ViewRecordsDecodeTest, IntegerFieldsConvertOnlyInRange)
{
    const struct {
        const char* json;
        std::int64_t priority;
    } cases[] = {
        {R"({"priority":750.0})", 750}, {R"({"priority":1e300})", 0},  {R"({"priority":-1e300})", 0},
        {R"({"priority":"750"})", 0},   {R"({"priority":null})", 0},   {R"({"priority":18446744073709551615})", 0},
        {R"({"priority":250})", 250},
    };
    for (const auto& c : cases)
        EXPECT_EQ(jsonmap::fromJson<ConstraintServerModel>(parsed(c.json)).priority, c.priority) << c.json;
}

// Builds a chain of `depth` nested lists with `wrap` (iteratively, so the test itself needs no deep stack).
boost::json::value chain(int depth, const std::function<boost::json::value(boost::json::value)>& wrap)
{
    boost::json::value v = boost::json::object();
    for (int i = 0; i < depth; ++i) v = wrap(std::move(v));
    return v;
}

template <class Node, class Children>
int depthOf(const Node& node, Children children)
{
    int depth = 0;
    for (const Node* n = &node; n;) {
        const auto* next = children(*n);
        n = next;
        ++depth;
    }
    return depth;
}

TEST(ViewRecordsDecodeTest, DeepNestingIsBoundedNotFatal)
{
    const boost::json::value tree = chain(2000, [](boost::json::value inner) {
        return boost::json::value(boost::json::object{{"id", "n"}, {"views", boost::json::array{std::move(inner)}}});
    });
    const auto root = jsonmap::fromJson<TreeViewInfo>(tree);
    const int treeDepth = depthOf(root, [](const TreeViewInfo& n) { return n.views.empty() ? nullptr : n.views[0].get(); });
    EXPECT_EQ(treeDepth, jsonmap::NestingGuard::kDefaultLimit + 1);

    const boost::json::value cells = chain(1000, [](boost::json::value inner) {
        boost::json::object cell{{"customClass", "Cell"}, {"items", boost::json::array{std::move(inner)}}};
        return boost::json::value(boost::json::object{
            {"customizedInfo", boost::json::object{{"prototypes", boost::json::array{std::move(cell)}}}}});
    });
    const auto view = jsonmap::fromJson<ViewInfo>(cells);
    const int viewDepth = depthOf(view, [](const ViewInfo& v) -> const ViewInfo* {
        if (!v.customizedInfo || !v.customizedInfo->prototypes || v.customizedInfo->prototypes->empty()) return nullptr;
        const auto& items = (*v.customizedInfo->prototypes)[0]->items;
        return items.empty() ? nullptr : items[0].get();
    });
    EXPECT_EQ(viewDepth, jsonmap::NestingGuard::kDefaultLimit + 1);
    EXPECT_EQ(jsonmap::NestingGuard::depth(), 0); // every guard was released
}

TEST(ViewRecordsDecodeTest, LargeListsAndStrayElements)
{
    boost::json::array views;
    for (int i = 0; i < 10000; ++i) views.push_back(boost::json::object{{"oid", std::to_string(i)}});
    views.push_back(nullptr);
    views.push_back(42);
    const auto node = jsonmap::fromJson<CustomItemViewInfoModel>(boost::json::object{{"items", std::move(views)}});
    ASSERT_EQ(node.items.size(), 10000u); // stray elements are skipped, never kept as null records
    EXPECT_EQ(node.items[9999]->oid, "9999");
}

// The analysed-project block of a code generation reply used to be read as an empty record.
TEST(ViewRecordsDecodeTest, AnalysedProjectBlockIsReadIntoItsListsAndWrittenBackWhole)
{
    const auto reply = jsonmap::fromJson<CodeGenerationResponse>(parsed(R"({"projectAnalyzedInfo":{
        "colors":[{"name":"accent","redF":255,"alphaF":0.5}],
        "fonts":[{"name":"Inter","uniqueKey":"Inter-.bold-17.0"}],"images":[{"oid":"i1","imageName":"logo"}],
        "strings":[{"name":"greeting","text":"Hello"}],
        "symbolMasterViewInfoList":[{"symbolId":"S1","viewInfoList":[{"oid":"m1"}]}],
        "artboardViewInfoList":[{"artboardId":"A1","treeViewInfoList":[{"id":"v1"}]}],
        "customViewInfoList":[{"customViewId":"cv","mainViewInfo":{"oid":"root"}}],"unknown":1}})"));
    ASSERT_TRUE(reply.projectAnalyzedInfo);
    EXPECT_EQ(reply.projectAnalyzedInfo->colors.at(0)->alphaF, 0.5);
    EXPECT_EQ(reply.projectAnalyzedInfo->symbolMasterViewInfoList.at(0)->viewInfoList.at(0)->oid, "m1");
    const boost::json::value once = jsonmap::write(*reply.projectAnalyzedInfo);
    EXPECT_EQ(roundTrip<ProjectAnalyzedInfoResponse>(once), once);
    for (const char* key : {"colors", "fonts", "images", "strings", "symbolMasterViewInfoList", "artboardViewInfoList",
                            "customViewInfoList"})
        EXPECT_EQ(once.at(key).as_array().size(), 1u) << key;
    EXPECT_EQ(once.at("customViewInfoList").at(0).at("mainViewInfo").at("oid"), "root");
}

TEST(ViewRecordsDecodeTest, EveryRecordRoundTrips)
{
    const std::string view = R"({"oid":"v","layerName":"L","varName":"x","isImaginary":true,"jsonString":"{}",
        "layout":{"x":1.5,"y":2,"width":3,"height":4},
        "overrides":[{"overrideName":"o","value":null,"relatedLayerId":"r","relatedProperty":"p","relatedVarName":"n"}],
        "style":{"sketchClass":"oval","textAlignment":2,"contentMode":"aspectToFill","useExtraInfo":true,
                 "borderColorModel":{"name":"c","redF":255},"fontModel":{"name":"f","size":12},
                 "stringModel":{"name":"s","text":"t"},"extraInfo":{"scrollAlignment":"h","oneItemFrame":{"x":1}}},
        "layoutInfo":{"parentName":"p","constraints":[{"firstItem":"a","priority":750,"relation":"equal"}]},
        "customizedInfo":{"delegations":[],"prototypes":[{"customClass":"C","frame":{"width":5},
                          "items":[{"oid":"inner","customizedInfo":null}]}]}})";
    const struct {
        const char* what;
        std::function<boost::json::value(const boost::json::value&)> trip;
        std::string json;
    } cases[] = {
        {"ViewInfo", roundTrip<ViewInfo>, view},
        {"TreeViewInfo", roundTrip<TreeViewInfo>,
         R"({"id":"1","frame":{"width":2},"isInstance":true,"viewInfo":{"oid":"v"},"views":[{"id":"2","views":[]}]})"},
        {"VItemInfo", roundTrip<VItemInfo>,
         R"({"oid":"v","registerItems":["A","A"],"delegates":[{"name":"D","registerItems":[{"name":"A","isLast":true}]}],
             "prototypes":{"B":{"customClass":"B"},"A":{"customClass":"A","items":[{"varName":"i"}]}},
             "style":{"programmingClass":"_button","contentHorizontalAlignment":"fill","layerDict":{"a":[1]}},
             "layoutInfo":{"constraints":[{"typeId":"widthAnchor","priority":"defaultLow","multiplier":0.5}]}})"},
        {"ItemInfoModel", roundTrip<ItemInfoModel>,
         R"({"varName":"v","style":{"hasImage":true},"constraints":[{"priority":"required"}],"prototypes":{"C":{}}})"},
        {"AndroidGenerationResponse", roundTrip<AndroidGenerationResponse>, R"({"files":[{"name":"a.xml"}],"n":1})"},
        {"CodePreferenceContainer", roundTrip<CodePreferenceContainer>, R"({"indent":4,"style":{"x":null}})"},
        {"CodeGenerationResponse", roundTrip<CodeGenerationResponse>, R"({"projectAnalyzedInfo":{"colors":[]}})"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const boost::json::value once = c.trip(parsed(c.json));
        EXPECT_EQ(c.trip(once), once); // a decode of an encode gives the same record
    }
    // nothing the service sent is lost on the way through a round trip
    const boost::json::value once = roundTrip<ViewInfo>(parsed(view));
    EXPECT_EQ(once.at("style").at("extraInfo").at("oneItemFrame").at("x"), 1.0);
    EXPECT_EQ(once.at("customizedInfo").at("prototypes").at(0).at("items").at(0).at("oid"), "inner");
    EXPECT_TRUE(once.at("overrides").at(0).at("value").is_null());
    EXPECT_EQ(once.at("layoutInfo").at("constraints").at(0).at("priority"), 750);
    const auto item = jsonmap::fromJson<VItemInfo>(parsed(R"({"prototypes":{"B":{},"A":{},"C":null}})"));
    std::vector<std::string> keys;
    for (const auto& [key, model] : item.prototypes) keys.push_back(key);
    EXPECT_EQ(keys, (std::vector<std::string>{"B", "A", "C"})); // insertion order, as the reply had it
}

} // namespace
