#include "platform/JsonText.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

using platform::JsonStyle;

namespace {

std::uint64_t bits(double d) { return std::bit_cast<std::uint64_t>(d); }

// The nearest double to `text`, from the standard library's correctly rounded reader.
double nearestDouble(const std::string& text)
{
    double d = 0;
    std::from_chars(text.data(), text.data() + text.size(), d);
    return d;
}

std::string shortestText(double d)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, d);
    return std::string(buf, r.ptr);
}

std::string nested(int depth) { return std::string(static_cast<std::size_t>(depth), '[') + std::string(static_cast<std::size_t>(depth), ']'); }

} // namespace

// ---- writing

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

TEST(JsonText, DecimalTextAlwaysHasAFraction)
{
    EXPECT_EQ(platform::decimalText(4), "4.0");
    EXPECT_EQ(platform::decimalText(1.5), "1.5");
    EXPECT_EQ(platform::decimalText(0.1), "0.1");
    EXPECT_EQ(platform::decimalText(-3), "-3.0");
}

// ---- reading numbers

// boost's own reader turned "499.20000000001164" into 499.2000000000117, so a frame value of an
// uploaded artboard changed in its last digit between reading the page and writing it back.
TEST(JsonText, DesignValueKeepsItsLastDigitThroughParseAndWrite)
{
    const std::string page = "{\"_class\":\"artboard\",\"frame\":{\"_class\":\"rect\",\"x\":499.20000000001164,"
                             "\"y\":-0.30000000000000004,\"width\":375,\"height\":812.5}}";
    auto parsed = platform::parseJsonObject(page);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(*platform::jsonText(*parsed), page);
}

TEST(JsonText, ReadsEveryDecimalAsTheNearestDouble)
{
    struct Case {
        const char* text;
        const char* written; // what jsonText makes of the value read
    } cases[] = {
        {"499.20000000001164", "499.20000000001164"},
        {"0.1", "0.1"},
        {"1e-7", "1e-07"},
        {"123456.789", "123456.789"},
        {"0.30000000000000004", "0.30000000000000004"},
        {"1.7976931348623157e308", "1.7976931348623157e+308"},
        {"2.2250738585072011e-308", "2.225073858507201e-308"},
        {"4.9e-324", "5e-324"},
        {"2.4703282292062328e-324", "5e-324"}, // just above half the smallest double: rounds up, not to zero
        {"9007199254740993.0", "9007199254740992"}, // halfway between two doubles: to even
        // 1 + 2^-53 exactly is halfway and goes to even; one more digit far out tips it up.
        {"1.00000000000000011102230246251565404236316680908203125", "1"},
        {"1.000000000000000111022302462515654042363166809082031250000000001", "1.0000000000000002"},
        {"123456789012345678901234567890", "1.2345678901234568e+29"},
        {"-9223372036854775809", "-9223372036854775808"},
        {"18446744073709551616", "18446744073709551616"},
        {"1E2", "100"},
        {"-2.5e+3", "-2500"},
        // The sign of zero is read; the writer prints whole values as integers, which drops it.
        {"-0.0", "0"},
    };
    for (const auto& c : cases) {
        auto v = platform::parseJson(c.text);
        ASSERT_TRUE(v) << c.text;
        ASSERT_TRUE(v->is_double()) << c.text;
        EXPECT_EQ(bits(v->get_double()), bits(nearestDouble(c.text))) << c.text;
        EXPECT_EQ(*platform::jsonText(*v), c.written) << c.text;
    }
}

TEST(JsonText, ReadsNumbersBeyondTheDoubleRangeAsInfinityOrZero)
{
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* text;
        double value;
    } cases[] = {
        {"1e400", inf},
        {"-1e400", -inf},
        {"1.7976931348623159e308", inf},
        {"1.7976931348623158e308", std::numeric_limits<double>::max()},
        {"1e-400", 0.0},
        {"-1e-400", -0.0},
        {"2.4703282292062327e-324", 0.0},
        {"-0.0", -0.0},
    };
    for (const auto& c : cases) {
        auto v = platform::parseJson(c.text);
        ASSERT_TRUE(v) << c.text;
        ASSERT_TRUE(v->is_double()) << c.text;
        EXPECT_EQ(bits(v->get_double()), bits(c.value)) << c.text;
    }
}

TEST(JsonText, KeepsIntegersThatFitSixtyFourBitsAsIntegers)
{
    struct Case {
        const char* text;
        boost::json::value value;
    } cases[] = {
        {"0", std::int64_t{0}},
        {"-0", std::int64_t{0}},
        {"375", std::int64_t{375}},
        {"9223372036854775807", std::numeric_limits<std::int64_t>::max()},
        {"-9223372036854775808", std::numeric_limits<std::int64_t>::min()},
        {"9223372036854775808", std::uint64_t{9223372036854775808u}},
        {"18446744073709551615", std::numeric_limits<std::uint64_t>::max()},
    };
    for (const auto& c : cases) {
        auto v = platform::parseJson(c.text);
        ASSERT_TRUE(v) << c.text;
        EXPECT_EQ(v->kind(), c.value.kind()) << c.text;
        EXPECT_EQ(*v, c.value) << c.text;
    }
}

TEST(JsonText, HundredThousandRandomDoublesReadBackBitIdentical)
{
    // Random bit patterns reach every magnitude, subnormals included; a third are design-sized
    // coordinates in their shortest text, and a third short decimals of up to 16 digits with the
    // point anywhere (trailing zeros included), as hand-made values are written.
    std::mt19937_64 rng(20240611);
    std::uniform_real_distribution<double> coordinate(-5000.0, 5000.0);
    std::uniform_int_distribution<int> digitCount(1, 16);
    std::vector<double> values;
    std::vector<std::string> texts;
    std::string text = "[";
    while (values.size() < 100000) {
        std::string number;
        switch (values.size() % 3) {
        case 0: number = shortestText(std::bit_cast<double>(rng())); break;
        case 1: number = shortestText(coordinate(rng)); break;
        default: {
            // `count` digits, the point after the first `point` of them (or "0." before them all).
            const int count = digitCount(rng);
            const int point = static_cast<int>(rng() % static_cast<std::uint64_t>(count));
            number = rng() % 2 ? "-" : "";
            if (point == 0) number += '0';
            for (int i = 0; i < count; ++i) {
                if (i == point) number += '.';
                number += static_cast<char>(i == 0 && point > 0 ? '1' + rng() % 9 : '0' + rng() % 10);
            }
            break;
        }
        }
        const double d = nearestDouble(number);
        if (!std::isfinite(d)) continue;
        if (!values.empty()) text += ',';
        text += number;
        values.push_back(d);
        texts.push_back(std::move(number));
    }
    text += ']';

    auto v = platform::parseJson(text);
    ASSERT_TRUE(v);
    const auto& a = v->get_array();
    ASSERT_EQ(a.size(), values.size());
    std::size_t wrong = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const double got = a[i].is_double() ? a[i].get_double() : a[i].to_number<double>();
        if (bits(got) != bits(values[i]) && wrong++ < 5) ADD_FAILURE() << texts[i] << " read as " << shortestText(got);
    }
    EXPECT_EQ(wrong, 0u);

    // What the writer makes of them reads back the same again.
    auto again = platform::parseJson(*platform::jsonText(*v));
    ASSERT_TRUE(again);
    const auto& b = again->get_array();
    ASSERT_EQ(b.size(), values.size());
    wrong = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (b[i].to_number<double>() != values[i] && wrong++ < 5) ADD_FAILURE() << texts[i] << " came back as " << b[i];
    }
    EXPECT_EQ(wrong, 0u);
}

// ---- reading everything else

// Apart from the decimals, reading must be what strict boost::json::parse does: the same values
// for the same texts and the same refusals with the same messages.
TEST(JsonText, AcceptsAndRefusesExactlyWhatStrictParsingDoes)
{
    const char* texts[] = {
        // accepted
        "{\"a\":[1,-2,true,false,null],\"b\":{\"c\":\"d\"}}",
        "  [ \"\\u00e9\\n\\t\\\"\\\\\\/\", \"\xC3\xA9\", \"\\ud83d\\ude00\", \"\" ]  ",
        "{\"dup\":1,\"dup\":2}",
        "\"top-level string\"",
        "[[],{},[{}]]",
        // refused
        "",
        "   ",
        "{\"a\":",
        "[1.",
        "[1.5",
        "[1e",
        "[-]",
        "[1,]",
        "{\"a\":1,}",
        "// note\n1",
        "[1] /* note */",
        "\"\xFF\"",
        "1 2",
        "01",
        "[.5]",
        "NaN",
        "[Infinity]",
        "1e99999999999",
        "{'a':1}",
        "[\"\\x\"]",
    };
    for (const char* text : texts) {
        boost::json::parse_options opts;
        opts.max_depth = platform::kDefaultMaxJsonDepth;
        boost::system::error_code ec;
        const boost::json::value expected = boost::json::parse(text, ec, {}, opts);

        std::string error;
        auto v = platform::parseJson(text, &error);
        EXPECT_EQ(v.has_value(), !ec) << text;
        if (v) {
            EXPECT_EQ(*v, expected) << text;
        } else {
            EXPECT_EQ(error, ec.message()) << text;
        }
    }
}

TEST(JsonText, RefusesNestingDeeperThanTheLimit)
{
    struct Case {
        int depth;
        unsigned maxDepth;
        bool accepted;
    } cases[] = {
        {100, 200, true},
        {100, 100, true},
        {101, 100, false},
        {100, 50, false},
        {1024, platform::kDefaultMaxJsonDepth, true},
        {1025, platform::kDefaultMaxJsonDepth, false},
        {100000, platform::kDefaultMaxJsonDepth, false},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_EQ(platform::parseJson(nested(c.depth), &error, c.maxDepth).has_value(), c.accepted) << c.depth << " / " << c.maxDepth;
        EXPECT_EQ(error.empty(), c.accepted) << c.depth << " / " << c.maxDepth;
    }
}

TEST(JsonText, ReadsOnlyObjectsAsObjects)
{
    struct Case {
        const char* text;
        bool accepted;
    } cases[] = {
        {"{\"k\":[1,2.25]}", true},
        {"{}", true},
        {"[1]", false},
        {"1.5", false},
        {"null", false},
        {"{\"k\":", false},
    };
    for (const auto& c : cases) {
        std::string error;
        auto o = platform::parseJsonObject(c.text, &error);
        EXPECT_EQ(o.has_value(), c.accepted) << c.text;
        EXPECT_EQ(error.empty(), c.accepted) << c.text;
    }
}
