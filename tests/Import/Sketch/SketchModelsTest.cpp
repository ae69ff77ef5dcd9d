#include "Import/Sketch/ArtboardSumModel.h"
#include "Import/Sketch/FrameModel.h"
#include "Import/Sketch/LayerModel.h"
#include "Import/Sketch/LayerSumModel.h"
#include "Import/Sketch/SketchExportableImageModel.h"
#include "Import/Sketch/SketchModelsMapper.h"
#include "platform/JsonText.h"

#include <gtest/gtest.h>

namespace {

boost::json::value parse(const std::string& text)
{
    auto parsed = platform::parseJson(text);
    EXPECT_TRUE(parsed.has_value()) << text;
    return parsed ? *parsed : boost::json::value();
}

struct RectCase {
    QRectF rect;
    double x, y, width, height;
};

TEST(FrameModelTest, RectValuesAreRoundedToOneDecimalHalvesAwayFromZero)
{
    const RectCase cases[] = {
        {QRectF(10.04, 10.05, 99.96, 0.25), 10.0, 10.1, 100.0, 0.3},
        {QRectF(-10.05, -0.25, 0.05, 0.15), -10.1, -0.3, 0.1, 0.2},
        {QRectF(1.449, 2.55, 3.0, 812.0), 1.4, 2.6, 3.0, 812.0},
        {QRectF(), 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const FrameModel frame(c.rect);
        EXPECT_DOUBLE_EQ(frame.x, c.x) << c.rect.x();
        EXPECT_DOUBLE_EQ(frame.y, c.y) << c.rect.y();
        EXPECT_DOUBLE_EQ(frame.width, c.width) << c.rect.width();
        EXPECT_DOUBLE_EQ(frame.height, c.height) << c.rect.height();
    }
    const FrameModel zero = FrameModel::zero();
    EXPECT_EQ(zero.x + zero.y + zero.width + zero.height, 0.0);
}

TEST(FrameModelTest, ContainsCountsBothEdgesAsInside)
{
    FrameModel frame;
    frame.x = 0;
    frame.y = 0;
    frame.width = 10;
    frame.height = 10;
    const struct {
        QPointF point;
        bool inside;
    } cases[] = {
        {{10, 10}, true}, {{0, 0}, true},     {{5, 5}, true},    {{10.01, 5}, false},
        {{5, -0.01}, false}, {{-0.01, 5}, false}, {{5, 10.01}, false}, {{0, 10}, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(frame.contains(c.point), c.inside) << c.point.x() << "," << c.point.y();

    FrameModel shifted = frame;
    shifted.x = 100;
    shifted.y = 200;
    EXPECT_TRUE(shifted.contains({110, 210}));
    EXPECT_FALSE(shifted.contains({5, 5}));
}

TEST(LayerModelTest, ReadsExportFormatsInOrderAndIgnoresFixedOptions)
{
    const auto layer = jsonmap::fromJson<LayerModel>(parse(R"({
        "_class": "rectangle", "do_objectID": "L1", "name": "icon",
        "frame": {"_class": "rect", "x": 1.5, "y": 2, "width": 30, "height": 40},
        "exportOptions": {"_class": "exportOptions", "layerOptions": 7, "shouldTrim": true,
            "includedLayerIds": ["a", "b"],
            "exportFormats": [
                {"_class": "exportFormat", "fileFormat": "png", "scale": 2, "name": "@2x", "absoluteSize": 0},
                {"_class": "exportFormat", "fileFormat": "svg", "scale": 1, "namingScheme": 1, "visibleScaleType": 2}]},
        "image": {"_class": "MSJSONFileReference", "_ref_class": "MSImageData", "_ref": "images/abc.png"},
        "symbolID": "S1", "hasClickThrough": true, "fillReplacesImage": true,
        "layers": [{"_class": "text", "do_objectID": "L2", "name": "label"}]
    })"));
    EXPECT_EQ(layer.class_, "rectangle");
    EXPECT_EQ(layer.do_objectID, "L1");
    EXPECT_DOUBLE_EQ(layer.frame.x, 1.5);
    EXPECT_DOUBLE_EQ(layer.frame.height, 40);
    ASSERT_EQ(layer.exportOptions.exportFormats.size(), 2u);
    EXPECT_EQ(layer.exportOptions.exportFormats[0].fileFormat, "png");
    EXPECT_DOUBLE_EQ(layer.exportOptions.exportFormats[0].scale, 2);
    EXPECT_EQ(layer.exportOptions.exportFormats[0].name, "@2x");
    EXPECT_EQ(layer.exportOptions.exportFormats[1].fileFormat, "svg");
    EXPECT_EQ(layer.exportOptions.exportFormats[1].namingScheme, 1);
    EXPECT_EQ(layer.exportOptions.exportFormats[1].visibleScaleType, 2);
    EXPECT_EQ(layer.exportOptions.includedLayerIds, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(layer.exportOptions.layerOptions, 0);
    EXPECT_FALSE(layer.exportOptions.shouldTrim);
    // fixed options are not written back either, so an upload never carries the document's values
    EXPECT_FALSE(jsonmap::toJsonObject(layer.exportOptions).contains("layerOptions"));
    EXPECT_EQ(layer.image.ref_class_, "MSImageData");
    EXPECT_EQ(layer.image.ref_, "images/abc.png");
    EXPECT_EQ(layer.symbolID, "S1");
    EXPECT_TRUE(layer.hasClickThrough);
    EXPECT_TRUE(layer.fillReplacesImage);
    ASSERT_EQ(layer.layers.size(), 1u);
    EXPECT_EQ(layer.layers[0]->name, "label");
    EXPECT_TRUE(layer.dict.empty()) << "the raw dictionary is set by the code that makes the model";
}

TEST(LayerSumModelTest, MapsNestedLayersAndSkipsStrayElements)
{
    const auto artboard = jsonmap::fromJson<ArtboardSumModel>(parse(R"({
        "_class": "artboard", "do_objectID": "A1", "name": "Home",
        "frame": {"x": 100, "y": 200, "width": 375, "height": 812},
        "layers": [
            {"_class": "group", "name": "g", "isVisible": true, "layers": [
                {"_class": "symbolInstance", "name": "btn", "symbolID": "S1", "frame": {"width": 10}},
                null, 3, "text",
                {"_class": "text", "name": "t"}]},
            [],
            {"_class": "shape", "name": "s"}]
    })"));
    EXPECT_EQ(artboard.do_objectID, "A1");
    EXPECT_EQ(artboard.name, "Home");
    EXPECT_DOUBLE_EQ(artboard.frame.x, 100);
    EXPECT_DOUBLE_EQ(artboard.frame.height, 812);
    ASSERT_EQ(artboard.layers.size(), 2u);
    for (const auto& layer : artboard.layers) ASSERT_NE(layer, nullptr);
    EXPECT_TRUE(artboard.layers[0]->isVisible);
    ASSERT_EQ(artboard.layers[0]->layers.size(), 2u);
    EXPECT_EQ(artboard.layers[0]->layers[0]->symbolID, "S1");
    EXPECT_DOUBLE_EQ(artboard.layers[0]->layers[0]->frame.width, 10);
    EXPECT_EQ(artboard.layers[0]->layers[1]->name, "t");
    EXPECT_EQ(artboard.layers[1]->name, "s");
    EXPECT_FALSE(artboard.previewImageData.has_value());
}

TEST(LayerSumModelTest, DeeplyNestedLayersMapWithoutExhaustingTheStack)
{
    // the parser's own depth bound is the deepest a document can get to the mapper
    constexpr int kLevels = 500;
    std::string text;
    for (int i = 0; i < kLevels; ++i) text += R"({"name":"n","layers":[)";
    text += "{}";
    for (int i = 0; i < kLevels; ++i) text += "]}";
    const auto model = jsonmap::fromJson<LayerSumModel>(parse(text));
    int depth = 0;
    const LayerSumModel* at = &model;
    while (!at->layers.empty()) {
        at = at->layers.front().get();
        ++depth;
    }
    EXPECT_EQ(depth, kLevels);
}

struct SketchColorCase {
    SketchColorModel input;
    double redF, greenF, blueF, alphaF;
    std::int64_t alphaInt;
    const char *redS, *greenS, *blueS, *alphaS;
};

TEST(SketchModelsMapperTest, MapSketchColorFillsAllThreeForms)
{
    const SketchColorCase cases[] = {
        {{0, 0, 0, 1}, 0, 0, 0, 1, 100, "0.0", "0.0", "0.0", "1.0"},
        {{1, 0.5, 0.2, 0.5}, 255, 128, 51, 0.5, 50, "255.0", "128.0", "51.0", "0.5"},
        {{0.001, 0.999, 0.502, 0.005}, 0, 255, 128, 0.01, 1, "0.0", "255.0", "128.0", "0.01"},
        {{0.25, 0.75, 1, 0.994}, 64, 191, 255, 0.99, 99, "64.0", "191.0", "255.0", "0.99"},
        {{0, 0, 0, 0}, 0, 0, 0, 0, 0, "0.0", "0.0", "0.0", "0.0"},
    };
    for (const auto& c : cases) {
        const ColorModel color = SketchModelsMapper::mapSketchColor(c.input);
        SCOPED_TRACE(c.redS);
        EXPECT_EQ(color.name, "");
        EXPECT_DOUBLE_EQ(color.redF, c.redF);
        EXPECT_DOUBLE_EQ(color.greenF, c.greenF);
        EXPECT_DOUBLE_EQ(color.blueF, c.blueF);
        EXPECT_DOUBLE_EQ(color.alphaF, c.alphaF);
        EXPECT_EQ(color.alphaInt, c.alphaInt);
        EXPECT_EQ(color.redS, c.redS);
        EXPECT_EQ(color.greenS, c.greenS);
        EXPECT_EQ(color.blueS, c.blueS);
        EXPECT_EQ(color.alphaS, c.alphaS);
        EXPECT_EQ(color.red, c.input.red);
        EXPECT_EQ(color.green, c.input.green);
        EXPECT_EQ(color.blue, c.input.blue);
        EXPECT_EQ(color.alpha, c.input.alpha);
    }
}

TEST(SketchModelsMapperTest, AlphaPercentIsNotOneBelowForBinaryFractions)
{
    // 0.29 * 100 is 28.999999999999996 in doubles; plain truncation gave one percent too little
    for (int percent = 0; percent <= 100; ++percent) {
        const ColorModel color = SketchModelsMapper::mapSketchColor({0, 0, 0, percent / 100.0});
        EXPECT_EQ(color.alphaInt, percent) << "alpha " << percent / 100.0;
    }
}

TEST(SketchExportableImageModelTest, RoundsTheSharedFrameSizeOnly)
{
    auto frame = std::make_shared<FrameModel>();
    frame->x = 1.04;
    frame->y = 2.06;
    frame->width = 10.04;
    frame->height = 33.35;
    SketchExportFormatItemModel format;
    format.fileFormat = "pdf";
    const SketchExportableImageModel image(format, std::string("logo"), frame, QStringLiteral("/tmp/out/logo.pdf"), "L9");
    EXPECT_EQ(image.do_objectID, "L9");
    EXPECT_EQ(image.formatModel.fileFormat, "pdf");
    EXPECT_EQ(image.name, "logo");
    EXPECT_EQ(image.url, QStringLiteral("/tmp/out/logo.pdf"));
    ASSERT_EQ(image.frame, frame);
    EXPECT_DOUBLE_EQ(frame->width, 10.0);
    EXPECT_DOUBLE_EQ(frame->height, 33.4);
    EXPECT_DOUBLE_EQ(frame->x, 1.04);
    EXPECT_DOUBLE_EQ(frame->y, 2.06);

    const SketchExportableImageModel withoutFrame(format, std::nullopt, nullptr, std::nullopt, "L10");
    EXPECT_EQ(withoutFrame.frame, nullptr);
    EXPECT_FALSE(withoutFrame.name.has_value());
}

} // namespace
