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

struct Carried : jsonmap::OpaqueObject {};

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


namespace {
struct Shared {
    std::shared_ptr<Inner> always = std::make_shared<Inner>();
    std::shared_ptr<Inner> maybe;
    OrderedMap<std::string, int> ordered;
    jsonmap::OpaqueObject opaque;
    std::optional<jsonmap::OpaqueObject> maybeOpaque;
};
BOOST_DESCRIBE_STRUCT(Shared, (), (always, maybe, ordered, opaque, maybeOpaque))
} // namespace

TEST(JsonMapping, SharedRecordsOrderedMapsAndOpaqueObjects)
{
    const struct {
        const char* body;
        int always;       // count of the always-present record
        bool maybe;       // the optional record is present
        const char* keys; // ordered map keys in order
        bool maybeOpaque;
    } cases[] = {
        {"{}", 7, false, "", false},
        {R"({"always":null,"maybe":null,"ordered":null,"opaque":null,"maybeOpaque":null})", 7, false, "", false},
        {R"({"always":3,"maybe":[],"ordered":[1],"opaque":"x","maybeOpaque":5})", 7, false, "", false},
        // keys in any order, repeated members of the map in reply order
        {R"({"maybeOpaque":{"k":[1]},"ordered":{"z":1,"a":2,"m":3},"maybe":{"count":2},"always":{"count":4}})", 4, true,
         "zam", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.body);
        const auto s = jsonmap::fromJson<Shared>(*platform::parseJson(c.body));
        ASSERT_TRUE(s.always);
        EXPECT_EQ(s.always->count, c.always);
        EXPECT_EQ(static_cast<bool>(s.maybe), c.maybe);
        std::string keys;
        for (const auto& [key, value] : s.ordered) keys += key;
        EXPECT_EQ(keys, c.keys);
        EXPECT_EQ(s.maybeOpaque.has_value(), c.maybeOpaque);
        // what was read is written back as it came
        EXPECT_EQ(jsonmap::fromJson<Shared>(jsonmap::write(s)).ordered.size(), s.ordered.size());
        if (s.maybeOpaque) {
            EXPECT_EQ(jsonmap::write(s).at("maybeOpaque"), platform::parseJson(R"({"k":[1]})").value());
        }
    }
}

// A reply's object is read in place, without first becoming a value of its own; the records and
// the tolerance must be those of the value road, for records and for what is not a record.
TEST(JsonMapping, AnObjectHeldOnItsOwnReadsAsItsValueDoes)
{
    const char* bodies[] = {
        R"({"_class":null,"width":"wide","flag":1,"maybe":5,"items":{},"inner":[],"table":3})",
        R"({"_class":"group","width":2,"flag":false,"maybe":"m","items":[{"count":1},null,{"label":"b"}],)"
        R"("inner":{"count":4.0},"table":{"b":2,"a":1},"lang":"fr","unknown":[1]})",
        R"({"always":{"count":4},"maybe":{"count":2},"ordered":{"z":1,"a":2},"opaque":{"k":[1]},"maybeOpaque":null})",
    };
    for (const char* body : bodies) {
        SCOPED_TRACE(body);
        const boost::json::value value = *platform::parseJson(body);
        const boost::json::object& object = value.get_object();
        EXPECT_EQ(jsonmap::write(jsonmap::fromJson<Outer>(object)), jsonmap::write(jsonmap::fromJson<Outer>(value)));
        EXPECT_EQ(jsonmap::write(jsonmap::fromJson<Shared>(object)), jsonmap::write(jsonmap::fromJson<Shared>(value)));
        EXPECT_EQ(jsonmap::fromJson<Carried>(object).raw, object);
        EXPECT_EQ((jsonmap::fromJson<std::map<std::string, boost::json::value>>(object).size()), object.size());
    }
}
