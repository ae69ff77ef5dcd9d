#include "Editor/ColorModel.h"
#include "platform/EventSinks.h"
#include "platform/JsonText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

ColorModel fractions(double red, double green, double blue, double alphaF)
{
    ColorModel color;
    color.red = red;
    color.green = green;
    color.blue = blue;
    color.alphaF = alphaF;
    return color;
}

TEST(ColorModelTest, HexAndRgbTextsComeFromTheFractions)
{
    const struct {
        ColorModel color;
        const char* hex;
        const char* rgb;
    } cases[] = {
        {fractions(1, 0.5, 0, 1.0), "#ff8000", "255 128 0"},
        {fractions(1, 0.5, 0, 0.5), "#80ff8000", "255 128 0"},
        {fractions(1, 1, 1, 1.0), "#ffffff", "255 255 255"},
        {fractions(0.2, 0.2, 0.2, 0.99), "#fc333333", "51 51 51"},
        {fractions(0, 0, 0.002, 1.0), "#000001", "0 0 1"},           // 0.51 rounds up
        {fractions(0, 0, 0.0019, 1.0), "#000000", "0 0 0"},          // 0.4845 rounds down
        {fractions(1, 1, 1, 0), "#00ffffff", "255 255 255"},
        {fractions(0, 0, 0, 1.5), "#7f000000", "0 0 0"},             // 382.5 -> 383 = 0x17f, upper bits dropped
        {ColorModel(), "#00000000", "0 0 0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.color.getHexString(), c.hex) << c.hex;
        EXPECT_EQ(c.color.getRGBString(), c.rgb) << c.hex;
    }
}

TEST(ColorModelTest, HexTextIgnoresTheZeroToTwoFiftyFiveChannels)
{
    ColorModel color = fractions(1, 0, 0, 1.0);
    color.redF = 0;
    color.greenF = 255;
    EXPECT_EQ(color.getHexString(), "#ff0000");
}

TEST(ColorModelTest, ChannelsThatAreNotNumbersDoNotCrashTheTexts)
{
    const double nan = std::nan("");
    const double inf = std::numeric_limits<double>::infinity();
    const ColorModel weird[] = {fractions(nan, 0, 0, 1.0), fractions(inf, -inf, 0, nan), fractions(1e300, -1e300, 2, 0.5)};
    for (const auto& color : weird) {
        EXPECT_FALSE(color.getHexString().empty());
        EXPECT_FALSE(color.getRGBString().empty());
    }
}

TEST(ColorModelTest, NamesWithAndWithoutAlpha)
{
    const struct {
        const char* name;
        std::int64_t alphaInt;
        const char* withAlpha;
        const char* withoutAlpha;
        bool notHundred;
    } cases[] = {
        {"primary", 50, "primary_50", "primary", true},
        {"primary", 100, "primary", "primary", false},
        {"primary_50", 100, "primary_50", "primary", false},
        {"brand_blue_50", 7, "brand_blue_50_7", "brand", true},
        {"_hidden", 100, "_hidden", "", false},
        {"", 0, "_0", "", true},
        {"dim", -5, "dim_-5", "dim", true},
    };
    for (const auto& c : cases) {
        ColorModel color;
        color.name = c.name;
        color.alphaInt = c.alphaInt;
        EXPECT_EQ(color.colorNameWithAlpha(), c.withAlpha) << c.name;
        EXPECT_EQ(color.colorNameWithoutAlpha(), c.withoutAlpha) << c.name;
        EXPECT_EQ(color.isAlphaNotHundred(), c.notHundred) << c.name;
    }
}

TEST(ColorModelTest, DefaultBlackIsTheSketchMappingOfOpaqueBlack)
{
    const ColorModel black = ColorModel::getDefaultBlack();
    EXPECT_EQ(black.name, "");
    EXPECT_EQ(black.alphaF, 1.0);
    EXPECT_EQ(black.alphaInt, 100);
    EXPECT_EQ(black.alphaS, "1.0");
    EXPECT_EQ(black.redS, "0.0");
    EXPECT_EQ(black.greenS, "0.0");
    EXPECT_EQ(black.blueS, "0.0");
    EXPECT_EQ(black.alpha, 1.0);
    EXPECT_EQ(black.getHexString(), "#000000");
}

TEST(ColorModelTest, ReadsAndWritesTheServiceKeys)
{
    const auto color = jsonmap::fromJson<ColorModel>(*platform::parseJson(
        R"({"name":"accent","alphaF":0.5,"alphaInt":50,"redF":255,"blueF":10,"greenF":20,
            "alphaS":"0.5","redS":"255.0","blueS":"10.0","greenS":"20.0","red":1,"green":0.08,"blue":0.04,"alpha":0.5})"));
    EXPECT_EQ(color.name, "accent");
    EXPECT_EQ(color.alphaInt, 50);
    EXPECT_EQ(color.blueF, 10);
    EXPECT_EQ(color.greenF, 20);
    EXPECT_EQ(color.greenS, "20.0");
    EXPECT_EQ(color.green, 0.08);
    const auto written = jsonmap::toJsonObject(color);
    for (const char* key : {"name", "alphaF", "alphaInt", "redF", "blueF", "greenF", "alphaS", "redS", "blueS", "greenS",
                            "red", "green", "blue", "alpha"})
        EXPECT_TRUE(written.contains(key)) << key;
    EXPECT_EQ(jsonmap::fromJson<ColorModel>(written).getHexString(), color.getHexString());
}

class CrashEvents {
public:
    CrashEvents()
    {
        platform::EventSink::crashReports().setRecorder([this](const boost::json::object& e) { events.push_back(e); });
    }
    ~CrashEvents() { platform::EventSink::crashReports().setRecorder(nullptr); }
    std::vector<boost::json::object> events;
};

ColorModel channels(double redF, double greenF, double blueF, double alphaF)
{
    ColorModel color;
    color.redF = redF;
    color.greenF = greenF;
    color.blueF = blueF;
    color.alphaF = alphaF;
    return color;
}

TEST(ColorModelTest, PlatformColorFromTheZeroToTwoFiftyFiveChannels)
{
    CrashEvents crash;
    const QColor red = channels(255, 0, 0, 1.0).platformColor();
    EXPECT_FLOAT_EQ(red.redF(), 1.f);
    EXPECT_FLOAT_EQ(red.greenF(), 0.f);
    EXPECT_FLOAT_EQ(red.alphaF(), 1.f);
    const QColor half = channels(0, 51, 255, 0.5).platformColor();
    // the platform colour keeps 16 bits per channel
    EXPECT_NEAR(half.greenF(), 0.2, 1e-4);
    EXPECT_NEAR(half.alphaF(), 0.5, 1e-4);
    const QColor negative = channels(-10, 0, 0, 1.0).platformColor();
    EXPECT_NEAR(negative.redF(), -10.0 / 255.0, 1e-4) << "no lower bound";
    EXPECT_TRUE(crash.events.empty());
}

TEST(ColorModelTest, ChannelsAboveThePlatformRangeBecomeOpaqueBlackWithAnEvent)
{
    const ColorModel unsuitable[] = {channels(256, 0, 0, 1), channels(0, 0, 300, 0.5), channels(0, 0, 0, 1.01),
                                     channels(std::nan(""), 0, 0, 1)};
    for (const auto& color : unsuitable) {
        CrashEvents crash;
        const QColor shown = color.platformColor();
        EXPECT_EQ(shown, QColor::fromRgbF(0.f, 0.f, 0.f, 1.f));
        ASSERT_EQ(crash.events.size(), 1u);
        const boost::json::object& event = crash.events.front();
        EXPECT_EQ(event.at("message"), "ZendaqVusk: ColorModel colors are not suitable for WaddaColor");
        EXPECT_EQ(event.at("level"), "info");
        const boost::json::object& extra = event.at("extra").as_object();
        EXPECT_EQ(extra.size(), 4u);
        EXPECT_EQ(extra.at("blueF").to_number<double>(), color.blueF); // raw, not divided by 255
    }
}

} // namespace
