#include "Editor/FontModel.h"
#include "Editor/FontWeight.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(FontWeightTest, MeasureAndPrefixOfUsageStrings)
{
    const struct {
        const char* usage;
        const char* measure;
        const char* prefix;
    } cases[] = {
        {"CTFontBoldUsage", "Bold", "-Bold"},           {"CTFontUltraLightUsage", "UltraLight", "-Ultralight"},
        {"CTFontSemiBoldUsage", "SemiBold", "-Semibold"}, {"Medium", "Medium", "-Medium"},
        {"CTFontCTFontUsageUsage", "", "-"},            {"", "", "-"},
        {"ctfontboldusage", "ctfontboldusage", "-Ctfontboldusage"},
        {"CTFont\xC3\xA9t\xC3\xA9Usage", "\xC3\xA9t\xC3\xA9", "-\xC3\x89t\xC3\xA9"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FontWeight::getFontWeightMeasure(c.usage), c.measure) << c.usage;
        EXPECT_EQ(FontWeight::getWeightPrefix(c.usage), c.prefix) << c.usage;
    }
}

TEST(FontModelTest, BuildsFromSketchFontAttributes)
{
    const struct {
        const char* fontName;
        double size;
        const char* usage;
        const char* name;
        const char* weight;
        double roundedSize;
        bool system;
        const char* uniqueKey;
    } cases[] = {
        {"Helvetica-Bold", 17, "CTFontRegularUsage", "Helvetica-Bold", "", 17, false, "Helvetica-Bold--17.0"},
        {"Helvetica", 16.4, "CTFontBoldUsage", "Helvetica", "", 16, false, "Helvetica--16.0"},
        {"", 17, "CTFontRegularUsage", "System-Regular", ".regular", 17, true, "System-Regular-.regular-17.0"},
        {"", 16.5, "Medium", "System-Medium", ".medium", 17, true, "System-Medium-.medium-17.0"},
        {"", 13.5, "CTFontSemiBoldUsage", "System-Semibold", ".semibold", 14, true, "System-Semibold-.semibold-14.0"},
    };
    for (const auto& c : cases) {
        const FontModel font(SketchFontAttributeModel(SketchAttributesModel(c.fontName, c.size, c.usage)), "Title");
        EXPECT_EQ(std::tie(font.name, font.weight, font.size, font.isSystemFont, font.isNotSystemFont, font.uniqueKey),
                  std::tuple(c.name, c.weight, c.roundedSize, c.system, !c.system, c.uniqueKey));
    }
    EXPECT_EQ(FontModel::getDefaultEmpty().uniqueKey, "System--.-0.0");
}

} // namespace
