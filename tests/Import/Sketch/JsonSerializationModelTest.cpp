#include "Import/Sketch/JsonSerialization.h"
#include "platform/DebugLog.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <cmath>
#include <limits>

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

struct JsonCase {
    const char* name;
    std::optional<std::string> text;
    boost::json::object expected;
    QStringList debug;
};

TEST(JsonSerializationTest, JsonOfTextGivesAnObjectOrAnEmptyDictionary)
{
    const QString error = QStringLiteral("JSONSerialization error");
    const JsonCase cases[] = {
        {"no text", std::nullopt, {}, {}},
        {"array", "[1,2]", {}, {}},
        {"one member", R"({"a": 1})", {{"a", 1}}, {}},
        {"nested", R"({"a": {"b": [true, null]}})", {{"a", {{"b", {true, nullptr}}}}}, {}},
        {"broken", R"({"a": )", {}, {error}},
        {"empty text", "", {}, {error}},
        {"bare number", "3", {}, {error}},
        {"bare string", R"("x")", {}, {error}},
        {"invalid utf-8", "{\"a\": \"\xff\"}", {}, {error}},
        {"trailing garbage", R"({"a": 1} x)", {}, {error}},
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
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0], (boost::json::object{{"id", "a"}}));
    EXPECT_TRUE(list[1].empty());
    EXPECT_EQ(list[2], (boost::json::object{{"id", "b"}}));
    EXPECT_EQ(debug.lines, QStringList{QStringLiteral("stringListToDictList JSONSerialization error")});
    EXPECT_TRUE(JsonSerialization::stringListToDictList({}).empty());
}

TEST(JsonSerializationTest, DataUtf8StringIsPrettyAndReadsBack)
{
    const boost::json::object dic{{"name", "Home"}, {"x", 10.0}, {"ratio", 0.5}, {"layers", boost::json::array{1, 2}}};
    const auto text = JsonSerialization::dataUTF8String(dic);
    ASSERT_TRUE(text.has_value());
    EXPECT_NE(text->find('\n'), std::string::npos) << "pretty-printed";
    EXPECT_NE(text->find("\"x\" : 10"), std::string::npos) << *text;
    EXPECT_EQ(text->find("E"), std::string::npos) << "no exponent forms: " << *text;
    // whole doubles come back as integers: the text carries no fraction for them
    EXPECT_EQ(JsonSerialization::json(*text),
              (boost::json::object{{"name", "Home"}, {"x", 10}, {"ratio", 0.5}, {"layers", boost::json::array{1, 2}}}));
}

TEST(JsonSerializationTest, DataUtf8StringGivesNothingForNumbersThatAreNotFinite)
{
    EXPECT_FALSE(JsonSerialization::dataUTF8String({{"x", std::numeric_limits<double>::infinity()}}).has_value());
    EXPECT_FALSE(JsonSerialization::dataUTF8String({{"a", {{"b", std::nan("")}}}}).has_value());
}

} // namespace
