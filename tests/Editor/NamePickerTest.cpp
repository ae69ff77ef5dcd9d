#include "Editor/ClassNamePicker.h"
#include "Editor/ColorNamePicker.h"
#include "Editor/FontNamePicker.h"
#include "Editor/ImageNamePicker.h"
#include "Editor/StringNamePicker.h"
#include "Editor/VariableNamePicker.h"
#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>

namespace {

std::shared_ptr<ColorModel> color(const std::string& name, double redF, double greenF, double blueF, double alphaF)
{
    auto model = std::make_shared<ColorModel>();
    model->name = name;
    model->redF = redF;
    model->greenF = greenF;
    model->blueF = blueF;
    model->alphaF = alphaF;
    return model;
}

std::vector<std::string> keysOf(const ColorNamePicker& picker)
{
    std::vector<std::string> keys;
    for (const auto& [key, model] : picker.colorMap) keys.push_back(key);
    return keys;
}

TEST(ColorNamePickerTest, LookupMatchesAllFourChannelsExactly)
{
    ColorNamePicker picker;
    picker.loadMap({color("accent", 255, 128, 0, 1), color("shade", 0, 0, 0, 0.5), color("almost", 0, 0, 0, 0.50000001)});
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
        {"default black", color("", 0, 0, 0, 1), "black"},
        {"transparent", color("", 0, 0, 0, 0), "clear"},
        {"not a number", color("", std::nan(""), 0, 0, 1), std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(picker.getColorName(*c.query), c.name) << c.what;
}

TEST(ColorNamePickerTest, LaterNamesReplaceEarlierAndDefaultsComeLast)
{
    ColorNamePicker picker;
    picker.loadMap({color("primary", 1, 1, 1, 1), color("black", 10, 10, 10, 1), color("primary", 2, 2, 2, 1)});
    EXPECT_EQ(keysOf(picker), (std::vector<std::string>{"primary", "black", "clear"}));
    EXPECT_EQ((*picker.colorMap.find("primary"))->redF, 2);
    EXPECT_EQ(picker.getColorName(*color("", 1, 1, 1, 1)), std::nullopt);
    // the project's own "black" is replaced by the default
    EXPECT_EQ(picker.getColorName(*color("", 10, 10, 10, 1)), std::nullopt);
    EXPECT_EQ(picker.getColorName(*color("", 0, 0, 0, 1)), "black");
    EXPECT_EQ((*picker.colorMap.find("black"))->alpha, 1.0);
}

TEST(ColorNamePickerTest, EmptyListStillHasTheTwoDefaults)
{
    ColorNamePicker picker;
    picker.loadMap({});
    EXPECT_EQ(keysOf(picker), (std::vector<std::string>{"clear", "black"}));
}

TEST(ColorNamePickerTest, SeveralMatchesAnswerTheFirstLoaded)
{
    for (int run = 0; run < 3; ++run) {
        ColorNamePicker picker;
        picker.loadMap({color("zeta", 5, 5, 5, 1), color("alpha", 5, 5, 5, 1), color("mid", 5, 5, 5, 1)});
        EXPECT_EQ(picker.getColorName(*color("", 5, 5, 5, 1)), "zeta");
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
        {"Helvetica--17.0", "heading"},
        {"System-Regular-.regular-13.0", "body"},
        {"helvetica--17.0", std::nullopt},
        {"Cafe\xCC\x81--12.0", "menu"}, // decomposed e + acute
        {"", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(picker.getFontName(*font(c.key, "")), c.name) << c.key;

    FontNamePicker empty;
    empty.loadMap({});
    EXPECT_TRUE(empty.fontMap.empty());
}

TEST(StringNamePickerTest, LooksUpTheNameByCanonicallyEqualText)
{
    StringNamePicker picker;
    picker.loadMap({std::make_shared<StringModel>("greeting", "Hello"), std::make_shared<StringModel>("cafe", "Caf\xC3\xA9"),
                    std::make_shared<StringModel>("hi", "Hello"), std::make_shared<StringModel>("greeting", "Welcome")});
    const struct {
        const char* text;
        std::optional<std::string> name;
    } cases[] = {
        {"Welcome", "greeting"},
        {"Hello", "hi"}, // "greeting" now stands for Welcome
        {"hello", std::nullopt},
        {"Cafe\xCC\x81", "cafe"},
        {"Caf\xC3\xA9", "cafe"},
    };
    for (const auto& c : cases) EXPECT_EQ(picker.getStringName(StringModel("", c.text)), c.name) << c.text;
    EXPECT_EQ(picker.stringMap.size(), 3u);
}

TEST(ImageNamePickerTest, KeepsImagesById)
{
    auto image = [](const std::string& oid, const std::string& name) {
        auto model = std::make_shared<ImageModel>();
        model->oid = oid;
        model->imageName = name;
        return model;
    };
    ImageNamePicker picker;
    picker.loadMap({image("i1", "logo"), image("i2", "icon"), image("i1", "logo2")});
    ASSERT_EQ(picker.imageMap.size(), 2u);
    EXPECT_EQ((*picker.imageMap.find("i1"))->imageName, "logo2");
}

class ReservedWordsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_savedResources = platform::resourceDirectory();
    }
    void TearDown() override { platform::setResourceDirectory(m_savedResources); }

    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QTemporaryDir m_dir;
    QString m_savedResources;
};

TEST_F(ReservedWordsTest, ShippedFilesHoldTheLanguagesKeywords)
{
    const auto swift = VariableNamePicker::make(ProgrammingLanguage::swift, VariableNameType::code);
    const auto kotlin = ClassNamePicker::make(ProgrammingLanguage::kotlin);
    EXPECT_EQ(swift.type, VariableNameType::code);
    for (const char* word : {"class", "func", "let", "var", "self", "protocol", "guard"})
        EXPECT_EQ(swift.reservedKeys.count(word), 1u) << word;
    for (const char* word : {"fun", "val", "when", "object", "companion", "class"})
        EXPECT_EQ(kotlin.reservedKeys.count(word), 1u) << word;
    EXPECT_EQ(swift.reservedKeys.count("fun"), 0u);
    EXPECT_EQ(kotlin.reservedKeys.count("func"), 0u);
    EXPECT_TRUE(swift.getLanguageREservedKeysFileUrl().endsWith(QStringLiteral("/languages/reserved/swift.json")));
    EXPECT_TRUE(kotlin.getLanguageREservedKeysFileUrl().endsWith(QStringLiteral("/languages/reserved/kotlin.json")));
}

TEST_F(ReservedWordsTest, OnlyAnObjectOfStringsReplacesTheTable)
{
    const std::map<std::string, std::string> before{{"keep", "keep"}};
    const struct {
        const char* what;
        QByteArray content;
        bool replaces;
    } cases[] = {
        {"object of strings", R"({"if": "if", "do": "doIt"})", true},
        {"empty object", "{}", true},
        {"a number among the values", R"({"if": "if", "n": 3})", false},
        {"array", R"(["if"])", false},
        {"not json", "if do while", false},
        {"empty file", "", false},
    };
    for (const auto& c : cases) {
        VariableNamePicker picker;
        picker.reservedKeys = before;
        picker.readLangReservedKeysFile(write(QStringLiteral("words.json"), c.content));
        if (c.replaces)
            EXPECT_NE(picker.reservedKeys, before) << c.what;
        else
            EXPECT_EQ(picker.reservedKeys, before) << c.what;
    }
    VariableNamePicker picker;
    picker.readLangReservedKeysFile(write(QStringLiteral("words.json"), R"({"if": "if", "do": "doIt"})"));
    EXPECT_EQ(picker.reservedKeys, (std::map<std::string, std::string>{{"if", "if"}, {"do", "doIt"}}));
}

TEST_F(ReservedWordsTest, MissingFileOrNoPathLeavesTheTable)
{
    ClassNamePicker picker;
    picker.reservedKeys = {{"keep", "keep"}};
    picker.readLangReservedKeysFile(std::nullopt);
    picker.readLangReservedKeysFile(m_dir.filePath(QStringLiteral("absent.json")));
    picker.readLangReservedKeysFile(m_dir.path()); // a folder, not a file
    EXPECT_EQ(picker.reservedKeys.size(), 1u);

    platform::setResourceDirectory(m_dir.filePath(QStringLiteral("nowhere")));
    const auto fresh = VariableNamePicker::make(ProgrammingLanguage::kotlin, VariableNameType::code);
    EXPECT_TRUE(fresh.reservedKeys.empty());
}

TEST_F(ReservedWordsTest, PickersReadTheFileOfTheirLanguageUnderTheResourceFolder)
{
    write(QStringLiteral("languages/reserved/swift.json"), R"({"swiftOnly": "swiftOnly"})");
    write(QStringLiteral("languages/reserved/kotlin.json"), R"({"kotlinOnly": "kotlinOnly"})");
    platform::setResourceDirectory(m_dir.path());
    EXPECT_EQ(VariableNamePicker::make(ProgrammingLanguage::swift, VariableNameType::code).reservedKeys.count("swiftOnly"), 1u);
    EXPECT_EQ(ClassNamePicker::make(ProgrammingLanguage::kotlin).reservedKeys.count("kotlinOnly"), 1u);
    EXPECT_EQ(ClassNamePicker::make(ProgrammingLanguage::swift).reservedKeys.count("kotlinOnly"), 0u);
}

} // namespace
