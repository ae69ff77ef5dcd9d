#include "Editor/ClassNamePicker.h"
#include "Editor/ColorNamePicker.h"
#include "Editor/FontNamePicker.h"
#include "Editor/StringNamePicker.h"
#include "Editor/VariableNamePicker.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cmath>
#include <iterator>
#include <limits>
#include <random>

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

TEST(ColorNamePickerTest, FirstMatchInTableOrderAndExactChannelEqualityAfterReloads)
{
    const double nan = std::nan("");
    const double inf = std::numeric_limits<double>::infinity();
    ColorNamePicker picker;
    picker.loadMap({color("black", 10, 10, 10, 1), color("ink", 0, 0, 0, 1), color("minus", -0.0, 7, 7, 1),
                    color("late", 8, 8, 8, 1), color("early", 9, 9, 9, 1), color("hole", nan, 3, 3, 1),
                    color("holeToo", 3, 3, 3, nan), color("far", inf, 0, 0, 1), color("sum", 0.1 + 0.2, 0, 0, 1)});
    // A second load adds to the table; a replaced colour keeps its place in it.
    picker.loadMap({color("late", 9, 9, 9, 1), color("second", 4, 4, 4, 1), color("ink", 6, 6, 6, 1),
                    color("inkAgain", 0, 0, 0, 1)});
    const struct {
        const char* what;
        std::shared_ptr<ColorModel> query;
        std::optional<std::string> name;
    } cases[] = {
        {"a project black is replaced by the default in its own place", color("", 0, 0, 0, 1), "black"},
        {"-0 equals 0", color("", 0, 7, 7, 1), "minus"},
        {"0 equals -0", color("", -0.0, 0, 0, 0), "clear"},
        {"a replaced colour answers from its first place", color("", 9, 9, 9, 1), "late"},
        {"its old channels answer no more", color("", 8, 8, 8, 1), std::nullopt},
        {"a channel that is not a number matches nothing, not even itself", color("", nan, 3, 3, 1), std::nullopt},
        {"alpha that is not a number", color("", 3, 3, 3, nan), std::nullopt},
        {"infinite channels compare equal", color("", inf, 0, 0, 1), "far"},
        {"minus infinity is another colour", color("", -inf, 0, 0, 1), std::nullopt},
        {"compared exactly, not rounded", color("", 0.3, 0, 0, 1), std::nullopt},
        {"the exact sum", color("", 0.1 + 0.2, 0, 0, 1), "sum"},
        {"loaded by the second load", color("", 4, 4, 4, 1), "second"},
        {"a name loaded again answers with its new channels", color("", 6, 6, 6, 1), "ink"},
    };
    for (const auto& c : cases) EXPECT_EQ(picker.getColorName(*c.query), c.name) << c.what;
}

// What the lookup answered when it walked the whole table: the first entry, in table order,
// whose four channels compare equal. The indexed lookup must answer the same.
std::optional<std::string> answerOfAFullWalk(const ColorNamePicker& picker, const ColorModel& query)
{
    for (const auto& [key, entry] : picker.colorMap())
        if (entry->redF == query.redF && entry->greenF == query.greenF && entry->blueF == query.blueF
            && entry->alphaF == query.alphaF)
            return entry->name;
    return std::nullopt;
}

TEST(ColorNamePickerTest, IndexedLookupAnswersAsTheFullWalkDidOnCrowdedTables)
{
    // Few names and few channel values, so names are replaced and channels shared all the time.
    const double values[] = {0, -0.0, 1, 0.5, 255, std::nan("")};
    std::mt19937 random(7);
    auto pick = [&] { return values[random() % std::size(values)]; };
    ColorNamePicker picker;
    for (int load = 0; load < 4; ++load) {
        std::vector<std::shared_ptr<ColorModel>> list;
        for (int i = 0; i < 300; ++i)
            list.push_back(color("c" + std::to_string(random() % 40), pick(), pick(), pick(), pick()));
        picker.loadMap(list);
        for (const double r : values)
            for (const double g : values)
                for (const double b : values)
                    for (const double a : values) {
                        const auto query = color("", r, g, b, a);
                        ASSERT_EQ(picker.getColorName(*query), answerOfAFullWalk(picker, *query))
                            << "load " << load << ": " << r << " " << g << " " << b << " " << a;
                    }
    }
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

std::shared_ptr<StringModel> text(const std::string& name, const std::string& value)
{
    return std::make_shared<StringModel>(name, value);
}

TEST(StringNamePickerTest, FirstMatchInTableOrderAndCanonicalEqualityAfterReloads)
{
    StringNamePicker picker;
    picker.loadMap({text("decomposed", "Cafe\xCC\x81"), text("composed", "Caf\xC3\xA9"), text("late", "Late"),
                    text("early", "Early"), text("marks", "a\xCC\xA3\xCC\x81"), text("empty", ""),
                    text("notUtf8", "\xFF"), text("Caf\xC3\xA9", "Bistro")});
    // A second load adds to the table; a replaced text keeps its place, also under a canonically equal name.
    picker.loadMap({text("late", "Early"), text("Cafe\xCC\x81", "Diner"), text("more", "More")});
    const struct {
        const char* what;
        const char* query;
        std::optional<std::string> name;
    } cases[] = {
        {"canonically equal texts answer the first loaded", "Caf\xC3\xA9", "decomposed"},
        {"from either form", "Cafe\xCC\x81", "decomposed"},
        {"combining marks in another order", "a\xCC\x81\xCC\xA3", "marks"},
        {"a replaced text answers from its first place", "Early", "late"},
        {"its old text answers no more", "Late", std::nullopt},
        {"case counts", "early", std::nullopt},
        {"the empty text", "", "empty"},
        {"bytes that are not UTF-8 all read as the replacement character", "\xFE", "notUtf8"},
        {"replaced under a canonically equal name, answering the later name", "Diner", "Cafe\xCC\x81"},
        {"the text it replaced", "Bistro", std::nullopt},
        {"loaded by the second load", "More", "more"},
    };
    for (const auto& c : cases) EXPECT_EQ(picker.getStringName(StringModel("", c.query)), c.name) << c.what;
    EXPECT_EQ(picker.stringMap().size(), 9u);
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
