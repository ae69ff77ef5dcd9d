#include "platform/JsonText.h"

#include <gtest/gtest.h>

using platform::JsonStyle;

TEST(JsonText, WritesNumbersInPlainDecimalForms)
{
    struct Case {
        double value;
        const char* text;
    } cases[] = {
        {2.0, "2"}, {1.5, "1.5"}, {-0.25, "-0.25"}, {375.0, "375"}, {0.1, "0.1"}, {1e-7, "1e-07"}, {123456.789, "123456.789"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(*platform::jsonText(boost::json::value(c.value)), c.text) << c.value;
    }
}

TEST(JsonText, PrettyPrintsWithTwoSpacesAndSpacedColons)
{
    boost::json::object o;
    o["a"] = 1;
    o["b"] = boost::json::array{true, nullptr};
    o["c"] = boost::json::object{};
    EXPECT_EQ(*platform::jsonText(o, JsonStyle::Pretty), "{\n  \"a\" : 1,\n  \"b\" : [\n    true,\n    null\n  ],\n  \"c\" : {}\n}");
    EXPECT_EQ(*platform::jsonText(o), "{\"a\":1,\"b\":[true,null],\"c\":{}}");
}

TEST(JsonText, EscapesControlCharactersAndReplacesInvalidUtf8)
{
    boost::json::value s = boost::json::string("a\"b\\c\n\x01 \xC3\xA9 \xFF/");
    EXPECT_EQ(*platform::jsonText(s), "\"a\\\"b\\\\c\\n\\u0001 \xC3\xA9 \xEF\xBF\xBD/\"");
}

TEST(JsonText, ParsingNeverThrowsAndBoundsDepth)
{
    std::string err;
    EXPECT_FALSE(platform::parseJson("{\"a\":", &err));
    EXPECT_FALSE(err.empty());
    std::string deep(100, '[');
    deep += std::string(100, ']');
    EXPECT_TRUE(platform::parseJson(deep, nullptr, 200));
    EXPECT_FALSE(platform::parseJson(deep, nullptr, 50));
    EXPECT_FALSE(platform::parseJsonObject("[1]"));
    EXPECT_TRUE(platform::parseJsonObject("{\"k\":[1,2]}"));
}

TEST(JsonText, DecimalTextAlwaysHasAFraction)
{
    EXPECT_EQ(platform::decimalText(4), "4.0");
    EXPECT_EQ(platform::decimalText(1.5), "1.5");
    EXPECT_EQ(platform::decimalText(0.1), "0.1");
    EXPECT_EQ(platform::decimalText(-3), "-3.0");
}
