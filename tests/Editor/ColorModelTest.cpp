#include "Editor/ColorModel.h"
#include "platform/EventSinks.h"
#include "platform/JsonText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// Texts are made from the 0...1 fractions, the swatch from the 0...255 channels.
ColorModel fractions(double red, double green, double blue, double alphaF)
{
    return ColorModel("", alphaF, 0, 0, 0, 0, "", "", "", "", red, green, blue, 0);
}
ColorModel channels(double redF, double greenF, double blueF, double alphaF)
{
    return ColorModel("", alphaF, 0, redF, blueF, greenF, "", "", "", "", 0, 0, 0, 0);
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
        {fractions(0, 0, 0.002, 1.0), "#000001", "0 0 1"},  // 0.51 rounds up
        {fractions(0, 0, 0.0019, 1.0), "#000000", "0 0 0"}, // 0.4845 rounds down
        {fractions(0, 0, 0, 1.5), "#7f000000", "0 0 0"}, // 382.5 -> 383 = 0x17f, upper bits dropped
        {ColorModel::getDefaultBlack(), "#000000", "0 0 0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.color.getHexString(), c.hex) << c.hex;
        EXPECT_EQ(c.color.getRGBString(), c.rgb) << c.hex;
    }
}

TEST(ColorModelTest, ChannelsThatAreNotNumbersDoNotCrashTheTexts)
{
    const double nan = std::nan("");
    const double inf = std::numeric_limits<double>::infinity();
    for (const auto& color : {fractions(nan, 0, 0, 1.0), fractions(inf, -inf, 0, nan), fractions(1e300, -1e300, 2, 0.5)}) {
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
    } cases[] = {
        {"primary", 50, "primary_50", "primary"},     {"primary_50", 100, "primary_50", "primary"},
        {"brand_blue_50", 7, "brand_blue_50_7", "brand"}, {"_hidden", 100, "_hidden", ""}, {"", 0, "_0", ""},
    };
    for (const auto& c : cases) {
        ColorModel color;
        color.name = c.name;
        color.alphaInt = c.alphaInt;
        EXPECT_EQ(color.colorNameWithAlpha(), c.withAlpha) << c.name;
        EXPECT_EQ(color.colorNameWithoutAlpha(), c.withoutAlpha) << c.name;
        EXPECT_EQ(color.isAlphaNotHundred(), c.alphaInt != 100) << c.name;
    }
}

TEST(ColorModelTest, ServiceKeysReadAndWriteBackUnchanged)
{
    const boost::json::object body = *platform::parseJsonObject(
        R"({"name":"accent","alphaF":0.5,"alphaInt":50,"redF":255.0,"blueF":10.0,"greenF":20.0,
            "alphaS":"0.5","redS":"255.0","blueS":"10.0","greenS":"20.0","red":1.0,"green":0.08,"blue":0.04,"alpha":0.5})");
    EXPECT_EQ(jsonmap::toJsonObject(jsonmap::fromJson<ColorModel>(body)), body);
}

TEST(ColorModelTest, PlatformColorOrOpaqueBlackWithAnEventAboveThePlatformRange)
{
    const QColor black = QColor::fromRgbF(0.f, 0.f, 0.f, 1.f);
    const struct {
        ColorModel color;
        QColor shown;
        bool event;
    } cases[] = {
        {channels(255, 0, 0, 1.0), QColor::fromRgbF(1.f, 0.f, 0.f, 1.f), false},
        {channels(0, 51, 255, 0.5), QColor::fromRgbF(0.f, 0.2f, 1.f, 0.5f), false},
        {channels(-10, 0, 0, 1.0), QColor::fromRgbF(static_cast<float>(-10 / 255.0), 0.f, 0.f, 1.f), false}, // no lower bound
        {channels(256, 0, 0, 1), black, true},
        {channels(0, 0, 0, 1.01), black, true},
        {channels(std::nan(""), 0, 0, 1), black, true},
    };
    for (const auto& c : cases) {
        std::vector<boost::json::object> events;
        platform::EventSink::crashReports().setRecorder([&](const boost::json::object& e) { events.push_back(e); });
        EXPECT_EQ(c.color.platformColor(), c.shown) << c.color.redF << " " << c.color.blueF;
        platform::EventSink::crashReports().setRecorder(nullptr);
        ASSERT_EQ(events.size(), c.event ? 1u : 0u);
        if (!c.event) continue;
        EXPECT_EQ(events[0].at("message"), "ZendaqVusk: ColorModel colors are not suitable for WaddaColor");
        EXPECT_EQ(events[0].at("level"), "info");
        const boost::json::object& extra = events[0].at("extra").as_object();
        EXPECT_EQ(extra.size(), 4u);
        EXPECT_EQ(extra.at("blueF").to_number<double>(), c.color.blueF); // raw, not divided by 255
    }
}

} // namespace
