#include "FixtureDocument.h"

#include "Import/Sketch/BaseSModel.h"
#include "Import/Sketch/SketchFinder.h"
#include "Import/Sketch/SketchLayerKeys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace sketchtest;
using Ids = std::vector<std::string>;

struct Mark {
    const char* pointer;
    const char* json; // compact JSON text, or "<none>"
};

void expectMarks(const boost::json::object& dict, const std::vector<Mark>& marks, const std::string& context)
{
    for (const Mark& m : marks) EXPECT_EQ(jsonAt(dict, m.pointer), m.json) << context << " at " << m.pointer;
}

// The "do_objectID"s of the finds, unquoted.
Ids ids(const std::vector<boost::json::object>& found)
{
    Ids result;
    for (const boost::json::object& dict : found) {
        const boost::json::value* id = dict.if_contains("do_objectID");
        result.push_back(id && id->is_string() ? std::string(id->get_string()) : "?");
    }
    return result;
}

BaseSModel modelOf(std::string_view json)
{
    BaseSModel model;
    model.dict = jsonObject(json);
    return model;
}

// An artboard placed at (100, 200) on its page. A holds B and the exportable E; H is hidden and
// holds an exportable; T has an empty format list.
const char* const kArtboard = R"({"_class":"artboard","frame":{"x":100,"y":200,"width":375,"height":812},"layers":[
    {"_class":"group","do_objectID":"A","frame":{"x":10,"y":20,"width":50,"height":50},"layers":[
      {"_class":"rectangle","do_objectID":"B","frame":{"x":5,"y":5,"width":1,"height":1}},
      {"_class":"bitmap","do_objectID":"E","frame":{"x":2.5,"y":3,"width":1,"height":1},
       "exportOptions":{"_class":"exportOptions","exportFormats":[{"_class":"exportFormat","fileFormat":"png"}]}}]},
    {"_class":"group","do_objectID":"H","isVisible":false,"frame":{"x":1,"y":1},"layers":[
      {"_class":"bitmap","do_objectID":"HE","exportOptions":{"_class":"exportOptions","exportFormats":[{"_class":"exportFormat"}]}}]},
    {"_class":"text","do_objectID":"T","frame":{"x":7,"y":8},"exportOptions":{"_class":"exportOptions","exportFormats":[]}}]})";

TEST(LayerTreeSearch, ExportablesWalkMarksOriginsAndDepthsRelativeToTheArtboardAndAgainChangesNothing)
{
    BaseSModel artboard = modelOf(kArtboard);
    std::string afterFirst;
    for (int pass = 1; pass <= 2; ++pass) {
        const auto found = artboard.findDictionary(SketchLayerKeys::kExportables, true);
        const std::string context = "pass " + std::to_string(pass);
        expectMarks(artboard.dict,
                    {{"/ZVExactOrigin", R"({"x":0,"y":0})"},
                     {"/ZVHasExactOrigin", "true"},
                     {"/ZVNodeLevel", "0"},
                     {"/frame", R"({"x":100,"y":200,"width":375,"height":812})"},
                     {"/layers/0/frame", R"({"x":10,"y":20,"width":50,"height":50})"},
                     {"/layers/0/ZVExactOrigin", R"({"x":10,"y":20})"},
                     {"/layers/0/ZVNodeLevel", "1"},
                     {"/layers/0/layers/0/frame", R"({"x":15,"y":25,"width":1,"height":1})"},
                     {"/layers/0/layers/0/ZVExactOrigin", R"({"x":15,"y":25})"},
                     {"/layers/0/layers/0/ZVNodeLevel", "2"},
                     {"/layers/0/layers/1/ZVExactOrigin", R"({"x":12.5,"y":23})"},
                     {"/layers/0/layers/1/exportOptions/ZVNodeLevel", "3"},
                     {"/layers/0/layers/1/exportOptions/ZVExactOrigin", "<none>"},
                     {"/layers/0/layers/1/exportOptions/exportFormats/0/ZVNodeLevel", "4"},
                     {"/layers/1", R"({"ZVNodeLevel":1})"},
                     {"/layers/2/exportOptions", R"({"_class":"exportOptions","exportFormats":[],"ZVNodeLevel":2})"}},
                    context);
        EXPECT_EQ(ids(found), Ids{"E"}) << context;
        if (!found.empty()) {
            EXPECT_EQ(jsonAt(found[0], "/frame"), R"({"x":12.5,"y":23,"width":1,"height":1})") << context;
        }
        EXPECT_FALSE(SketchFinder::gadget().firstNode()) << context;
        if (pass == 1) afterFirst = jsonAt(artboard.dict, "");
    }
    EXPECT_EQ(jsonAt(artboard.dict, ""), afterFirst);
}

TEST(LayerTreeSearch, HiddenLayersAreReducedAndNotSearched)
{
    struct Case {
        SketchLayerKeys key;
        const char* hidden; // what is left of a hidden group and of a hidden instance
        Ids found;
    };
    const std::vector<Case> cases = {
        {SketchLayerKeys::kExportables, R"({"ZVNodeLevel":1})", {}},
        {SketchLayerKeys::kSymbolInstances, "{}", {"I2", "I3"}},
    };
    for (const Case& c : cases) {
        BaseSModel artboard = modelOf(R"({"_class":"artboard","layers":[
            {"_class":"group","isVisible":false,"layers":[{"_class":"symbolInstance","do_objectID":"I1"}]},
            {"_class":"symbolInstance","do_objectID":"I2","isVisible":false},{"_class":"symbolInstance","do_objectID":"I3"}]})");
        const auto found = artboard.findDictionary(c.key, true);
        EXPECT_EQ(jsonAt(artboard.dict, "/layers/0"), c.hidden) << rawValue(c.key);
        EXPECT_EQ(jsonAt(artboard.dict, "/layers/1"), c.hidden) << rawValue(c.key);
        EXPECT_EQ(jsonAt(artboard.dict, "/layers/2/do_objectID"), R"("I3")") << rawValue(c.key);
        EXPECT_EQ(ids(found), c.found) << rawValue(c.key);
    }
}

// Regression: a chosen artboard (or a searched master) whose own "isVisible" is false was
// replaced by an empty dictionary, so the service received "{}" and its instances were lost.
TEST(LayerTreeSearch, HiddenArtboardOrMasterWasEmptied)
{
    for (SketchLayerKeys key : {SketchLayerKeys::kExportables, SketchLayerKeys::kSymbolInstances}) {
        BaseSModel root = modelOf(R"({"_class":"artboard","name":"Chosen","isVisible":false,"layers":[
            {"_class":"symbolInstance","do_objectID":"E","frame":{"x":1,"y":2},
             "exportOptions":{"_class":"exportOptions","exportFormats":[{"_class":"exportFormat"}]}},
            {"_class":"group","isVisible":false,"layers":[]}]})");
        const auto found = root.findDictionary(key, true);
        EXPECT_EQ(jsonAt(root.dict, "/name"), R"("Chosen")") << rawValue(key);
        EXPECT_EQ(jsonAt(root.dict, "/layers/0/ZVExactOrigin"), R"({"x":1,"y":2})") << rawValue(key);
        EXPECT_EQ(ids(found), Ids{"E"}) << rawValue(key);
        EXPECT_EQ(jsonAt(root.dict, "/layers/1"), key == SketchLayerKeys::kExportables ? R"({"ZVNodeLevel":1})" : "{}")
            << "hidden layers below it are still reduced";
    }
}

TEST(LayerTreeSearch, CollectedDictionaryIsASnapshotTakenWhenFound)
{
    BaseSModel artboard = modelOf(R"({"_class":"artboard","layers":[{"_class":"group","frame":{"x":10,"y":10},
        "exportOptions":{"_class":"exportOptions","exportFormats":[{"_class":"exportFormat"}]},
        "layers":[{"_class":"rectangle","frame":{"x":1,"y":1}}]}]})");
    std::vector<boost::json::object> found = artboard.findDictionary(SketchLayerKeys::kExportables, true);
    ASSERT_EQ(found.size(), 1u);
    // The group was collected before the walk went down into it.
    EXPECT_EQ(jsonAt(artboard.dict, "/layers/0/layers/0/ZVExactOrigin"), R"({"x":11,"y":11})");
    EXPECT_EQ(jsonAt(found[0], "/layers/0"), R"({"_class":"rectangle","frame":{"x":1,"y":1}})");

    artboard.dict["layers"].as_array()[0].as_object()["name"] = "tree";
    found[0]["name"] = "list";
    EXPECT_EQ(jsonAt(artboard.dict, "/layers/0/name"), R"("tree")");
    EXPECT_EQ(jsonAt(found[0], "/name"), R"("list")");
}

TEST(LayerTreeSearch, ArtboardWithoutLayersKeepsThePageMarks)
{
    const char* json = R"({"ZVExactOrigin":{"x":241,"y":191},"ZVHasExactOrigin":true,"ZVNodeLevel":1,"layers":[]})";
    BaseSModel artboard = modelOf(json);
    artboard.findDictionary(SketchLayerKeys::kExportables, true);
    EXPECT_EQ(jsonAt(artboard.dict, ""), jsonAt(jsonObject(json), ""));
    EXPECT_FALSE(SketchFinder::gadget().firstNode()) << "every walk ends with the flag down";
}

TEST(LayerTreeSearch, LayersWithoutUsableFrameGetNoOriginButTheirDepth)
{
    struct Case {
        const char* frame;       // of L, the second child of the artboard
        const char* childFrame;  // of C, inside L
        const char* origin;      // L's origin afterwards
        const char* childOrigin; // C's origin afterwards
    };
    const std::vector<Case> cases = {
        {R"({"x":5,"y":6})", R"({"x":2,"y":2})", R"({"x":5,"y":6})", R"({"x":7,"y":8})"},
        {R"({"y":6})", R"({"x":2,"y":2})", "<none>", "<none>"},
        {R"({"x":"5","y":6})", R"({"x":2,"y":2})", "<none>", "<none>"},
        {"[5,6]", R"({"x":2,"y":2})", "<none>", "<none>"},
        {R"({"x":5,"y":6})", R"({"x":2,"y":true})", R"({"x":5,"y":6})", "<none>"},
        // A sum beyond the largest double could not be written back as JSON.
        {R"({"x":1.5e308,"y":0})", R"({"x":1.5e308,"y":0})", R"({"x":1.5e+308,"y":0})", "<none>"},
    };
    for (const Case& c : cases) {
        BaseSModel artboard = modelOf(std::string(R"({"layers":[{"frame":{"x":1,"y":1}},{"frame":)") + c.frame +
                                      R"(,"layers":[{"frame":)" + c.childFrame + "}]}]}");
        artboard.findDictionary(SketchLayerKeys::kLayer, true);
        EXPECT_EQ(jsonAt(artboard.dict, "/layers/1/ZVExactOrigin"), c.origin) << c.frame;
        EXPECT_EQ(jsonAt(artboard.dict, "/layers/1/layers/0/ZVExactOrigin"), c.childOrigin) << c.frame;
        EXPECT_EQ(jsonAt(artboard.dict, "/layers/1/layers/0/ZVNodeLevel"), "2") << c.frame;
        if (std::string(c.childOrigin) == "<none>") {
            EXPECT_EQ(jsonAt(artboard.dict, "/layers/1/layers/0/frame"), jsonAt(jsonObject(c.childFrame), "")) << c.frame;
        }
    }
}

TEST(LayerTreeSearch, NodeLevelCountsUpOnlyFromAnIntegerThatAllows)
{
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"4", "5"}, {"9223372036854775806", "9223372036854775807"}, {"9223372036854775807", "<none>"},
        {"18446744073709551615", "<none>"}, {"2.5", "<none>"}, {"\"3\"", "<none>"},
    };
    for (const auto& [parentLevel, childLevel] : cases) {
        boost::json::object parent = jsonObject(std::string(R"({"ZVNodeLevel":)") + parentLevel + "}");
        boost::json::object child;
        SketchFinder::setNodeLevel(child, parent, false);
        EXPECT_EQ(jsonAt(child, "/ZVNodeLevel"), childLevel) << parentLevel;
    }
}

TEST(LayerTreeSearch, CallbacksSkipDuplicatesFilterAndRewrite)
{
    BaseSModel artboard = modelOf(R"({"layers":[{"_class":"symbolInstance","do_objectID":"D","symbolID":"first"},
        {"_class":"symbolInstance","do_objectID":"D","symbolID":"second"},{"_class":"symbolInstance","do_objectID":"E"}]})");
    Ids log;
    BaseSModel::SearchCallbacks callbacks;
    callbacks.duplicateCheck = [&](const boost::json::object& existing, const boost::json::object& candidate) {
        log.push_back("duplicate? " + ids({existing})[0] + ids({candidate})[0]);
        return existing.at("do_objectID") == candidate.at("do_objectID");
    };
    callbacks.matchCheck = [&](const boost::json::object& candidate) {
        log.push_back("match? " + ids({candidate})[0]);
        return ids({candidate})[0] != "E";
    };
    callbacks.matchAndReplace = [&](boost::json::object& candidate) {
        log.push_back("replace " + ids({candidate})[0]);
        candidate["replaced"] = true;
    };

    const auto found = artboard.findDictionary(SketchLayerKeys::kSymbolInstances, false, std::nullopt, {}, callbacks);
    EXPECT_EQ(log, (Ids{"match? D", "replace D", "duplicate? DD", "duplicate? DE", "match? E", "replace E"}));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(jsonAt(found[0], "/symbolID"), R"("first")");
    EXPECT_EQ(jsonAt(found[0], "/replaced"), "<none>") << "the list holds the candidate as it was before the rewrite";
    expectMarks(artboard.dict, {{"/layers/0/replaced", "true"}, {"/layers/1/replaced", "<none>"}, {"/layers/2/replaced", "true"}},
                "tree");
}

TEST(LayerTreeSearch, ExportableAndPatternFillLookAtFirstEntries)
{
    const std::vector<std::tuple<const char*, bool, bool>> cases = {
        {R"({"exportOptions":{"exportFormats":[{}]}})", true, false},
        {R"({"exportOptions":{"exportFormats":[]}})", false, false},
        {R"({"style":{"fills":[{"isEnabled":true,"fillType":4}]}})", false, true},
        {R"({"style":{"fills":[{"isEnabled":false,"fillType":4},{"isEnabled":true,"fillType":4}]}})", false, false},
        {R"({"style":{"fills":[{"isEnabled":true,"fillType":4},7]}})", false, false},
    };
    for (const auto& [json, exportable, patternFill] : cases) {
        EXPECT_EQ(SketchFinder::isExportable(jsonObject(json)), exportable) << json;
        EXPECT_EQ(SketchFinder::isPaternFill(jsonObject(json)), patternFill) << json;
    }
}

} // namespace
