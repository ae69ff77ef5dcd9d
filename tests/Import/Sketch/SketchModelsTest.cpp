#include "Import/Sketch/ArtboardSumModel.h"
#include "Import/Sketch/FrameModel.h"
#include "Import/Sketch/LayerModel.h"
#include "Import/Sketch/LayerSumModel.h"
#include "Import/Sketch/SketchModelsMapper.h"
#include "platform/JsonText.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

template <class Model>
Model mapped(const std::string& text)
{
    const auto parsed = platform::parseJson(text);
    EXPECT_TRUE(parsed.has_value()) << text;
    return jsonmap::fromJson<Model>(parsed ? *parsed : boost::json::value());
}

TEST(FrameModelTest, RectValuesAreRoundedToOneDecimalHalvesAwayFromZero)
{
    const struct {
        QRectF rect;
        double x, y, width, height;
    } cases[] = {
        {QRectF(10.04, 10.05, 99.96, 0.25), 10.0, 10.1, 100.0, 0.3},
        {QRectF(-10.05, -0.25, 0.05, 0.15), -10.1, -0.3, 0.1, 0.2},
    };
    for (const auto& c : cases) {
        const FrameModel frame(c.rect);
        EXPECT_EQ(std::tie(frame.x, frame.y, frame.width, frame.height), std::tie(c.x, c.y, c.width, c.height))
            << c.rect.x() << " " << c.rect.y() << " " << c.rect.width() << " " << c.rect.height();
    }
}

TEST(FrameModelTest, ContainsCountsBothEdgesAsInside)
{
    FrameModel frame;
    frame.x = 100;
    frame.y = 200;
    frame.width = 10;
    frame.height = 10;
    const struct {
        QPointF point;
        bool inside;
    } cases[] = {
        {{110, 210}, true}, {{100, 200}, true}, {{105, 205}, true}, {{110.01, 205}, false}, {{105, 199.99}, false},
    };
    for (const auto& c : cases) EXPECT_EQ(frame.contains(c.point), c.inside) << c.point.x() << "," << c.point.y();
}

TEST(LayerModelTest, ReadsExportFormatsInOrderAndNeverWritesFixedOptionsBack)
{
    const auto layer = mapped<LayerModel>(R"({
        "_class": "rectangle", "do_objectID": "L1", "symbolID": "S1",
        "exportOptions": {"_class": "exportOptions", "layerOptions": 7, "shouldTrim": true,
            "exportFormats": [{"fileFormat": "png", "scale": 2, "name": "@2x"}, {"fileFormat": "svg", "scale": 1}]},
        "image": {"_class": "MSJSONFileReference", "_ref_class": "MSImageData", "_ref": "images/abc.png"},
        "layers": [{"_class": "text", "do_objectID": "L2", "name": "label"}]
    })");
    EXPECT_EQ(std::tie(layer.class_, layer.do_objectID, layer.symbolID), std::tuple("rectangle", "L1", "S1"));
    const auto& formats = layer.exportOptions.exportFormats;
    ASSERT_EQ(formats.size(), 2u);
    EXPECT_EQ(std::tie(formats[0].fileFormat, formats[0].scale, formats[0].name), std::tuple("png", 2.0, "@2x"));
    EXPECT_EQ(formats[1].fileFormat, "svg");
    // so an upload never carries the document's values
    EXPECT_FALSE(jsonmap::toJsonObject(layer.exportOptions).contains("layerOptions"));
    EXPECT_EQ(std::tie(layer.image.ref_class_, layer.image.ref_), std::tuple("MSImageData", "images/abc.png"));
    ASSERT_EQ(layer.layers.size(), 1u);
    EXPECT_EQ(layer.layers[0]->name, "label");
}

TEST(LayerSumModelTest, MapsNestedLayersAndSkipsStrayElements)
{
    const auto artboard = mapped<ArtboardSumModel>(R"({
        "_class": "artboard", "do_objectID": "A1", "name": "Home",
        "frame": {"x": 100, "y": 200, "width": 375, "height": 812},
        "layers": [
            {"_class": "group", "name": "g", "isVisible": true, "layers": [
                {"_class": "symbolInstance", "name": "btn", "symbolID": "S1", "frame": {"width": 10}},
                null, 3, "text",
                {"_class": "text", "name": "t"}]},
            [],
            {"_class": "shape", "name": "s"}]
    })");
    EXPECT_EQ(std::tie(artboard.do_objectID, artboard.name, artboard.frame.height), std::tuple("A1", "Home", 812.0));
    ASSERT_EQ(artboard.layers.size(), 2u);
    ASSERT_NE(artboard.layers[0], nullptr);
    ASSERT_NE(artboard.layers[1], nullptr);
    EXPECT_TRUE(artboard.layers[0]->isVisible);
    const auto& inner = artboard.layers[0]->layers;
    ASSERT_EQ(inner.size(), 2u);
    EXPECT_EQ(std::tie(inner[0]->symbolID, inner[0]->frame.width), std::tuple("S1", 10.0));
    EXPECT_EQ(inner[1]->name, "t");
    EXPECT_EQ(artboard.layers[1]->name, "s");
}

TEST(LayerSumModelTest, DeeplyNestedLayersMapWithoutExhaustingTheStack)
{
    // the parser's own depth bound is the deepest a document can get to the mapper
    constexpr int kLevels = 500;
    std::string text;
    for (int i = 0; i < kLevels; ++i) text += R"({"name":"n","layers":[)";
    text += "{}";
    for (int i = 0; i < kLevels; ++i) text += "]}";
    const auto model = mapped<LayerSumModel>(text);
    int depth = 0;
    for (const LayerSumModel* at = &model; !at->layers.empty(); at = at->layers.front().get()) ++depth;
    EXPECT_EQ(depth, kLevels);
}

TEST(SketchModelsMapperTest, MapSketchColorFillsAllThreeForms)
{
    const struct {
        SketchColorModel input;
        double redF, greenF, blueF, alphaF;
        std::int64_t alphaInt;
        const char *redS, *greenS, *blueS, *alphaS;
    } cases[] = {
        {{0, 0, 0, 1}, 0, 0, 0, 1, 100, "0.0", "0.0", "0.0", "1.0"},
        {{1, 0.5, 0.2, 0.5}, 255, 128, 51, 0.5, 50, "255.0", "128.0", "51.0", "0.5"},
        {{0.001, 0.999, 0.502, 0.005}, 0, 255, 128, 0.01, 1, "0.0", "255.0", "128.0", "0.01"},
        {{0.25, 0.75, 1, 0.994}, 64, 191, 255, 0.99, 99, "64.0", "191.0", "255.0", "0.99"},
    };
    for (const auto& c : cases) {
        const ColorModel color = SketchModelsMapper::mapSketchColor(c.input);
        SCOPED_TRACE(c.redS);
        EXPECT_EQ(std::tie(color.redF, color.greenF, color.blueF, color.alphaF, color.alphaInt),
                  std::tie(c.redF, c.greenF, c.blueF, c.alphaF, c.alphaInt));
        EXPECT_EQ(std::tie(color.redS, color.greenS, color.blueS, color.alphaS),
                  std::tuple(c.redS, c.greenS, c.blueS, c.alphaS));
        EXPECT_EQ(std::tie(color.red, color.green, color.blue, color.alpha),
                  std::tie(c.input.red, c.input.green, c.input.blue, c.input.alpha));
    }
}

TEST(SketchModelsMapperTest, AlphaPercentIsNotOneBelowForBinaryFractions)
{
    // 0.29 * 100 is 28.999999999999996 in doubles; plain truncation gave one percent too little
    for (int percent = 0; percent <= 100; ++percent)
        EXPECT_EQ(SketchModelsMapper::mapSketchColor({0, 0, 0, percent / 100.0}).alphaInt, percent) << percent;
}

} // namespace
