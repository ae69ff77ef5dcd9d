#include "Editor/FontModel.h"
#include "Editor/FontWeight.h"

#include <gtest/gtest.h>

namespace {

TEST(FontWeightTest, MeasureAndPrefixOfUsageStrings)
{
    const struct {
        const char* usage;
        const char* measure;
        const char* prefix;
    } cases[] = {
        {"CTFontBoldUsage", "Bold", "-Bold"},
        {"CTFontUltraLightUsage", "UltraLight", "-Ultralight"},
        {"CTFontSemiBoldUsage", "SemiBold", "-Semibold"},
        {"Medium", "Medium", "-Medium"},
        {"CTFontCTFontUsageUsage", "", "-"},
        {"", "", "-"},
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
        const char* sizeS;
        bool system;
        const char* uniqueKey;
    } cases[] = {
        {"Helvetica-Bold", 17, "CTFontRegularUsage", "Helvetica-Bold", "", 17, "17.0", false, "Helvetica-Bold--17.0"},
        {"Helvetica", 16.4, "CTFontBoldUsage", "Helvetica", "", 16, "16.0", false, "Helvetica--16.0"},
        {"", 17, "CTFontRegularUsage", "System-Regular", ".regular", 17, "17.0", true, "System-Regular-.regular-17.0"},
        {"", 16.5, "Medium", "System-Medium", ".medium", 17, "17.0", true, "System-Medium-.medium-17.0"},
        {"", 13.5, "CTFontSemiBoldUsage", "System-Semibold", ".semibold", 14, "14.0", true, "System-Semibold-.semibold-14.0"},
    };
    for (const auto& c : cases) {
        const SketchFontAttributeModel attributes(SketchAttributesModel(c.fontName, c.size, c.usage));
        const FontModel font(attributes, "Title");
        SCOPED_TRACE(c.uniqueKey);
        EXPECT_EQ(font.name, c.name);
        EXPECT_EQ(font.weight, c.weight);
        EXPECT_EQ(font.size, c.roundedSize);
        EXPECT_EQ(font.sizeS, c.sizeS);
        EXPECT_EQ(font.isSystemFont, c.system);
        EXPECT_EQ(font.isNotSystemFont, !c.system);
        EXPECT_EQ(font.uniqueKey, c.uniqueKey);
        EXPECT_EQ(font.textStyleName, "Title");
        EXPECT_EQ(font.attributeModel.attributes.name, c.fontName);
        EXPECT_EQ(font.textStyleNum, 0);
    }
}

TEST(FontModelTest, DefaultEmptyIsTheSystemFontAtSizeZero)
{
    const FontModel font = FontModel::getDefaultEmpty();
    EXPECT_EQ(font.name, "System-");
    EXPECT_EQ(font.weight, ".");
    EXPECT_EQ(font.sizeS, "0.0");
    EXPECT_EQ(font.uniqueKey, "System--.-0.0");
    EXPECT_EQ(font.uniqueKey.size(), 13u);
    EXPECT_TRUE(font.isSystemFont);
    EXPECT_FALSE(font.isNotSystemFont);
    EXPECT_EQ(font.textStyleName, "");
}

TEST(FontModelTest, ServiceFontsKeepTheirKeyAndNewFontsStartAsNamedFonts)
{
    const FontModel fresh;
    EXPECT_FALSE(fresh.isSystemFont);
    EXPECT_TRUE(fresh.isNotSystemFont);
    EXPECT_EQ(fresh.attributeModel.attributes.NSCTFontUIUsageAttribute, "CTFontRegularUsage");

    boost::json::object body{{"name", "Avenir"}, {"size", 15}, {"sizeS", "15.0"}, {"uniqueKey", "as-sent-by-service"},
                             {"textStyleName", "body"}, {"textStyleNum", 3}};
    const auto font = jsonmap::fromJson<FontModel>(body);
    EXPECT_EQ(font.uniqueKey, "as-sent-by-service");
    EXPECT_EQ(font.textStyleNum, 3);
    EXPECT_TRUE(font.isNotSystemFont);
}

} // namespace
