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

// A page whose groups nest `levels` deep, each one point right of and below its parent. Its JSON
// nests 2 × levels + 2 deep.
std::string nestedPage(int levels)
{
    std::string text = R"({"_class":"page","layers":[)";
    for (int i = 0; i < levels; ++i) text += R"({"_class":"group","frame":{"x":1,"y":1},"layers":[)";
    for (int i = 0; i < levels; ++i) text += "]}";
    return text + "]}";
}

// Regression: pages of any depth were parsed and walked recursively, so a crafted page could
// overflow the stack of the main thread.
TEST(SketchJsonDepth, DeeplyNestedPageOverflowedTheStack)
{
    const int atBound = (static_cast<int>(kMaxSketchJsonDepth) - 2) / 2;
    const std::vector<std::tuple<std::string, bool, bool>> cases = {
        // text, parses, reported as too deep
        {nestedPage(atBound), true, false},
        {nestedPage(atBound + 1), false, true},
        {nestedPage(200000), false, true},
        {std::string(100000, '[') + std::string(100000, ']'), false, true},
        {R"({"layers":[)", false, false},
        {"[1,2]", false, false},
    };
    for (const auto& [text, parses, reported] : cases) {
        QStringList printed;
        platform::setDebugCapture([&printed](const QString& line) { printed << line; });
        std::optional<boost::json::object> page = SketchFinderHelperUtils::parseSketchJson(text, "pages/P.json");
        platform::setDebugCapture(nullptr);
        EXPECT_EQ(page.has_value(), parses) << text.size() << " bytes";
        EXPECT_EQ(printed, reported ? QStringList{QStringLiteral("Skipping pages/P.json: JSON nests deeper than 256 levels")}
                                    : QStringList())
            << text.size() << " bytes";
        if (!page) continue;

        // The deepest page that parses is walked to its last layer.
        BaseSModel model;
        model.dict = std::move(*page);
        for (SketchLayerKeys key : {SketchLayerKeys::kExportables, SketchLayerKeys::kSymbolInstances, SketchLayerKeys::kLayer})
            model.findDictionary(key, true);
        std::string deepest;
        for (int i = 0; i < atBound; ++i) deepest += "/layers/0";
        const std::string n = std::to_string(atBound);
        EXPECT_EQ(jsonAt(model.dict, deepest + "/ZVNodeLevel"), n);
        EXPECT_EQ(jsonAt(model.dict, deepest + "/ZVExactOrigin"), "{\"x\":" + n + ",\"y\":" + n + "}");
    }
}

TEST(SketchJsonDepth, TreeBuiltDeeperThanTheBoundIsWalkedOnlyToTheBound)
{
    const int levels = 2 * static_cast<int>(kMaxSketchJsonDepth);
    BaseSModel page;
    boost::json::object* current = &page.dict;
    for (int i = 0; i < levels; ++i)
        current = &(*current)["layers"].emplace_array().emplace_back(boost::json::object{{"_class", "group"}}).as_object();

    const auto found = page.findDictionary(SketchLayerKeys::kLayer, true);
    // One layer per level down to the bound, none below it.
    EXPECT_EQ(found.size(), kMaxSketchJsonDepth + 1);
}

} // namespace
