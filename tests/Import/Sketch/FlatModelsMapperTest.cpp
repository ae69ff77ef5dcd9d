#include "Editor/VariableNamePicker.h"
#include "Import/Sketch/ArtboardModelsMapper.h"
#include "Import/Sketch/FlatModelsMapper.h"
#include "Import/Sketch/JsonSerialization.h"
#include "platform/DebugLog.h"
#include "platform/JsonText.h"
#include "support/ServiceTestDoubles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

namespace {

const std::string kJsonError = "JSONSerialization error";
// The JSON helpers print their lines quoted, as a debug print of a text value does.
const std::string kQuotedJsonError = "\"JSONSerialization error\"";
const std::string kListError = "\"stringListToDictList JSONSerialization error\"";
using Lines = std::vector<std::string>;

TEST(JsonSerializationTest, JsonOfTextGivesAnObjectOrAnEmptyDictionary)
{
    const struct {
        const char* name;
        std::optional<std::string> text;
        boost::json::object expected;
        Lines debug;
    } cases[] = {
        {"no text", std::nullopt, {}, {}},
        {"nested", R"({"a": {"b": [true, null]}})", {{"a", {{"b", {true, nullptr}}}}}, {}},
        {"broken", R"({"a": )", {}, {kQuotedJsonError}},
        {"bare number", "3", {}, {kQuotedJsonError}},
    };
    for (const auto& c : cases) {
        DebugLines debug;
        EXPECT_EQ(JsonSerialization::json(c.text), c.expected) << c.name;
        EXPECT_EQ(debug.lines, c.debug) << c.name;
    }
}

TEST(JsonSerializationTest, StringListSkipsBrokenTextsAndEmptiesNonObjects)
{
    DebugLines debug;
    const auto list = JsonSerialization::stringListToDictList({R"({"id": "a"})", "{broken", "[1]", R"({"id": "b"})"});
    EXPECT_EQ(list, (std::vector<boost::json::object>{{{"id", "a"}}, {}, {{"id", "b"}}}));
    EXPECT_EQ(debug.lines, Lines{kListError});
}

TEST(JsonSerializationTest, DataUtf8StringIsPrettyAndGivesNothingForNumbersThatAreNotFinite)
{
    const auto text = JsonSerialization::dataUTF8String({{"name", "Home"}, {"x", 10.0}, {"ratio", 0.5}});
    ASSERT_TRUE(text.has_value());
    EXPECT_NE(text->find("\"x\" : 10"), std::string::npos) << "pretty, no exponent: " << *text;
    // whole doubles come back as integers: the text carries no fraction for them
    EXPECT_EQ(JsonSerialization::json(*text), (boost::json::object{{"name", "Home"}, {"x", 10}, {"ratio", 0.5}}));

    EXPECT_FALSE(JsonSerialization::dataUTF8String({{"x", std::numeric_limits<double>::infinity()}}).has_value());
    EXPECT_FALSE(JsonSerialization::dataUTF8String({{"a", {{"b", std::nan("")}}}}).has_value());
}

std::shared_ptr<ArtboardContainerModel> mapFlat(const char* body)
{
    return FlatModelsMapper::map(jsonmap::fromJson<ArtboardContainerFlatModel>(*platform::parseJson(body)));
}

void expectPrimedSwiftPicker(const std::shared_ptr<VariableNamePicker>& picker)
{
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(std::tie(picker->language, picker->type), std::tuple(ProgrammingLanguage::swift, VariableNameType::code));
    EXPECT_EQ(picker->reservedKeys.count("func"), 1u);
    EXPECT_TRUE(picker->scopeVariableNameList.empty());
}

TEST(FlatModelsMapperTest, MapsTheServiceRecordIntoAContainer)
{
    DebugLines debug;
    const auto container = mapFlat(R"({
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
            {"masterLayer": {"oid": "first", "symbolID": "S3"}},
            {"masterLayer": {"oid": "M2", "symbolID": "S2", "name": "Icon"}},
            {"masterLayer": {"oid": "second", "symbolID": "S3"}}]
    })");
    ASSERT_NE(container->artboard, nullptr);
    // the artboard stands at its own origin
    EXPECT_EQ(std::tie(container->artboard->do_objectID, container->artboard->name, container->artboard->frame.x,
                       container->artboard->frame.y, container->artboard->frame.width),
              std::tuple("A1", "Home", 0.0, 0.0, 375.0));
    EXPECT_EQ(container->artboard->dict.at("_class"), "artboard");
    EXPECT_EQ(container->mainSymbolMasterSortedList, (std::vector<std::string>{"S2", "S1"}));
    EXPECT_EQ(container->frameList, (std::vector<boost::json::object>{{{"id", 1}}, {}}));
    EXPECT_EQ(container->usedSymbolInstances, (std::vector<boost::json::object>{{{"symbolID", "S1"}}}));
    EXPECT_EQ(debug.lines, Lines{kListError});
    expectPrimedSwiftPicker(container->variableNamePicker);

    // by symbol id, in arrival order; a later master with the same id replaces the earlier one
    std::vector<std::string> order;
    for (const auto& [id, master] : container->usedSymbolMasters) order.push_back(id + ":" + master->masterLayer->do_objectID);
    EXPECT_EQ(order, (std::vector<std::string>{"S1:M1", "S3:second", "S2:M2"}));
    const auto& button = *container->usedSymbolMasters.find("S1");
    EXPECT_EQ(std::tie(button->masterLayer->frame.x, button->masterLayer->frame.width), std::tuple(0.0, 100.0));
    EXPECT_EQ(button->masterLayer->dict.at("a"), 1);
    EXPECT_TRUE(button->orderedBefore);
    EXPECT_EQ(button->dependentMasterSymbolIds, std::vector<std::string>{"S2"});
    EXPECT_EQ(button->dependentMasterSymbolInstances.size(), 1u);
    expectPrimedSwiftPicker(button->variableNamePicker);
    EXPECT_FALSE((*container->usedSymbolMasters.find("S2"))->orderedBefore);
}

TEST(FlatModelsMapperTest, ArtboardJsonTextOutcomes)
{
    const struct {
        const char* what;
        std::optional<std::string> jsonString;
        boost::json::object dict;
        Lines debug;
    } cases[] = {
        {"object", std::string(R"({"do_objectID": "A"})"), {{"do_objectID", "A"}}, {}},
        {"malformed", std::string("{\"a\":"), {}, {kJsonError}},
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

TEST(FlatModelsMapperTest, EmptyOrMistypedRecordGivesAnEmptyContainerWithAPrimedPicker)
{
    for (const char* body : {"{}", R"({"artboard": 5, "frameList": {}, "usedSymbolMasters": "x", "mainSymbolMasterSortedList": [1]})"}) {
        SCOPED_TRACE(body);
        const auto container = mapFlat(body);
        ASSERT_NE(container->artboard, nullptr);
        EXPECT_EQ(jsonmap::toJsonObject(*container->artboard), jsonmap::toJsonObject(ArtboardSumModel()));
        EXPECT_TRUE(container->artboard->dict.empty());
        EXPECT_TRUE(container->usedSymbolMasters.empty());
        EXPECT_TRUE(container->usedSymbolInstances.empty() && container->frameList.empty());
        expectPrimedSwiftPicker(container->variableNamePicker);
    }
}

} // namespace
