#include "Base/BaseModel.h"

#include "platform/JsonText.h"

#include <gtest/gtest.h>

namespace {
struct Inner {
    int count = 7;
    std::string label = "x";
};
BOOST_DESCRIBE_STRUCT(Inner, (), (count, label))

struct Outer : BaseRequestModel {
    std::string class_;
    double width = 1.5;
    bool flag = true;
    std::optional<std::string> maybe;
    std::vector<Inner> items;
    Inner inner;
    std::map<std::string, int> table;
};
BOOST_DESCRIBE_STRUCT(Outer, (BaseRequestModel), (class_, width, flag, maybe, items, inner, table))

Outer parse(const char* text)
{
    return jsonmap::fromJson<Outer>(*platform::parseJson(text));
}
} // namespace

TEST(JsonMapping, AbsentNullOrMistypedValuesKeepDefaults)
{
    const char* bodies[] = {
        "{}",
        R"({"_class":null,"width":"wide","flag":1,"maybe":5,"items":{},"inner":[],"table":3})",
        R"({"_class":12,"width":null,"flag":"true","items":null,"inner":"x"})",
    };
    for (const char* body : bodies) {
        const Outer o = parse(body);
        EXPECT_EQ(o.class_, "") << body;
        EXPECT_DOUBLE_EQ(o.width, 1.5) << body;
        EXPECT_TRUE(o.flag) << body;
        EXPECT_FALSE(o.maybe.has_value()) << body;
        EXPECT_TRUE(o.items.empty()) << body;
        EXPECT_EQ(o.inner.count, 7) << body;
        EXPECT_EQ(o.lang, "en") << body;
    }
}

TEST(JsonMapping, IntegersTakeIntegralDoublesInRangeOnly)
{
    struct Case {
        const char* body;
        int expected;
    } cases[] = {
        {R"({"count":4.0})", 4}, {R"({"count":4.9})", 4}, {R"({"count":1e12})", 7}, {R"({"count":-3})", -3},
        {R"({"count":18446744073709551615})", 7},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(jsonmap::fromJson<Inner>(*platform::parseJson(c.body)).count, c.expected) << c.body;
    }
}

TEST(JsonMapping, WritesEveryFieldSoARoundTripLosesNothing)
{
    Outer o;
    o.class_ = "symbolMaster";
    o.items = {Inner{1, "one"}};
    o.table = {{"z", 26}};
    const boost::json::object written = jsonmap::toJsonObject(o);
    EXPECT_TRUE(written.contains("_class"));
    EXPECT_TRUE(written.contains("lang"));
    EXPECT_TRUE(written.contains("version"));
    EXPECT_TRUE(written.at("maybe").is_null());
    const Outer back = jsonmap::fromJson<Outer>(written);
    EXPECT_EQ(back.class_, "symbolMaster");
    EXPECT_EQ(back.items[0].label, "one");
    EXPECT_EQ(back.table.at("z"), 26);
    EXPECT_EQ(jsonmap::toJsonObject(back), written);
}

