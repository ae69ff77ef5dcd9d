#include "Editor/ClassNamePicker.h"
#include "Editor/ColorNamePicker.h"
#include "Editor/FontNamePicker.h"
#include "Editor/StringNamePicker.h"
#include "Editor/VariableNamePicker.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cmath>

namespace {

using Names = std::vector<std::string>;

std::shared_ptr<ColorModel> color(const std::string& name, double redF, double greenF, double blueF, double alphaF)
{
    return std::make_shared<ColorModel>(name, alphaF, 0, redF, blueF, greenF, "", "", "", "", 0, 0, 0, 0);
}

template <class Map>
Names keysOf(const Map& map)
{
    Names keys;
    for (const auto& [key, model] : map) keys.push_back(key);
    return keys;
}

TEST(ColorNamePickerTest, LookupMatchesAllFourChannelsExactly)
{
    ColorNamePicker picker;
    picker.loadMap({color("accent", 255, 128, 0, 1), color("primary", 1, 1, 1, 1), color("black", 10, 10, 10, 1),
                    color("shade", 0, 0, 0, 0.5), color("almost", 0, 0, 0, 0.50000001), color("zeta", 5, 5, 5, 1),
                    color("alpha", 5, 5, 5, 1), color("primary", 2, 2, 2, 1)});
    // a later colour of the same name replaces the earlier; the defaults come last and replace project colours
    EXPECT_EQ(keysOf(picker.colorMap()),
              (Names{"accent", "primary", "black", "shade", "almost", "zeta", "alpha", "clear"}));
    const struct {
        const char* what;
        std::shared_ptr<ColorModel> query;
        std::optional<std::string> name;
    } cases[] = {
        {"project colour", color("", 255, 128, 0, 1), "accent"},
        {"other alpha", color("", 255, 128, 0, 0.99), std::nullopt},
        {"green differs", color("", 255, 127, 0, 1), std::nullopt},
        {"half alpha", color("", 0, 0, 0, 0.5), "shade"},
        {"nearly half", color("", 0, 0, 0, 0.50000001), "almost"},
        {"several matches answer the first loaded", color("", 5, 5, 5, 1), "zeta"},
        {"replaced by a later colour of its name", color("", 1, 1, 1, 1), std::nullopt},
        {"the later colour", color("", 2, 2, 2, 1), "primary"},
        {"the project's own black", color("", 10, 10, 10, 1), std::nullopt},
        {"default black", color("", 0, 0, 0, 1), "black"},
        {"transparent", color("", 0, 0, 0, 0), "clear"},
        {"not a number", color("", std::nan(""), 0, 0, 1), std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(picker.getColorName(*c.query), c.name) << c.what;

    ColorNamePicker empty;
    empty.loadMap({});
    EXPECT_EQ(keysOf(empty.colorMap()), (Names{"clear", "black"}));
}

// The lookup goes through an index of the table's channels, rebuilt on every load: -0 must meet
// 0, and a replaced colour must answer from its own place in the table as the walk over it did.
TEST(ColorNamePickerTest, IndexedLookupFollowsReloadsAndMeetsMinusZero)
{
    ColorNamePicker picker;
    picker.loadMap({color("ink", 0, 0, 0, 1), color("minus", -0.0, 7, 7, 1), color("late", 8, 8, 8, 1),
                    color("early", 9, 9, 9, 1), color("hole", 3, 3, 3, std::nan(""))});
    picker.loadMap({color("late", 9, 9, 9, 1), color("ink", 6, 6, 6, 1)});
    const struct {
        const char* what;
        std::shared_ptr<ColorModel> query;
        std::optional<std::string> name;
    } cases[] = {
        {"-0 equals 0", color("", 0, 7, 7, 1), "minus"},
        {"0 equals -0", color("", -0.0, 0, 0, 0), "clear"},
        {"a replaced colour answers from its first place", color("", 9, 9, 9, 1), "late"},
        {"its old channels answer no more", color("", 8, 8, 8, 1), std::nullopt},
        {"a name loaded again answers with its new channels", color("", 6, 6, 6, 1), "ink"},
        {"a channel that is not a number matches nothing, not even itself", color("", 3, 3, 3, std::nan("")),
         std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(picker.getColorName(*c.query), c.name) << c.what;
}

std::shared_ptr<FontModel> font(const std::string& uniqueKey, const std::string& textStyleName)
{
    auto model = std::make_shared<FontModel>();
    model->uniqueKey = uniqueKey;
    model->textStyleName = textStyleName;
    return model;
}

TEST(FontNamePickerTest, LooksUpTheTextStyleByUniqueKey)
{
    FontNamePicker picker;
    picker.loadMap({font("Helvetica--17.0", "title"), font("System-Regular-.regular-13.0", "body"),
                    font("Helvetica--17.0", "heading"), font("Caf\xC3\xA9--12.0", "menu")});
    EXPECT_EQ(picker.fontMap.size(), 3u);
    const struct {
        const char* key;
        std::optional<std::string> name;
    } cases[] = {
        {"Helvetica--17.0", "heading"},  {"System-Regular-.regular-13.0", "body"}, {"helvetica--17.0", std::nullopt},
        {"Cafe\xCC\x81--12.0", "menu"}, // decomposed e + acute
        {"", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(picker.getFontName(*font(c.key, "")), c.name) << c.key;
}

TEST(StringNamePickerTest, LooksUpTheNameByCanonicallyEqualText)
{
    StringNamePicker picker;
    picker.loadMap({std::make_shared<StringModel>("greeting", "Hello"), std::make_shared<StringModel>("cafe", "Caf\xC3\xA9"),
                    std::make_shared<StringModel>("hi", "Hello"), std::make_shared<StringModel>("greeting", "Welcome")});
    EXPECT_EQ(keysOf(picker.stringMap()), (Names{"greeting", "cafe", "hi"}));
    const struct {
        const char* text;
        std::optional<std::string> name;
    } cases[] = {
        {"Welcome", "greeting"}, {"Hello", "hi"}, // "greeting" now stands for Welcome
        {"hello", std::nullopt}, {"Cafe\xCC\x81", "cafe"}, {"Caf\xC3\xA9", "cafe"},
    };
    for (const auto& c : cases) EXPECT_EQ(picker.getStringName(StringModel("", c.text)), c.name) << c.text;
}

TEST(StringNamePickerTest, PlainTextMatchesTextThatNormalisesToIt)
{
    // The Kelvin sign normalises to a plain K, so plain and non-plain texts still meet both ways.
    StringNamePicker picker;
    picker.loadMap({std::make_shared<StringModel>("plain", "5 K"), std::make_shared<StringModel>("sign", "9 \xE2\x84\xAA")});
    const struct {
        const char* text;
        std::optional<std::string> name;
    } cases[] = {
        {"5 \xE2\x84\xAA", "plain"}, {"9 K", "sign"}, {"9 \xE2\x84\xAA", "sign"}, {"5 k", std::nullopt}, {"5 K ", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(picker.getStringName(StringModel("", c.text)), c.name) << c.text;
}

// The same for texts, indexed by their normal form.
TEST(StringNamePickerTest, IndexedLookupFollowsReloadsAndCanonicalEquality)
{
    auto text = [](const char* name, const char* value) { return std::make_shared<StringModel>(name, value); };
    StringNamePicker picker;
    picker.loadMap({text("decomposed", "Cafe\xCC\x81"), text("composed", "Caf\xC3\xA9"), text("late", "Late"),
                    text("early", "Early"), text("marks", "a\xCC\xA3\xCC\x81")});
    picker.loadMap({text("late", "Early"), text("more", "More")});
    const struct {
        const char* what;
        const char* query;
        std::optional<std::string> name;
    } cases[] = {
        {"canonically equal texts answer the first loaded", "Caf\xC3\xA9", "decomposed"},
        {"combining marks in another order", "a\xCC\x81\xCC\xA3", "marks"},
        {"a replaced text answers from its first place", "Early", "late"},
        {"its old text answers no more", "Late", std::nullopt},
        {"loaded by the second load", "More", "more"},
    };
    for (const auto& c : cases) EXPECT_EQ(picker.getStringName(StringModel("", c.query)), c.name) << c.what;
}

TEST(ReservedWordsTest, ShippedFilesHoldTheLanguagesKeywords)
{
    const auto swift = VariableNamePicker::make(ProgrammingLanguage::swift, VariableNameType::code);
    const auto kotlin = ClassNamePicker::make(ProgrammingLanguage::kotlin);
    EXPECT_EQ(swift.type, VariableNameType::code);
    for (const char* word : {"class", "func", "let", "protocol", "guard"}) EXPECT_EQ(swift.reservedKeys.count(word), 1u) << word;
    for (const char* word : {"class", "fun", "val", "when", "companion"}) EXPECT_EQ(kotlin.reservedKeys.count(word), 1u) << word;
    EXPECT_EQ(swift.reservedKeys.count("fun") + kotlin.reservedKeys.count("func"), 0u);
    EXPECT_TRUE(swift.getLanguageREservedKeysFileUrl().endsWith(QStringLiteral("/languages/reserved/swift.json")));
    EXPECT_TRUE(kotlin.getLanguageREservedKeysFileUrl().endsWith(QStringLiteral("/languages/reserved/kotlin.json")));
}

TEST(ReservedWordsTest, OnlyAnObjectOfStringsReplacesTheTable)
{
    QTemporaryDir dir;
    const std::map<std::string, std::string> before{{"keep", "keep"}};
    const struct {
        const char* what;
        QByteArray content;
        std::map<std::string, std::string> after;
    } cases[] = {
        {"object of strings", R"({"if": "if", "do": "doIt"})", {{"if", "if"}, {"do", "doIt"}}},
        {"a number among the values", R"({"if": "if", "n": 3})", before},
        {"not json", "if do while", before},
        {"empty file", "", before},
    };
    const QString file = dir.filePath(QStringLiteral("words.json"));
    for (const auto& c : cases) {
        ASSERT_TRUE(writeFileBytes(file, c.content));
        VariableNamePicker picker;
        picker.reservedKeys = before;
        picker.readLangReservedKeysFile(file);
        EXPECT_EQ(picker.reservedKeys, c.after) << c.what;
    }

    ClassNamePicker picker;
    picker.reservedKeys = before;
    picker.readLangReservedKeysFile(std::nullopt);
    picker.readLangReservedKeysFile(dir.filePath(QStringLiteral("absent.json")));
    picker.readLangReservedKeysFile(dir.path()); // a folder, not a file
    EXPECT_EQ(picker.reservedKeys, before);
}

} // namespace
