#include "FixtureDocument.h"

#include "Import/Sketch/BaseSModel.h"
#include "Import/Sketch/SketchFinder.h"
#include "Import/Sketch/SketchFinderHelperUtils.h"
#include "Import/Sketch/SketchLayerKeys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace sketchtest;

struct Expect {
    const char* pointer;
    const char* json; // compact JSON text, or "<none>"
};

void expectAll(const boost::json::object& dict, const std::vector<Expect>& expectations, const char* context)
{
    for (const Expect& e : expectations) EXPECT_EQ(jsonAt(dict, e.pointer), e.json) << context << " at " << e.pointer;
}

std::vector<std::string> idsOf(const std::vector<boost::json::object>& found)
{
    std::vector<std::string> ids;
    for (const boost::json::object& dict : found) ids.push_back(jsonAt(dict, "/do_objectID"));
    return ids;
}

BaseSModel modelOf(const char* json)
{
    BaseSModel model;
    model.dict = jsonObject(json);
    return model;
}

// An artboard placed at (100, 200) on its page. A holds B and the exportable E; H is hidden and
// holds an exportable; T has an empty format list.
const char* const kArtboard = R"({"_class":"artboard","do_objectID":"AB",
  "frame":{"_class":"rect","x":100,"y":200,"width":375,"height":812},
  "layers":[
    {"_class":"group","do_objectID":"A","frame":{"x":10,"y":20,"width":50,"height":50},"layers":[
      {"_class":"rectangle","do_objectID":"B","frame":{"x":5,"y":5,"width":1,"height":1}},
      {"_class":"bitmap","do_objectID":"E","frame":{"x":2.5,"y":3,"width":1,"height":1},
       "exportOptions":{"_class":"exportOptions","exportFormats":[{"_class":"exportFormat","fileFormat":"png"}]}}]},
    {"_class":"group","do_objectID":"H","isVisible":false,"frame":{"x":1,"y":1,"width":1,"height":1},"layers":[
      {"_class":"bitmap","do_objectID":"HE","frame":{"x":0,"y":0},
       "exportOptions":{"_class":"exportOptions","exportFormats":[{"_class":"exportFormat"}]}}]},
    {"_class":"text","do_objectID":"T","frame":{"x":7,"y":8,"width":1,"height":1},
     "exportOptions":{"_class":"exportOptions","exportFormats":[]}}]})";

const std::vector<Expect> kArtboardAfterExportables = {
    {"/ZVExactOrigin", R"({"x":0,"y":0})"},
    {"/ZVHasExactOrigin", "true"},
    {"/ZVNodeLevel", "0"},
    {"/frame", R"({"_class":"rect","x":100,"y":200,"width":375,"height":812})"},
    {"/layers/0/frame", R"({"x":10,"y":20,"width":50,"height":50})"},
    {"/layers/0/ZVExactOrigin", R"({"x":10,"y":20})"},
    {"/layers/0/ZVNodeLevel", "1"},
    {"/layers/0/layers/0/frame", R"({"x":15,"y":25,"width":1,"height":1})"},
    {"/layers/0/layers/0/ZVExactOrigin", R"({"x":15,"y":25})"},
    {"/layers/0/layers/0/ZVHasExactOrigin", "true"},
    {"/layers/0/layers/0/ZVNodeLevel", "2"},
    {"/layers/0/layers/1/ZVExactOrigin", R"({"x":12.5,"y":23})"},
    {"/layers/0/layers/1/exportOptions/ZVNodeLevel", "3"},
    {"/layers/0/layers/1/exportOptions/ZVExactOrigin", "<none>"},
    {"/layers/0/layers/1/exportOptions/exportFormats/0/ZVNodeLevel", "4"},
    {"/layers/1", R"({"ZVNodeLevel":1})"},
    {"/layers/2/ZVExactOrigin", R"({"x":7,"y":8})"},
    {"/layers/2/exportOptions", R"({"_class":"exportOptions","exportFormats":[],"ZVNodeLevel":2})"},
};

TEST(LayerTreeSearch, ExportablesWalkAnnotatesOriginsAndDepthsRelativeToTheArtboard)
{
    BaseSModel artboard = modelOf(kArtboard);
    const std::vector<boost::json::object> found = artboard.findDictionary(SketchLayerKeys::kExportables, true);

    expectAll(artboard.dict, kArtboardAfterExportables, "after the walk");
    ASSERT_EQ(idsOf(found), std::vector<std::string>{R"("E")"});
    EXPECT_EQ(jsonAt(found[0], "/frame"), R"({"x":12.5,"y":23,"width":1,"height":1})");
    EXPECT_FALSE(SketchFinder::gadget().firstNode());
}

TEST(LayerTreeSearch, SecondWalkChangesNoOriginAndFindsTheSame)
{
    BaseSModel artboard = modelOf(kArtboard);
    artboard.findDictionary(SketchLayerKeys::kExportables, true);
    const std::string afterFirst = jsonAt(artboard.dict, "");
    const std::vector<boost::json::object> found = artboard.findDictionary(SketchLayerKeys::kExportables, true);

    EXPECT_EQ(jsonAt(artboard.dict, ""), afterFirst);
    expectAll(artboard.dict, kArtboardAfterExportables, "after the second walk");
    EXPECT_EQ(idsOf(found), std::vector<std::string>{R"("E")"});
}

TEST(LayerTreeSearch, PageWalkMarksTopLevelLayersInPageCoordinates)
{
    BaseSModel page = modelOf(R"({"_class":"page","frame":{"x":0,"y":0,"width":0,"height":0},"layers":[
        {"_class":"group","do_objectID":"G","frame":{"x":-50,"y":-60},"layers":[
          {"_class":"artboard","do_objectID":"NESTED","frame":{"x":1,"y":1}}]},
        {"_class":"artboard","do_objectID":"A1","frame":{"x":241,"y":191},"layers":[
          {"_class":"text","do_objectID":"T","frame":{"x":3,"y":4}}]},
        {"_class":"symbolMaster","do_objectID":"M1","symbolID":"S1","frame":{"x":100,"y":0}},
        {"_class":"artboard","do_objectID":"A2","isVisible":false,"frame":{"x":900,"y":0}}]})");

    const auto artboards = page.findDictionary(SketchLayerKeys::kArtboard, false);
    const std::string afterFirst = jsonAt(page.dict, "");
    const auto masters = page.findDictionary(SketchLayerKeys::kSymbolMasters, false);

    EXPECT_EQ(jsonAt(page.dict, ""), afterFirst) << "the second page walk leaves the marks as they are";
    // A hidden top-level artboard is collected: a walk that does not descend never tests visibility below.
    EXPECT_EQ(idsOf(artboards), (std::vector<std::string>{R"("A1")", R"("A2")"}));
    EXPECT_EQ(idsOf(masters), std::vector<std::string>{R"("M1")"});
    expectAll(page.dict,
              {{"/ZVNodeLevel", "0"},
               {"/ZVExactOrigin", R"({"x":0,"y":0})"},
               {"/layers/0/ZVExactOrigin", R"({"x":-50,"y":-60})"},
               {"/layers/0/layers/0/ZVNodeLevel", "<none>"},
               {"/layers/1/frame", R"({"x":241,"y":191})"},
               {"/layers/1/ZVNodeLevel", "1"},
               {"/layers/1/layers/0/ZVExactOrigin", "<none>"},
               {"/layers/3/ZVExactOrigin", R"({"x":900,"y":0})"}},
              "page");
    expectAll(artboards[0], {{"/ZVExactOrigin", R"({"x":241,"y":191})"}, {"/ZVNodeLevel", "1"}}, "collected artboard");
    expectAll(masters[0], {{"/ZVExactOrigin", R"({"x":100,"y":0})"}, {"/ZVHasExactOrigin", "true"}}, "collected master");
}

// G is hidden and holds an instance; I2 is a hidden instance directly in the artboard.
const char* const kHiddenLayers = R"({"_class":"artboard","layers":[
    {"_class":"group","do_objectID":"G","isVisible":false,"layers":[{"_class":"symbolInstance","do_objectID":"I1","symbolID":"S1"}]},
    {"_class":"symbolInstance","do_objectID":"I2","isVisible":false,"symbolID":"S2"},
    {"_class":"symbolInstance","do_objectID":"I3","symbolID":"S3"}]})";

struct HiddenCase {
    SketchLayerKeys key;
    const char* hiddenGroup;
    const char* hiddenInstance;
    std::vector<std::string> found;
};

TEST(LayerTreeSearch, HiddenLayersAreReducedAndNotSearched)
{
    const std::vector<HiddenCase> cases = {
        {SketchLayerKeys::kExportables, R"({"ZVNodeLevel":1})", R"({"ZVNodeLevel":1})", {}},
        {SketchLayerKeys::kSymbolInstances, "{}", "{}", {R"("I2")", R"("I3")"}},
    };
    for (const HiddenCase& c : cases) {
        BaseSModel artboard = modelOf(kHiddenLayers);
        const auto found = artboard.findDictionary(c.key, true);
        EXPECT_EQ(jsonAt(artboard.dict, "/layers/0"), c.hiddenGroup) << rawValue(c.key);
        EXPECT_EQ(jsonAt(artboard.dict, "/layers/1"), c.hiddenInstance) << rawValue(c.key);
        EXPECT_EQ(jsonAt(artboard.dict, "/layers/2/do_objectID"), R"("I3")") << rawValue(c.key);
        EXPECT_EQ(idsOf(found), c.found) << rawValue(c.key);
    }
}

// Regression: a chosen artboard (or a searched master) whose own "isVisible" is false was
// replaced by an empty dictionary, so the service received "{}" and its instances were lost.
TEST(LayerTreeSearch, HiddenArtboardOrMasterWasEmptied)
{
    struct Case {
        SketchLayerKeys key;
        const char* json;
        std::vector<std::string> found;
    };
    const std::vector<Case> cases = {
        {SketchLayerKeys::kExportables, R"({"_class":"artboard","name":"Chosen","isVisible":false,"layers":[
            {"_class":"bitmap","do_objectID":"E","frame":{"x":1,"y":2},
             "exportOptions":{"_class":"exportOptions","exportFormats":[{"_class":"exportFormat"}]}},
            {"_class":"group","do_objectID":"G","isVisible":false,"layers":[]}]})",
         {R"("E")"}},
        {SketchLayerKeys::kSymbolInstances, R"({"_class":"symbolMaster","name":"Chosen","isVisible":false,"layers":[
            {"_class":"symbolInstance","do_objectID":"E","frame":{"x":1,"y":2},"symbolID":"S"},
            {"_class":"group","do_objectID":"G","isVisible":false,"layers":[]}]})",
         {R"("E")"}},
    };
    for (const Case& c : cases) {
        BaseSModel model = modelOf(c.json);
        const auto found = model.findDictionary(c.key, true);
        EXPECT_EQ(jsonAt(model.dict, "/name"), R"("Chosen")") << rawValue(c.key);
        EXPECT_EQ(jsonAt(model.dict, "/isVisible"), "false") << rawValue(c.key);
        EXPECT_EQ(jsonAt(model.dict, "/layers/0/ZVExactOrigin"), R"({"x":1,"y":2})") << rawValue(c.key);
        EXPECT_EQ(idsOf(found), c.found) << rawValue(c.key);
    }
    // Hidden layers below the root are still reduced.
    BaseSModel artboard = modelOf(cases[0].json);
    artboard.findDictionary(SketchLayerKeys::kExportables, true);
    EXPECT_EQ(jsonAt(artboard.dict, "/layers/1"), R"({"ZVNodeLevel":1})");
}

TEST(LayerTreeSearch, CollectedDictionaryIsASnapshotTakenWhenFound)
{
    BaseSModel artboard = modelOf(R"({"_class":"artboard","layers":[
        {"_class":"group","do_objectID":"X","frame":{"x":10,"y":10},
         "exportOptions":{"_class":"exportOptions","exportFormats":[{"_class":"exportFormat"}]},
         "layers":[{"_class":"rectangle","do_objectID":"Y","frame":{"x":1,"y":1}}]}]})");
    std::vector<boost::json::object> found = artboard.findDictionary(SketchLayerKeys::kExportables, true);
    ASSERT_EQ(found.size(), 1u);

    // The group was collected before the walk went down into it.
    EXPECT_EQ(jsonAt(artboard.dict, "/layers/0/layers/0/ZVExactOrigin"), R"({"x":11,"y":11})");
    EXPECT_EQ(jsonAt(found[0], "/layers/0/ZVExactOrigin"), "<none>");
    EXPECT_EQ(jsonAt(found[0], "/layers/0/frame"), R"({"x":1,"y":1})");
    EXPECT_EQ(jsonAt(found[0], "/ZVExactOrigin"), R"({"x":10,"y":10})");

    // Neither side sees later changes of the other.
    artboard.dict["layers"].as_array()[0].as_object()["name"] = "changed in the tree";
    found[0]["name"] = "changed in the list";
    EXPECT_EQ(jsonAt(artboard.dict, "/layers/0/name"), R"("changed in the tree")");
    EXPECT_EQ(jsonAt(found[0], "/name"), R"("changed in the list")");
}

TEST(LayerTreeSearch, FindsComeChildrenFirstThenSubtreesInOrderAfterAppendAt)
{
    BaseSModel artboard = modelOf(R"({"layers":[
        {"_class":"symbolInstance","do_objectID":"X","layers":[{"_class":"symbolInstance","do_objectID":"Y"}]},
        {"_class":"group","do_objectID":"G","layers":[{"_class":"symbolInstance","do_objectID":"W"}]},
        {"_class":"symbolInstance","do_objectID":"Z"}]})");
    std::vector<boost::json::object> earlier = {jsonObject(R"({"do_objectID":"P1"})"), jsonObject(R"({"do_objectID":"P2"})"),
                                                jsonObject(R"({"do_objectID":"P3"})")};

    const auto found = artboard.findDictionary(SketchLayerKeys::kSymbolInstances, true, std::nullopt, earlier);
    EXPECT_EQ(idsOf(found), (std::vector<std::string>{R"("P1")", R"("P2")", R"("P3")", R"("X")", R"("Z")", R"("Y")", R"("W")"}));

    BaseSModel flat = modelOf(R"({"layers":[{"_class":"symbolInstance","do_objectID":"X","layers":[
        {"_class":"symbolInstance","do_objectID":"Y"}]},{"_class":"symbolInstance","do_objectID":"Z"}]})");
    EXPECT_EQ(flat.findDictionary(SketchLayerKeys::kSymbolInstances, false, std::nullopt, earlier).size(), 5u);
}

TEST(LayerTreeSearch, ArtboardWithoutLayersKeepsThePageMarks)
{
    const char* json = R"({"_class":"artboard","ZVExactOrigin":{"x":241,"y":191},"ZVHasExactOrigin":true,
        "ZVNodeLevel":1,"frame":{"x":241,"y":191},"layers":[]})";
    BaseSModel artboard = modelOf(json);
    SketchFinder::gadget().setFirstNode(false);
    EXPECT_TRUE(artboard.findDictionary(SketchLayerKeys::kExportables, true).empty());
    EXPECT_EQ(jsonAt(artboard.dict, ""), jsonAt(jsonObject(json), ""));
    EXPECT_FALSE(SketchFinder::gadget().firstNode()) << "every walk ends with the flag down";
}

TEST(LayerTreeSearch, LayersWithoutUsableFrameGetNoOriginButTheirDepth)
{
    struct Case {
        const char* frame;       // of L, the second child of the artboard
        const char* childFrame;  // of C, inside L
        const char* origin;      // L's "ZVExactOrigin"
        const char* childOrigin; // C's "ZVExactOrigin"
    };
    const std::vector<Case> cases = {
        {R"({"x":5,"y":6})", R"({"x":2,"y":2})", R"({"x":5,"y":6})", R"({"x":7,"y":8})"},
        {R"({"y":6})", R"({"x":2,"y":2})", "<none>", "<none>"},
        {R"({"x":"5","y":6})", R"({"x":2,"y":2})", "<none>", "<none>"},
        {R"([5,6])", R"({"x":2,"y":2})", "<none>", "<none>"},
        {"null", R"({"x":2,"y":2})", "<none>", "<none>"},
        {R"({"x":5,"y":6})", R"({"x":2,"y":true})", R"({"x":5,"y":6})", "<none>"},
        // Sums beyond the largest double cannot be written back as JSON.
        {R"({"x":1.5e308,"y":0})", R"({"x":1.5e308,"y":0})", R"({"x":1.5e+308,"y":0})", "<none>"},
    };
    for (const Case& c : cases) {
        const std::string json = std::string(R"({"_class":"artboard","layers":[{"frame":{"x":1,"y":1}},{"frame":)") +
                                 c.frame + R"(,"layers":[{"frame":)" + c.childFrame + "}]}]}";
        BaseSModel artboard;
        artboard.dict = jsonObject(json);
        ASSERT_FALSE(artboard.dict.empty()) << json;
        artboard.findDictionary(SketchLayerKeys::kLayer, true);
        EXPECT_EQ(jsonAt(artboard.dict, "/layers/1/ZVExactOrigin"), c.origin) << c.frame;
        EXPECT_EQ(jsonAt(artboard.dict, "/layers/1/layers/0/ZVExactOrigin"), c.childOrigin) << c.frame;
        EXPECT_EQ(jsonAt(artboard.dict, "/layers/1/layers/0/frame"),
                  std::string(c.childOrigin) == "<none>" ? jsonAt(jsonObject(std::string("{\"f\":") + c.childFrame + "}"), "/f")
                                                         : std::string(c.childOrigin))
            << c.frame;
        EXPECT_EQ(jsonAt(artboard.dict, "/layers/1/layers/0/ZVNodeLevel"), "2") << c.frame;
    }
}

TEST(LayerTreeSearch, NodeLevelCountsUpOnlyFromAnIntegerThatAllowsIt)
{
    struct Case {
        const char* parentLevel;
        const char* childLevel;
    };
    const std::vector<Case> cases = {
        {"4", "5"},
        {"-1", "0"},
        {"9223372036854775806", "9223372036854775807"},
        {"9223372036854775807", "<none>"},
        {"18446744073709551615", "<none>"},
        {"2.5", "<none>"},
        {"\"3\"", "<none>"},
        {"null", "<none>"},
    };
    for (const Case& c : cases) {
        boost::json::object parent = jsonObject(std::string(R"({"ZVNodeLevel":)") + c.parentLevel + "}");
        boost::json::object child;
        SketchFinder::setNodeLevel(child, parent, false);
        EXPECT_EQ(jsonAt(child, "/ZVNodeLevel"), c.childLevel) << c.parentLevel;
    }
}

TEST(LayerTreeSearch, OriginOfAnItemAddsTheParentOrigin)
{
    struct Case {
        const char* frame;
        const char* parent;
        std::optional<QPointF> expected;
    };
    const std::vector<Case> cases = {
        {R"({"x":1,"y":2})", R"({"x":10,"y":20})", QPointF(11, 22)},
        {R"({"x":1.25,"y":-2})", R"({"x":0.5,"y":0})", QPointF(1.75, -2)},
        {R"({"x":1})", R"({"x":10,"y":20})", std::nullopt},
        {R"({"x":1,"y":2})", R"({"x":false,"y":20})", std::nullopt},
        {R"({"x":1,"y":2})", R"({})", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SketchFinderHelperUtils::getOriginForItem(jsonObject(c.frame), jsonObject(c.parent)), c.expected)
            << c.frame << " " << c.parent;
    }
}

TEST(LayerTreeSearch, CallbacksSkipDuplicatesFilterAndRewrite)
{
    BaseSModel artboard = modelOf(R"({"layers":[
        {"_class":"symbolInstance","do_objectID":"D","symbolID":"first"},
        {"_class":"symbolInstance","do_objectID":"D","symbolID":"second"},
        {"_class":"symbolInstance","do_objectID":"E"}]})");
    std::vector<std::string> log;
    BaseSModel::SearchCallbacks callbacks;
    callbacks.duplicateCheck = [&](const boost::json::object& existing, const boost::json::object& candidate) {
        log.push_back("duplicate? " + jsonAt(existing, "/do_objectID") + " " + jsonAt(candidate, "/do_objectID"));
        return existing.at("do_objectID") == candidate.at("do_objectID");
    };
    callbacks.matchCheck = [&](const boost::json::object& candidate) {
        log.push_back("match? " + jsonAt(candidate, "/do_objectID"));
        return jsonAt(candidate, "/do_objectID") != R"("E")";
    };
    callbacks.matchAndReplace = [&](boost::json::object& candidate) {
        log.push_back("replace " + jsonAt(candidate, "/do_objectID"));
        candidate["replaced"] = true;
    };

    const auto found = artboard.findDictionary(SketchLayerKeys::kSymbolInstances, false, std::nullopt, {}, callbacks);

    EXPECT_EQ(log, (std::vector<std::string>{R"(match? "D")", R"(replace "D")", R"(duplicate? "D" "D")",
                                             R"(duplicate? "D" "E")", R"(match? "E")", R"(replace "E")"}));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(jsonAt(found[0], "/symbolID"), R"("first")");
    EXPECT_EQ(jsonAt(found[0], "/replaced"), "<none>") << "the list holds the candidate as it was before the rewrite";
    expectAll(artboard.dict,
              {{"/layers/0/replaced", "true"}, {"/layers/1/replaced", "<none>"}, {"/layers/2/replaced", "true"}},
              "tree");
}

TEST(LayerTreeSearch, ExportableAndPatternFillTestsLookAtTheFirstEntries)
{
    struct Case {
        const char* layer;
        bool exportable;
        bool patternFill;
    };
    const std::vector<Case> cases = {
        {R"({"exportOptions":{"exportFormats":[{}]}})", true, false},
        {R"({"exportOptions":{"exportFormats":[]}})", false, false},
        {R"({"exportOptions":{"exportFormats":{}}})", false, false},
        {R"({"exportOptions":[]})", false, false},
        {R"({"style":{"fills":[{"isEnabled":true,"fillType":4}]}})", false, true},
        {R"({"style":{"fills":[{"isEnabled":false,"fillType":4},{"isEnabled":true,"fillType":4}]}})", false, false},
        {R"({"style":{"fills":[{"isEnabled":true,"fillType":0},{"isEnabled":true,"fillType":4}]}})", false, false},
        {R"({"style":{"fills":[{"isEnabled":1,"fillType":4}]}})", false, false},
        {R"({"style":{"fills":[{"isEnabled":true,"fillType":4},7]}})", false, false},
        {R"({"style":{"fills":[]}})", false, false},
    };
    for (const Case& c : cases) {
        const boost::json::object layer = jsonObject(c.layer);
        EXPECT_EQ(SketchFinder::isExportable(layer), c.exportable) << c.layer;
        EXPECT_EQ(SketchFinder::isPaternFill(layer), c.patternFill) << c.layer;
    }
}

} // namespace
