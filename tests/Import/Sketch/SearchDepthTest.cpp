#include "FixtureDocument.h"

#include "Import/Sketch/BaseSModel.h"
#include "Import/Sketch/SketchFinderHelperUtils.h"
#include "Import/Sketch/SketchLayerKeys.h"
#include "platform/DebugLog.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <string>

namespace {

using namespace sketchtest;

// A page whose layers nest `levels` deep, each one point further right and down than its parent.
// Its JSON nests 2 × levels + 2 deep (the innermost frame and layer list).
std::string nestedPage(int levels)
{
    std::string text = R"({"_class":"page","layers":[)";
    for (int i = 0; i < levels; ++i) text += R"({"_class":"group","frame":{"x":1,"y":1},"layers":[)";
    for (int i = 0; i < levels; ++i) text += "]}";
    text += "]}";
    return text;
}

// Objects nested `depth` deep.
std::string nestedObjects(int depth)
{
    std::string text;
    for (int i = 1; i < depth; ++i) text += R"({"a":)";
    text += "{}";
    for (int i = 1; i < depth; ++i) text += "}";
    return text;
}

class DebugLines {
public:
    DebugLines() { platform::setDebugCapture([this](const QString& line) { m_lines << line; }); }
    ~DebugLines() { platform::setDebugCapture(nullptr); }
    QStringList lines() const { return m_lines; }

private:
    QStringList m_lines;
};

struct DepthCase {
    std::string text;
    bool parses;
    bool reported;
};

// Regression: pages of any nesting depth were parsed and walked recursively, so a crafted page
// could overflow the stack of the main thread.
TEST(SketchJsonDepth, DeeplyNestedPageOverflowedTheStack)
{
    const int bound = static_cast<int>(kMaxSketchJsonDepth);
    const std::vector<DepthCase> cases = {
        {nestedObjects(bound), true, false},
        {nestedObjects(bound + 1), false, true},
        {nestedPage((bound - 2) / 2), true, false},
        {nestedPage((bound - 2) / 2 + 1), false, true},
        {nestedPage(200000), false, true},
        {std::string(100000, '[') + std::string(100000, ']'), false, true},
        {R"({"layers":[)", false, false},
        {"[1,2]", false, false},
        {"", false, false},
    };
    for (const DepthCase& c : cases) {
        DebugLines debug;
        const auto parsed = SketchFinderHelperUtils::parseSketchJson(c.text, "pages/P.json");
        EXPECT_EQ(parsed.has_value(), c.parses) << c.text.substr(0, 60) << " (" << c.text.size() << " bytes)";
        if (c.reported) {
            EXPECT_EQ(debug.lines(), QStringList{QStringLiteral("Skipping pages/P.json: JSON nests deeper than 256 levels")});
        } else {
            EXPECT_TRUE(debug.lines().isEmpty()) << debug.lines().join(QLatin1Char('\n')).toStdString();
        }
    }
}

TEST(SketchJsonDepth, PageAtTheBoundIsWalkedToItsDeepestLayer)
{
    const int levels = (static_cast<int>(kMaxSketchJsonDepth) - 2) / 2;
    auto parsed = SketchFinderHelperUtils::parseSketchJson(nestedPage(levels), "pages/P.json");
    ASSERT_TRUE(parsed.has_value());
    BaseSModel page;
    page.dict = std::move(*parsed);

    for (SketchLayerKeys key : {SketchLayerKeys::kExportables, SketchLayerKeys::kSymbolInstances, SketchLayerKeys::kLayer})
        page.findDictionary(key, true);

    std::string deepest;
    for (int i = 0; i < levels; ++i) deepest += "/layers/0";
    EXPECT_EQ(jsonAt(page.dict, deepest + "/ZVNodeLevel"), std::to_string(levels));
    EXPECT_EQ(jsonAt(page.dict, deepest + "/ZVExactOrigin"),
              "{\"x\":" + std::to_string(levels) + ",\"y\":" + std::to_string(levels) + "}");
}

TEST(SketchJsonDepth, TreeBuiltDeeperThanTheBoundIsWalkedOnlyToTheBound)
{
    const int levels = 2 * static_cast<int>(kMaxSketchJsonDepth);
    BaseSModel page;
    boost::json::object* current = &page.dict;
    for (int i = 0; i < levels; ++i) {
        boost::json::array& layers = (*current)["layers"].emplace_array();
        current = &layers.emplace_back(boost::json::object{{"_class", "group"}}).as_object();
    }

    const auto found = page.findDictionary(SketchLayerKeys::kLayer, true);
    EXPECT_GT(found.size(), 100u);
    EXPECT_LT(found.size(), static_cast<std::size_t>(levels));
}

} // namespace
