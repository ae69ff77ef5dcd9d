#include "Editor/VariableNamePicker.h"
#include "Import/Sketch/ArtboardModelsMapper.h"
#include "Import/Sketch/FlatModelsMapper.h"
#include "platform/DebugLog.h"
#include "platform/JsonText.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

class DebugLines {
public:
    DebugLines()
    {
        platform::setDebugCapture([this](const QString& line) { lines.append(line); });
    }
    ~DebugLines() { platform::setDebugCapture(nullptr); }
    QStringList lines;
};

ArtboardContainerFlatModel flatFrom(const char* body)
{
    return jsonmap::fromJson<ArtboardContainerFlatModel>(*platform::parseJson(body));
}

TEST(FlatModelsMapperTest, MapsTheServiceRecordIntoAContainer)
{
    DebugLines debug;
    const auto container = FlatModelsMapper::map(flatFrom(R"({
        "artboard": {"oid": "A1", "name": "Home", "type": "sketch",
                     "frame": {"x": 100, "y": 200, "width": 375, "height": 812},
                     "jsonString": "{\"_class\": \"artboard\", \"layers\": []}", "updateTime": "t"},
        "frameList": ["{\"id\": 1}", "not json", "[2]"],
        "usedSymbolInstances": ["{\"symbolID\": \"S1\"}"],
        "mainSymbolMasterSortedList": ["S2", "S1"],
        "usedSymbolMasters": [
            {"masterLayer": {"oid": "M1", "_class": "symbolMaster", "name": "Button", "symbolID": "S1", "isVisible": true,
                             "frame": {"x": 12, "y": 34, "width": 100, "height": 50}, "jsonString": "{\"a\": 1}"},
             "dependentMasterSymbolInstances": ["{\"symbolID\": \"S2\"}"],
             "dependentMasterSymbolIds": ["S2"], "orderedBefore": true},
            {"masterLayer": {"oid": "M2", "symbolID": "S2", "name": "Icon"}}]
    })"));
    ASSERT_NE(container, nullptr);
    ASSERT_NE(container->artboard, nullptr);
    EXPECT_EQ(container->artboard->do_objectID, "A1");
    EXPECT_EQ(container->artboard->name, "Home");
    EXPECT_EQ(container->artboard->dict.at("_class"), "artboard");
    EXPECT_EQ(container->mainSymbolMasterSortedList, (std::vector<std::string>{"S2", "S1"}));
    ASSERT_EQ(container->frameList.size(), 2u);
    EXPECT_EQ(container->frameList[0], (boost::json::object{{"id", 1}}));
    EXPECT_TRUE(container->frameList[1].empty());
    ASSERT_EQ(container->usedSymbolInstances.size(), 1u);
    EXPECT_EQ(container->usedSymbolInstances[0].at("symbolID"), "S1");
    EXPECT_TRUE(container->viewInfoList.empty());
    EXPECT_EQ(debug.lines, QStringList{QStringLiteral("stringListToDictList JSONSerialization error")});

    ASSERT_EQ(container->usedSymbolMasters.size(), 2u);
    const auto& button = *container->usedSymbolMasters.find("S1");
    EXPECT_EQ(button->masterLayer->do_objectID, "M1");
    EXPECT_EQ(button->masterLayer->class_, "symbolMaster");
    EXPECT_TRUE(button->masterLayer->isVisible);
    EXPECT_EQ(button->masterLayer->frame.x, 0);
    EXPECT_EQ(button->masterLayer->frame.width, 100);
    EXPECT_EQ(button->masterLayer->dict.at("a"), 1);
    EXPECT_TRUE(button->orderedBefore);
    EXPECT_EQ(button->dependentMasterSymbolIds, std::vector<std::string>{"S2"});
    ASSERT_EQ(button->dependentMasterSymbolInstances.size(), 1u);
    ASSERT_NE(button->variableNamePicker, nullptr);
    EXPECT_EQ(button->variableNamePicker->type, VariableNameType::code);
    EXPECT_EQ(button->variableNamePicker->language, ProgrammingLanguage::swift);
    EXPECT_FALSE(button->variableNamePicker->reservedKeys.empty());
    EXPECT_FALSE((*container->usedSymbolMasters.find("S2"))->orderedBefore);
}

TEST(FlatModelsMapperTest, ArtboardStandsAtItsOwnOrigin)
{
    ArtboardDisplayInfo record;
    record.frame.x = 100;
    record.frame.y = 200;
    record.frame.width = 375;
    record.frame.height = 812;
    const auto summary = ArtboardModelsMapper::map(record);
    EXPECT_EQ(summary->frame.x, 0);
    EXPECT_EQ(summary->frame.y, 0);
    EXPECT_EQ(summary->frame.width, 375);
    EXPECT_EQ(summary->frame.height, 812);
}

TEST(FlatModelsMapperTest, ArtboardJsonTextOutcomes)
{
    const struct {
        const char* what;
        std::optional<std::string> jsonString;
        boost::json::object dict;
        QStringList debug;
    } cases[] = {
        {"none", std::nullopt, {}, {}},
        {"object", std::string(R"({"do_objectID": "A"})"), {{"do_objectID", "A"}}, {}},
        {"array", std::string("[1, 2]"), {}, {}},
        {"malformed", std::string("{\"a\":"), {}, {QStringLiteral("JSONSerialization error")}},
        {"not utf-8", std::string("{\"a\": \"\xc3\x28\"}"), {}, {}},
    };
    for (const auto& c : cases) {
        DebugLines debug;
        ArtboardDisplayInfo record;
        record.oid = "A";
        record.jsonString = c.jsonString;
        const auto summary = ArtboardModelsMapper::map(record);
        EXPECT_EQ(summary->dict, c.dict) << c.what;
        EXPECT_EQ(summary->do_objectID, "A") << c.what;
        EXPECT_EQ(debug.lines, c.debug) << c.what;
    }
}

TEST(FlatModelsMapperTest, LaterMasterWithTheSameSymbolIdWins)
{
    const auto container = FlatModelsMapper::map(flatFrom(R"({"usedSymbolMasters": [
        {"masterLayer": {"oid": "first", "symbolID": "S"}},
        {"masterLayer": {"oid": "other", "symbolID": "T"}},
        {"masterLayer": {"oid": "second", "symbolID": "S"}}]})"));
    ASSERT_EQ(container->usedSymbolMasters.size(), 2u);
    EXPECT_EQ((*container->usedSymbolMasters.find("S"))->masterLayer->do_objectID, "second");
    std::vector<std::string> order;
    for (const auto& [id, master] : container->usedSymbolMasters) order.push_back(id);
    EXPECT_EQ(order, (std::vector<std::string>{"S", "T"}));
}

TEST(FlatModelsMapperTest, EmptyOrMistypedRecordGivesAnEmptyContainerWithAPrimedPicker)
{
    for (const char* body : {"{}", R"({"artboard": 5, "frameList": {}, "usedSymbolMasters": "x", "mainSymbolMasterSortedList": [1]})"}) {
        const auto container = FlatModelsMapper::map(flatFrom(body));
        ASSERT_NE(container->artboard, nullptr) << body;
        EXPECT_EQ(container->artboard->do_objectID, "") << body;
        EXPECT_EQ(container->artboard->name, "") << body;
        EXPECT_EQ(container->artboard->frame.width, 0) << body;
        EXPECT_TRUE(container->artboard->dict.empty()) << body;
        EXPECT_TRUE(container->usedSymbolMasters.empty()) << body;
        EXPECT_TRUE(container->usedSymbolInstances.empty()) << body;
        EXPECT_TRUE(container->frameList.empty()) << body;
        ASSERT_NE(container->variableNamePicker, nullptr) << body;
        EXPECT_EQ(container->variableNamePicker->language, ProgrammingLanguage::swift);
        EXPECT_EQ(container->variableNamePicker->type, VariableNameType::code);
        EXPECT_EQ(container->variableNamePicker->reservedKeys.count("func"), 1u);
        EXPECT_TRUE(container->variableNamePicker->scopeVariableNameList.empty());
    }
}

} // namespace
