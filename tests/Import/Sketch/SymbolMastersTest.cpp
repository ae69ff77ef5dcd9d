#include "FixtureDocument.h"

#include "Import/Sketch/SketchReaderOnline.h"
#include "Import/Sketch/SymbolMasterModelsMapper.h"

#include <gtest/gtest.h>


#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace sketchtest;
using Ids = std::vector<std::string>;
using Masters = std::vector<std::pair<std::string, Ids>>; // symbol id, masters it uses; in list order

std::string instances(const Ids& symbolIDs)
{
    std::string json;
    for (const std::string& id : symbolIDs)
        json += (json.empty() ? "" : ",") + std::string(R"({"_class":"symbolInstance","symbolID":")") + id + "\"}";
    return json;
}

// A master whose instances sit one level down, inside a group.
std::shared_ptr<LayerSumModel> master(const std::string& symbolID, const Ids& uses, const std::string& objectID = {})
{
    auto layer = std::make_shared<LayerSumModel>();
    layer->class_ = "symbolMaster";
    layer->symbolID = symbolID;
    layer->name = "Master " + symbolID;
    layer->do_objectID = objectID.empty() ? "M-" + symbolID : objectID;
    layer->dict = jsonObject(R"({"_class":"symbolMaster","symbolID":")" + symbolID +
                             R"(","layers":[{"_class":"group","frame":{"x":4,"y":4},"layers":[)" + instances(uses) + "]}]}");
    return layer;
}

std::vector<std::shared_ptr<LayerSumModel>> masters(const Masters& list)
{
    std::vector<std::shared_ptr<LayerSumModel>> layers;
    for (const auto& [id, uses] : list) layers.push_back(master(id, uses));
    return layers;
}

Ids usedBy(const std::string& artboardLayers, const SketchReaderOnline::MasterMap& map)
{
    ArtboardSumModel artboard;
    artboard.dict = jsonObject(R"({"_class":"artboard","layers":[)" + artboardLayers + "]}");
    Ids ids;
    for (const auto& m : SketchReaderOnline::getSymbolInstanceIn(artboard, map)) ids.push_back(m->masterLayer->symbolID);
    std::sort(ids.begin(), ids.end());
    return ids;
}

TEST(SymbolMasters, OrderListsDependenciesFirstAndCutsCycles)
{
    const std::vector<std::pair<Masters, Ids>> cases = {
        {{{"A", {"B"}}, {"B", {"C"}}, {"C", {}}}, {"C", "B", "A"}},
        {{{"B", {"C"}}, {"A", {"B", "C"}}, {"C", {}}}, {"C", "B", "A"}},
        {{{"A", {"B"}}, {"B", {"A"}}}, {"B", "A"}},
        {{{"A", {"A", "LIBRARY"}}, {"Z", {}}}, {"A", "Z"}},
    };
    for (const auto& [list, expected] : cases) {
        SketchReaderOnline reader;
        const auto [map, order] = reader.prepareSymbolHashMap(masters(list));
        EXPECT_EQ(order, expected) << "first master " << list.front().first;
        EXPECT_TRUE(SketchReaderOnline::dfsSortArray(map).empty()) << "the marks stay on the models";
    }
}

TEST(SymbolMasters, MapHoldsInstancesInSearchOrderLaterDuplicatesAndObjectIdsForUnnamed)
{
    auto layer = master("M", {});
    layer->dict = jsonObject(R"({"layers":[{"_class":"symbolInstance","symbolID":"X","frame":{"x":1,"y":1}},
        {"_class":"group","layers":[{"_class":"symbolInstance","symbolID":"Y"},{"_class":"symbolInstance","symbolID":7}]},
        {"_class":"symbolInstance","symbolID":"X"}]})");
    SketchReaderOnline reader;
    const auto [map, order] = reader.prepareSymbolHashMap(
        std::vector{master("S", {}, "FIRST"), layer, master("S", {}, "SECOND"), master("", {}, "OBJECT-ID")});

    ASSERT_TRUE(map.contains("M") && map.contains("S"));
    EXPECT_EQ((*map.find("M"))->dependentMasterSymbolIds, (Ids{"X", "X", "Y"}));
    EXPECT_EQ((*map.find("M"))->dependentMasterSymbolInstances.size(), 4u);
    EXPECT_EQ((*map.find("M"))->masterLayer, layer) << "the model shares the listed master";
    EXPECT_EQ(jsonAt(layer->dict, "/layers/1/layers/0/ZVNodeLevel"), "2") << "the search annotated the master";
    EXPECT_EQ((*map.find("S"))->masterLayer->do_objectID, "SECOND");
    EXPECT_EQ(order, (Ids{"S", "M", "OBJECT-ID"}));

    const auto [emptyMap, emptyOrder] = reader.prepareSymbolHashMap({});
    EXPECT_TRUE(emptyMap.empty() && emptyOrder.empty());
}

TEST(SymbolMasters, ArtboardUsesItsMastersAndTheirDependencies)
{
    SketchReaderOnline reader;
    const auto [map, order] = reader.prepareSymbolHashMap(masters({{"A", {"B"}}, {"B", {"C"}}, {"C", {}}, {"D", {}}}));
    const std::vector<std::pair<std::string, Ids>> cases = {
        {instances({"A"}), {"A", "B", "C"}},
        {instances({"D", "D", "D"}), {"D"}},
        {instances({"LIBRARY"}) + R"(,{"_class":"symbolInstance"},{"_class":"symbolInstance","symbolID":["A"]})", {}},
        {R"({"_class":"group","isVisible":false,"layers":[)" + instances({"A"}) + "]}," + instances({"D"}), {"D"}},
        {R"({"_class":"symbolInstance","isVisible":false,"symbolID":"C"})", {"C"}},
        {R"({"_class":"symbolInstance","symbolID":"D","overrideValues":[{"_class":"overrideValue","value":"A"}]})", {"D"}},
    };
    for (const auto& [layers, expected] : cases) EXPECT_EQ(usedBy(layers, map), expected) << layers;
}

// Regression: the collection of used masters had no visited mark, so masters that use each
// other recursed until the stack overflowed.
TEST(SymbolMasters, MastersUsingEachOtherOverflowedTheStack)
{
    const std::vector<std::tuple<Masters, Ids, Ids>> cases = {
        {{{"A", {"B"}}, {"B", {"A"}}}, {"A"}, {"A", "B"}},
        {{{"A", {"A"}}}, {"A"}, {"A"}},
        {{{"A", {"B"}}, {"B", {"C"}}, {"C", {"A"}}, {"D", {}}}, {"B"}, {"A", "B", "C"}},
        {{{"A", {"B"}}, {"B", {"C"}}, {"C", {"B"}}}, {"C", "A"}, {"A", "B", "C"}},
    };
    for (const auto& [list, placed, expected] : cases) {
        SketchReaderOnline reader;
        const auto [map, order] = reader.prepareSymbolHashMap(masters(list));
        EXPECT_EQ(usedBy(instances(placed), map), expected);
    }
}

// Regression: every use of a shared master expanded it again, so 64 levels of masters that each
// use both masters of the next level took 2^64 steps.
TEST(SymbolMasters, SharedMasterChainsTookExponentialTime)
{
    Masters list;
    Ids all;
    for (int level = 0; level < 64; ++level) {
        const std::string next = "L" + std::to_string(level + 1);
        for (const char* side : {"a", "b"}) {
            list.push_back({"L" + std::to_string(level) + side, level < 63 ? Ids{next + "a", next + "b"} : Ids{}});
            all.push_back(list.back().first);
        }
    }
    std::sort(all.begin(), all.end());
    SketchReaderOnline reader;
    const auto [map, order] = reader.prepareSymbolHashMap(masters(list));
    EXPECT_EQ(order.front(), "L63a");
    EXPECT_EQ(usedBy(instances({"L0a", "L0b", "L0a"}), map), all);
}

// Regression: both walks over the dependencies recursed once per master of a chain, so a long
// chain overflowed the stack.
TEST(SymbolMasters, LongMasterChainsOverflowedTheStack)
{
    const int length = 50000;
    SketchReaderOnline::MasterMap map;
    for (int i = 0; i < length; ++i) {
        auto model = std::make_shared<SymbolMasterModel>();
        model->masterLayer->symbolID = "M" + std::to_string(i);
        if (i + 1 < length) model->dependentMasterSymbolIds.push_back("M" + std::to_string(i + 1));
        map.insert_or_assign(model->masterLayer->symbolID, model);
    }
    const Ids order = SketchReaderOnline::dfsSortArray(map);
    ASSERT_EQ(order.size(), static_cast<std::size_t>(length));
    EXPECT_EQ(order.front(), "M49999");
    EXPECT_EQ(order.back(), "M0");

    SketchReaderOnline::MasterMap used;
    SketchReaderOnline::ExpandedSet expanded;
    SketchReaderOnline::addDependenciesOfMasters(*map.find("M0"), map, used, expanded);
    EXPECT_EQ(used.size(), static_cast<std::size_t>(length - 1));
}

TEST(SymbolMasterRecords, RecordIsTheMasterAsItWasBeforeTheInstanceSearch)
{
    auto layer = master("S1", {"S2"});
    layer->frame.x = 100;
    layer->frame.width = 349;
    layer->frame.height = 326.5;
    layer->isVisible = true;
    const SymbolMasterExportInfo record = SymbolMasterModelsMapper::map(*layer);
    SketchReaderOnline reader;
    reader.prepareSymbolHashMap(std::vector{layer, master("S2", {})});

    EXPECT_EQ(std::tie(record.oid, record.class_, record.name, record.symbolID, record.type),
              std::tie("M-S1", "symbolMaster", "Master S1", "S1", "sketch"));
    EXPECT_TRUE(record.isVisible);
    EXPECT_EQ((std::vector<double>{record.frame.x, record.frame.y, record.frame.width, record.frame.height}),
              (std::vector<double>{100, 0, 349, 326.5}));
    ASSERT_TRUE(record.jsonString.has_value());
    EXPECT_NE(record.jsonString->find("\"symbolID\" : \"S1\""), std::string::npos) << *record.jsonString;
    EXPECT_EQ(record.jsonString->find("ZVNodeLevel"), std::string::npos);
    EXPECT_EQ(jsonAt(layer->dict, "/layers/0/ZVNodeLevel"), "1");
}

} // namespace
