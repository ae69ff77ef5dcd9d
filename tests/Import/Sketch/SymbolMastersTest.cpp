#include "FixtureDocument.h"

#include "Import/Sketch/ArtboardContainerFlatModel.h"
#include "Import/Sketch/SketchFinderHelperUtils.h"
#include "Import/Sketch/SketchReaderOnline.h"
#include "Import/Sketch/SymbolMasterModelsMapper.h"
#include "platform/DebugLog.h"
#include "platform/JsonText.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace sketchtest;
using Ids = std::vector<std::string>;

std::string instanceJson(const std::string& symbolID)
{
    return R"({"_class":"symbolInstance","do_objectID":"I-)" + symbolID + R"(","symbolID":")" + symbolID + R"("})";
}

// A master whose instances sit one level down, inside a group.
std::shared_ptr<LayerSumModel> master(const std::string& symbolID, const Ids& uses, const std::string& objectID = {})
{
    std::string layers;
    for (const std::string& id : uses) layers += (layers.empty() ? "" : ",") + instanceJson(id);
    auto layer = std::make_shared<LayerSumModel>();
    layer->class_ = "symbolMaster";
    layer->symbolID = symbolID;
    layer->name = "Master " + symbolID;
    layer->do_objectID = objectID.empty() ? "M-" + symbolID : objectID;
    layer->dict = jsonObject(R"({"_class":"symbolMaster","do_objectID":")" + layer->do_objectID + R"(","symbolID":")" +
                             symbolID + R"(","frame":{"x":0,"y":0},"layers":[{"_class":"group","frame":{"x":4,"y":4},"layers":[)" +
                             layers + "]}]}");
    return layer;
}

ArtboardSumModel artboardUsing(const std::string& layersJson)
{
    ArtboardSumModel artboard;
    artboard.do_objectID = "AB";
    artboard.dict = jsonObject(R"({"_class":"artboard","do_objectID":"AB","layers":[)" + layersJson + "]}");
    return artboard;
}

ArtboardSumModel artboardWithInstancesOf(const Ids& symbolIDs)
{
    std::string layers;
    for (const std::string& id : symbolIDs) layers += (layers.empty() ? "" : ",") + instanceJson(id);
    return artboardUsing(layers);
}

Ids sortedIds(const std::vector<std::shared_ptr<SymbolMasterModel>>& masters)
{
    Ids ids;
    for (const auto& m : masters) ids.push_back(m->masterLayer->symbolID);
    std::sort(ids.begin(), ids.end());
    return ids;
}

struct OrderCase {
    std::vector<std::pair<std::string, Ids>> masters; // symbol id, masters it uses; in list order
    Ids order;
};

TEST(SymbolMasters, OrderListsDependenciesFirstAndCutsCycles)
{
    const std::vector<OrderCase> cases = {
        {{{"A", {"B"}}, {"B", {"C"}}, {"C", {}}}, {"C", "B", "A"}},
        {{{"C", {}}, {"B", {"C"}}, {"A", {"B"}}}, {"C", "B", "A"}},
        {{{"B", {"C"}}, {"A", {"B"}}, {"C", {}}}, {"C", "B", "A"}},
        {{{"A", {"B"}}, {"B", {"A"}}}, {"B", "A"}},
        {{{"B", {"A"}}, {"A", {"B"}}}, {"A", "B"}},
        {{{"A", {"A", "LIBRARY"}}, {"Z", {}}}, {"A", "Z"}},
        {{{"A", {"B", "C"}}, {"B", {"C"}}, {"C", {}}}, {"C", "B", "A"}},
    };
    for (const OrderCase& c : cases) {
        std::vector<std::shared_ptr<LayerSumModel>> layers;
        for (const auto& [id, uses] : c.masters) layers.push_back(master(id, uses));
        SketchReaderOnline reader;
        const auto [map, order] = reader.prepareSymbolHashMap(layers);
        EXPECT_EQ(order, c.order) << "first master " << c.masters.front().first;
        EXPECT_EQ(map.size(), c.masters.size());
        EXPECT_TRUE(SketchReaderOnline::dfsSortArray(map).empty()) << "the marks stay on the models";
    }
}

TEST(SymbolMasters, MapHoldsInstancesInSearchOrderAndAnnotatesTheMaster)
{
    auto layer = master("M", {});
    layer->dict = jsonObject(R"({"_class":"symbolMaster","symbolID":"M","layers":[
        {"_class":"symbolInstance","symbolID":"X","frame":{"x":1,"y":1}},
        {"_class":"group","layers":[{"_class":"symbolInstance","symbolID":"Y"},{"_class":"symbolInstance","symbolID":7}]},
        {"_class":"symbolInstance","symbolID":"X"}]})");
    SketchReaderOnline reader;
    const auto [map, order] = reader.prepareSymbolHashMap(std::vector{layer});
    const auto* model = map.find("M");
    ASSERT_NE(model, nullptr);
    EXPECT_EQ((*model)->dependentMasterSymbolIds, (Ids{"X", "X", "Y"}));
    EXPECT_EQ((*model)->dependentMasterSymbolInstances.size(), 4u);
    EXPECT_EQ((*model)->masterLayer, layer) << "the model shares the listed master";
    EXPECT_EQ(jsonAt(layer->dict, "/layers/0/ZVExactOrigin"), R"({"x":1,"y":1})");
    EXPECT_EQ(jsonAt(layer->dict, "/layers/1/layers/0/ZVNodeLevel"), "2");
    EXPECT_EQ(order, Ids{"M"});
}

TEST(SymbolMasters, DuplicateAndEmptySymbolIds)
{
    auto first = master("S", {}, "FIRST");
    auto second = master("S", {}, "SECOND");
    auto unnamed = master("", {}, "OBJECT-ID");
    SketchReaderOnline reader;
    const auto [map, order] = reader.prepareSymbolHashMap(std::vector{first, second, unnamed});
    ASSERT_NE(map.find("S"), nullptr);
    EXPECT_EQ((*map.find("S"))->masterLayer->do_objectID, "SECOND");
    EXPECT_EQ(order, (Ids{"S", "OBJECT-ID"}));
    EXPECT_EQ(SymbolMasterModelsMapper::map(std::vector{first, second, unnamed}).size(), 3u);

    const auto [emptyMap, emptyOrder] = reader.prepareSymbolHashMap({});
    EXPECT_TRUE(emptyMap.empty());
    EXPECT_TRUE(emptyOrder.empty());
}

struct UsedCase {
    const char* name;
    std::string artboardLayers;
    Ids used;
};

TEST(SymbolMasters, ArtboardUsesItsMastersAndTheirDependencies)
{
    // A uses B, B uses C; D uses nothing; E is used only through an override.
    const std::vector<std::shared_ptr<LayerSumModel>> layers = {master("A", {"B"}), master("B", {"C"}), master("C", {}),
                                                                master("D", {}), master("E", {})};
    const std::vector<UsedCase> cases = {
        {"chain", instanceJson("A"), {"A", "B", "C"}},
        {"same master three times", instanceJson("D") + "," + instanceJson("D") + "," + instanceJson("D"), {"D"}},
        {"library symbol and broken ids",
         instanceJson("LIBRARY") + R"(,{"_class":"symbolInstance"},{"_class":"symbolInstance","symbolID":["A"]})", {}},
        {"inside a hidden group",
         R"({"_class":"group","isVisible":false,"layers":[)" + instanceJson("A") + "]}," + instanceJson("D"), {"D"}},
        {"hidden instance in a visible parent", R"({"_class":"symbolInstance","isVisible":false,"symbolID":"C"})", {"C"}},
        {"override only",
         R"({"_class":"symbolInstance","symbolID":"D","overrideValues":[{"_class":"overrideValue","value":"E"}]})", {"D"}},
    };
    SketchReaderOnline reader;
    const auto [map, order] = reader.prepareSymbolHashMap(layers);
    for (const UsedCase& c : cases) {
        ArtboardSumModel artboard = artboardUsing(c.artboardLayers);
        EXPECT_EQ(sortedIds(SketchReaderOnline::getSymbolInstanceIn(artboard, map, order)), c.used) << c.name;
    }
}

// Regression: the collection of used masters had no visited mark, so masters that use each
// other recursed until the stack overflowed.
TEST(SymbolMasters, MastersUsingEachOtherOverflowedTheStack)
{
    struct Case {
        std::vector<std::pair<std::string, Ids>> masters;
        Ids instances;
        Ids used;
    };
    const std::vector<Case> cases = {
        {{{"A", {"B"}}, {"B", {"A"}}}, {"A"}, {"A", "B"}},
        {{{"A", {"A"}}}, {"A"}, {"A"}},
        {{{"A", {"B"}}, {"B", {"C"}}, {"C", {"A"}}, {"D", {}}}, {"B"}, {"A", "B", "C"}},
        {{{"A", {"B"}}, {"B", {"C"}}, {"C", {"B"}}}, {"A", "C"}, {"A", "B", "C"}},
    };
    for (const Case& c : cases) {
        std::vector<std::shared_ptr<LayerSumModel>> layers;
        for (const auto& [id, uses] : c.masters) layers.push_back(master(id, uses));
        SketchReaderOnline reader;
        const auto [map, order] = reader.prepareSymbolHashMap(layers);
        ArtboardSumModel artboard = artboardWithInstancesOf(c.instances);
        EXPECT_EQ(sortedIds(SketchReaderOnline::getSymbolInstanceIn(artboard, map, order)), c.used);
    }
}

// Regression: every use of a shared master expanded it again, so a chain of masters that each
// use both masters of the next level took 2^depth steps.
TEST(SymbolMasters, SharedMasterChainsTookExponentialTime)
{
    const int depth = 64;
    std::vector<std::shared_ptr<LayerSumModel>> layers;
    Ids all;
    for (int level = 0; level < depth; ++level) {
        const Ids next = level + 1 < depth ? Ids{"L" + std::to_string(level + 1) + "a", "L" + std::to_string(level + 1) + "b"}
                                           : Ids{};
        for (const char* side : {"a", "b"}) {
            const std::string id = "L" + std::to_string(level) + side;
            layers.push_back(master(id, next));
            all.push_back(id);
        }
    }
    std::sort(all.begin(), all.end());
    SketchReaderOnline reader;
    const auto [map, order] = reader.prepareSymbolHashMap(layers);
    EXPECT_EQ(order.size(), all.size());
    EXPECT_EQ(order.front(), "L63a");

    ArtboardSumModel artboard = artboardWithInstancesOf({"L0a", "L0b", "L0a"});
    EXPECT_EQ(sortedIds(SketchReaderOnline::getSymbolInstanceIn(artboard, map, order)), all);
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
    EXPECT_FALSE(used.contains("M0")) << "the master itself is stored by the caller";
}

TEST(SymbolMasterRecords, RecordCarriesTheMasterAsItWasBeforeTheInstanceSearch)
{
    auto layer = master("S1", {"S2"});
    layer->frame.x = 100;
    layer->frame.y = 0;
    layer->frame.width = 349;
    layer->frame.height = 326.5;
    layer->isVisible = true;

    const SymbolMasterExportInfo record = SymbolMasterModelsMapper::map(*layer);
    SketchReaderOnline reader;
    reader.prepareSymbolHashMap(std::vector{layer, master("S2", {})});

    EXPECT_EQ(record.oid, "M-S1");
    EXPECT_EQ(record.class_, "symbolMaster");
    EXPECT_EQ(record.name, "Master S1");
    EXPECT_EQ(record.symbolID, "S1");
    EXPECT_TRUE(record.isVisible);
    EXPECT_EQ(record.type, "sketch");
    EXPECT_EQ((std::vector<double>{record.frame.x, record.frame.y, record.frame.width, record.frame.height}),
              (std::vector<double>{100, 0, 349, 326.5}));
    ASSERT_TRUE(record.jsonString.has_value());
    EXPECT_NE(record.jsonString->find("\"symbolID\" : \"S1\""), std::string::npos) << *record.jsonString;
    EXPECT_EQ(record.jsonString->find("ZVNodeLevel"), std::string::npos) << "taken before the instance search";
    EXPECT_EQ(jsonAt(layer->dict, "/layers/0/ZVNodeLevel"), "1") << "the search annotated the master afterwards";
}

TEST(SymbolMasterRecords, RecordsFromTheServiceStandAtTheirOwnOrigin)
{
    struct Case {
        std::optional<std::string> jsonString;
        const char* dict;
        QStringList debug;
    };
    const std::vector<Case> cases = {
        {R"({"_class":"symbolMaster","layers":[]})", R"({"_class":"symbolMaster","layers":[]})", {}},
        {std::nullopt, "{}", {}},
        {"[1,2]", "{}", {}},
        {"{broken", "{}", {QStringLiteral("JSONSerialization error")}},
        {std::string(300, '[') + std::string(300, ']'), "{}", {QStringLiteral("JSONSerialization error")}},
    };
    for (const Case& c : cases) {
        SymbolMasterExportInfo record;
        record.oid = "OID";
        record.class_ = "symbolMaster";
        record.name = "Button";
        record.symbolID = "SYM";
        record.isVisible = true;
        record.frame.x = 12;
        record.frame.y = 34;
        record.frame.width = 100;
        record.frame.height = 50;
        record.jsonString = c.jsonString;

        QStringList debug;
        platform::setDebugCapture([&debug](const QString& line) { debug << line; });
        const std::shared_ptr<LayerSumModel> layer = SymbolMasterModelsMapper::map(record);
        platform::setDebugCapture(nullptr);

        ASSERT_NE(layer, nullptr);
        EXPECT_EQ(layer->do_objectID, "OID");
        EXPECT_EQ(layer->class_, "symbolMaster");
        EXPECT_EQ(layer->name, "Button");
        EXPECT_EQ(layer->symbolID, "SYM");
        EXPECT_TRUE(layer->isVisible);
        EXPECT_EQ((std::vector<double>{layer->frame.x, layer->frame.y, layer->frame.width, layer->frame.height}),
                  (std::vector<double>{0, 0, 100, 50}));
        EXPECT_EQ(jsonAt(layer->dict, ""), c.dict) << c.jsonString.value_or("(none)").substr(0, 40);
        EXPECT_EQ(debug, c.debug) << c.jsonString.value_or("(none)").substr(0, 40);
    }
}

TEST(SketchReaderOnline, FlatArtboardIsFiledUnderItsId)
{
    const auto flat = jsonmap::fromJson<ArtboardContainerFlatModel>(*platform::parseJson(R"({
        "artboard":{"oid":"AB1","name":"Home","frame":{"x":100,"y":200,"width":375,"height":812},
                    "jsonString":"{\"_class\":\"artboard\"}"},
        "mainSymbolMasterSortedList":["C","B"],
        "usedSymbolMasters":[{"masterLayer":{"oid":"M1","symbolID":"C","frame":{"width":10,"height":20}}}]})"));
    SketchReaderOnline reader;
    const SketchReaderOnline::ArtboardContainerMap map = reader.prepareArtboardMap(flat);
    ASSERT_EQ(map.size(), 1u);
    const auto* container = map.find("AB1");
    ASSERT_NE(container, nullptr);
    ASSERT_NE((*container)->artboard, nullptr);
    EXPECT_EQ((*container)->artboard->name, "Home");
    EXPECT_EQ((*container)->mainSymbolMasterSortedList, (Ids{"C", "B"}));
    EXPECT_TRUE((*container)->usedSymbolMasters.contains("C"));
}

} // namespace
