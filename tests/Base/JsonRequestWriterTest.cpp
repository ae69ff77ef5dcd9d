#include "Base/JsonRequestWriter.h"

#include "platform/JsonText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

struct WriterCase {
    std::string name;
    boost::json::value body;
};

boost::json::value importLikeBody()
{
    const char* names[] = {"Home", "Screen \"2\" é\n", "Profile/Ü"};
    boost::json::array artboards;
    for (int i = 0; i < 3; ++i) {
        artboards.push_back({{"oid", i},
                             {"name", names[i]},
                             {"frame", {{"x", 0.5 * i}, {"y", 1e-7}, {"width", 375}, {"height", 812.25}}},
                             {"jsonString", "{\n  \"_class\" : \"artboard\",\n  \"x\" : 1.5\n}"}});
    }
    return {{"projectId", "p"},
            {"artboards", std::move(artboards)},
            {"symbolMasters", boost::json::array()},
            {"textStyles", boost::json::array{{{"jsonString", "{}"}}, nullptr, true, 17, -3.25}},
            {"empty", boost::json::object()},
            {"key with \"quotes\" and \\ and \t", {{"deeper", {{"still", boost::json::array{1, 2, {{"x", 1}}}}}}}},
            {"lang", "en"}};
}

TEST(JsonRequestWriter, WritesTheSameBytesAsTheWriterInOneGo)
{
    const std::vector<WriterCase> cases = {
        {"an import request", importLikeBody()},
        {"an empty object", boost::json::object()},
        {"a list at the top", boost::json::array{{{"a", 1}}, boost::json::array{}, "x", 2.5}},
        {"a lone string", "text \"quoted\"\n"},
        {"a lone number", 4.0},
        {"null", nullptr},
        {"invalid UTF-8 in a nested key and value", {{"list", boost::json::array{{{"k\xff", "v\xfe"}}}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto expected = platform::jsonText(c.body);
        ASSERT_TRUE(expected);
        boost::json::value body = c.body;
        const auto written = JsonRequestWriter::take(body);
        ASSERT_TRUE(written);
        EXPECT_EQ(written->toStdString(), *expected);
        EXPECT_TRUE(body.is_null()) << "the tree is let go once written";
    }
}

TEST(JsonRequestWriter, ANumberJsonCannotCarryFailsTheWholeBodyAtAnyDepth)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<WriterCase> cases = {
        {"at the top", {{"x", nan}}},
        {"in a record of a list", {{"artboards", boost::json::array{{{"ok", 1}}, {{"frame", {{"x", inf}}}}}}}},
        {"deep inside a record", {{"a", boost::json::array{{{"b", {{"c", boost::json::array{-inf}}}}}}}}},
        {"alone", nan},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(platform::jsonText(c.body));
        boost::json::value body = c.body;
        EXPECT_FALSE(JsonRequestWriter::take(body));
        EXPECT_TRUE(body.is_null());
    }
}

} // namespace
