#include "Editor/ColorNamePicker.h"
#include "Editor/FontNamePicker.h"
#include "Editor/StringEscaping.h"
#include "Editor/StringNamePicker.h"
#include "Editor/VStyleInfo.h"
#include "platform/JsonText.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

std::shared_ptr<ColorModel> color(const std::string& name, double redF)
{
    return std::make_shared<ColorModel>(name, 1, 100, redF, 7, 7, "", "", "", "", 0, 0, 0, 0);
}

std::shared_ptr<FontModel> font(const std::string& key, const std::string& styleName)
{
    auto f = std::make_shared<FontModel>();
    f->uniqueKey = key;
    f->textStyleName = styleName;
    return f;
}

struct Pickers {
    std::shared_ptr<ColorNamePicker> colors = std::make_shared<ColorNamePicker>();
    std::shared_ptr<FontNamePicker> fonts = std::make_shared<FontNamePicker>();
    std::shared_ptr<StringNamePicker> strings = std::make_shared<StringNamePicker>();
    Pickers()
    {
        colors->loadMap({color("brand", 200)});
        fonts->loadMap({font("Inter-.bold-17.0", "Title")});
        strings->loadMap({std::make_shared<StringModel>("greeting", "Hello")});
    }
};

boost::json::object layer(const std::string& text)
{
    return platform::parseJsonObject(text).value_or(boost::json::object());
}

VStyleInfo styled(VStyleInfo::Arguments a)
{
    static const Pickers pickers;
    a.colorNamePicker = pickers.colors;
    a.fontNamePicker = pickers.fonts;
    a.stringNamePicker = pickers.strings;
    if (!a.frame) a.frame = std::make_shared<FrameModel>();
    if (a.classNameString.empty()) a.classNameString = "UIView";
    return VStyleInfo(std::move(a));
}

std::shared_ptr<FrameModel> frame(double width, double height)
{
    auto f = std::make_shared<FrameModel>();
    f->width = width;
    f->height = height;
    return f;
}

TEST(VStyleInfoTest, StyleRules)
{
    const struct {
        const char* rule;
        VStyleInfo::Arguments in;
        std::function<void(const VStyleInfo&)> check;
    } cases[] = {
        {"circle oval is a rounded view", {.dict = layer(R"({"_class":"oval"})"), .frame = frame(40, 40), .sketchClass = "oval"},
         [](const VStyleInfo& s) { EXPECT_FALSE(s.isImageView); EXPECT_EQ(s.cornerRadius, 20); EXPECT_TRUE(s.hasCornerRadius); }},
        {"ellipse is an image", {.dict = layer(R"({"_class":"oval"})"), .frame = frame(40, 20), .sketchClass = "oval"},
         [](const VStyleInfo& s) { EXPECT_TRUE(s.isImageView); EXPECT_EQ(s.cornerRadius, 10); }},
        {"oval of another class keeps its radius", {.frame = frame(40, 40), .sketchClass = "oval", .classNameString = "UIButton"},
         [](const VStyleInfo& s) { EXPECT_EQ(s.cornerRadius, 0); EXPECT_FALSE(s.hasCornerRadius); }},
        {"shape group returns before the flag", {.sketchClass = "shapeGroup", .cornerRadius = 8},
         [](const VStyleInfo& s) { EXPECT_EQ(s.cornerRadius, 8); EXPECT_FALSE(s.hasCornerRadius); }},
        {"plain radius", {.sketchClass = "rectangle", .cornerRadius = 4},
         [](const VStyleInfo& s) { EXPECT_TRUE(s.hasCornerRadius); }},
        {"border width zero with colour", {.borderWidth = 0, .borderColorModel = color("", 200)},
         [](const VStyleInfo& s) { EXPECT_FALSE(s.hasBorder); EXPECT_EQ(s.borderColorName, ""); }},
        {"border width without colour", {.isBorderEnabled = false, .borderWidth = 2},
         [](const VStyleInfo& s) { EXPECT_TRUE(s.hasBorder); EXPECT_EQ(s.borderColorName, ""); }},
        {"border with known and unknown colour", {.borderWidth = 1, .borderColorModel = color("", 200)},
         [](const VStyleInfo& s) { EXPECT_EQ(s.borderColorName, "brand"); }},
        {"border of an unknown colour", {.borderWidth = 1, .borderColorModel = color("", 1)},
         [](const VStyleInfo& s) { EXPECT_EQ(s.borderColorName, "Undefined_Border_Name"); }},
        {"background known", {.backgroundColorModel = color("", 200)},
         [](const VStyleInfo& s) { EXPECT_TRUE(s.hasBackgroundColor); EXPECT_EQ(s.backgroundColorName, "brand"); }},
        {"background unknown", {.backgroundColorModel = color("", 1)},
         [](const VStyleInfo& s) { EXPECT_EQ(s.backgroundColorName, "Undefined_Background_Color"); }},
        {"no background", {},
         [](const VStyleInfo& s) { EXPECT_FALSE(s.hasBackgroundColor); EXPECT_EQ(s.backgroundColorName, ""); }},
        {"text values found", {.fontModel = font("Inter-.bold-17.0", ""), .stringModel = std::make_shared<StringModel>("", "Hello"), .textColorModel = color("", 200)},
         [](const VStyleInfo& s) { EXPECT_EQ(s.textStyleName, "Title"); EXPECT_EQ(s.textKey, "greeting"); EXPECT_EQ(s.textColorName, "brand"); }},
        {"text values not found", {.fontModel = font("x", ""), .stringModel = std::make_shared<StringModel>("", "Bye"), .textColorModel = color("", 1)},
         [](const VStyleInfo& s) { EXPECT_EQ(s.textStyleName, "Undefined_Text_Font"); EXPECT_EQ(s.textKey, ""); EXPECT_EQ(s.textColorName, "black"); }},
        {"aspect fill on an image", {.dict = layer(R"({"_class":"bitmap"})"), .contentMode = "aspectToFill"},
         [](const VStyleInfo& s) { EXPECT_EQ(s.contentModeS, ".scaleAspectFill"); }},
        {"aspect fill elsewhere", {.dict = layer(R"({"_class":"text"})"), .contentMode = "aspectToFill"},
         [](const VStyleInfo& s) { EXPECT_EQ(s.contentModeS, ""); }},
        {"other content mode", {.dict = layer(R"({"_class":"bitmap"})"), .contentMode = "aspectFit"},
         [](const VStyleInfo& s) { EXPECT_EQ(s.contentModeS, ""); }},
        {"symbol instance", {.sketchClass = "symbolInstance", .imageName = std::nullopt, .masterId = "m"},
         [](const VStyleInfo& s) { EXPECT_TRUE(s.isCustomClass); EXPECT_EQ(s.masterId, "m"); EXPECT_EQ(s.imageName, ""); }},
        {"button class", {.classNameString = "UIButton"},
         [](const VStyleInfo& s) { EXPECT_EQ(s.programmingClass, ProgrammingClass::_button); }},
        {"unknown class", {.classNameString = "UIStackView"},
         [](const VStyleInfo& s) { EXPECT_EQ(s.programmingClass, ProgrammingClass::_view); }},
        {"short class name", {.classNameString = "U"},
         [](const VStyleInfo& s) { EXPECT_EQ(s.programmingClass, ProgrammingClass::_view); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rule);
        c.check(styled(c.in));
    }
}

TEST(VStyleInfoTest, TextAlignmentCodes)
{
    const struct {
        std::int64_t code;
        const char* codeValue;
        ContentHorizontalAlignmentType type;
        const char* typeText;
    } cases[] = {
        {1, ".right", ContentHorizontalAlignmentType::trailing, ".trailing"},
        {2, ".center", ContentHorizontalAlignmentType::center, ".center"},
        {3, ".justified", ContentHorizontalAlignmentType::fill, ".fill"},
        {0, ".left", ContentHorizontalAlignmentType::leading, ".leading"},
        {-1, ".left", ContentHorizontalAlignmentType::leading, ".leading"},
        {4, ".left", ContentHorizontalAlignmentType::leading, ".leading"},
    };
    for (const auto& c : cases) {
        const VStyleInfo s = styled({.textAlignment = c.code});
        EXPECT_EQ(s.textAlignmentS, c.codeValue) << c.code;
        EXPECT_EQ(s.contentHorizontalAlignment, c.type) << c.code;
        EXPECT_EQ(s.contentHorizontalAlignmentS, c.typeText) << c.code;
    }
    for (const auto& [text, type] : std::vector<std::pair<const char*, ContentHorizontalAlignmentType>>{
             {".left", ContentHorizontalAlignmentType::leading}, {"center", ContentHorizontalAlignmentType::center},
             {"fill", ContentHorizontalAlignmentType::fill}, {"", ContentHorizontalAlignmentType::leading},
             {"..right.", ContentHorizontalAlignmentType::trailing}, {"Center", ContentHorizontalAlignmentType::leading}})
        EXPECT_EQ(contentHorizontalAlignmentType(text), type) << text;
}

TEST(VStyleInfoTest, TextOverridesReplaceTheKeyAndAreUpdatedInPlace)
{
    auto text = [](boost::json::value value) {
        auto o = std::make_shared<OverridePropertiesValueModel>();
        o->relatedProperty = "stringValue";
        o->value = std::move(value);
        return o;
    };
    auto other = std::make_shared<OverridePropertiesValueModel>();
    other->relatedProperty = "image";
    other->value = boost::json::value("x");
    const std::vector<std::shared_ptr<OverridePropertiesValueModel>> overrides = {
        text(boost::json::value("Say \"hi\"\n")), other, text(boost::json::value(12)), text(boost::json::value("last"))};
    const VStyleInfo s = styled({.stringModel = std::make_shared<StringModel>("", "Hello"), .overrides = overrides});
    EXPECT_EQ(s.textKey, "last"); // the last text override wins over the string key
    EXPECT_EQ(overrides[0]->valueS, R"("Say \"hi\"\n")");
    EXPECT_EQ(overrides[0]->relatedPropertyS, "text");
    EXPECT_EQ(overrides[2]->valueS, "\"\""); // a value that is not text
    EXPECT_EQ(overrides[1]->valueS, "");
    EXPECT_EQ(overrides[1]->relatedPropertyS, "");
    EXPECT_EQ(s.overrides[0], overrides[0]); // the style shares the entries
}

TEST(VStyleInfoTest, EscapingByteForByte)
{
    using namespace std::string_literals;
    const struct {
        std::string in;
        std::string out;
    } cases[] = {
        {"a\nb", "a\\nb"},
        {"\\", "\\\\"},
        {"\\n", "\\\\n"},
        {"\r\n\t", "\\r\\n\\t"},
        {"x\0y"s, "x\\0y"},
        {"\"\xCC\x81", "\\\"\xCC\x81"}, // a quote followed by a combining acute is still escaped
        {"it's", "it\\'s"},
        {"\\\"", "\\\\\\\""},
        {"", ""},
        {"caf\xC3\xA9", "caf\xC3\xA9"},
    };
    for (const auto& c : cases) EXPECT_EQ(withEscapedNormalized(c.in), c.out) << c.in;
}

TEST(VStyleInfoTest, LayerPredicates)
{
    const struct {
        const char* json;
        bool image, pattern, background, opacity;
    } cases[] = {
        {R"({"_class":"bitmap"})", true, false, false, false},
        {R"({"_class":"text","exportOptions":{"exportFormats":[{}]}})", true, false, false, false},
        {R"({"_class":"text","exportOptions":{"exportFormats":[]}})", false, false, false, false},
        {R"({"_class":"rectangle","style":{"fills":[{"isEnabled":true,"fillType":4}]}})", true, true, false, false},
        {R"({"style":{"fills":[{"isEnabled":true,"fillType":0}],"contextSettings":{"opacity":0.5}}})", false, false, true, true},
        {R"({"style":{"fills":[{"isEnabled":false,"fillType":0}],"contextSettings":{"opacity":1}}})", false, false, false, false},
        {R"({"style":{"fills":[{"isEnabled":true,"fillType":0},7]}})", false, false, false, false},
        {R"({"hasBackgroundColor":true,"style":"x"})", false, false, true, false},
        {R"({"hasBackgroundColor":1,"_class":7,"style":{"fills":{}}})", false, false, false, false},
        {R"({"_class":"shapePath"})", true, false, false, false},
    };
    for (const auto& c : cases) {
        const boost::json::object l = layer(c.json);
        EXPECT_EQ(VStyleInfo::isImageViewLayer(l, *frame(10, 10)), c.image) << c.json;
        EXPECT_EQ(VStyleInfo::isPaternFill(l), c.pattern) << c.json;
        EXPECT_EQ(VStyleInfo::layerHasBackgroundColor(l), c.background) << c.json;
        EXPECT_EQ(VStyleInfo::hasOpacity(l), c.opacity) << c.json;
    }
    VStyleInfo button;
    button.classNameString = "UIButton";
    button.hasImage = true;
    EXPECT_TRUE(VStyleInfo::isButtonNeedsWidthHeight(button));
    button.hasTitle = true;
    EXPECT_FALSE(VStyleInfo::isButtonNeedsWidthHeight(button));
    EXPECT_FALSE(VStyleInfo::isTextFieldNeedsHeight(button));
    button.classNameString = "UISearchBar";
    EXPECT_TRUE(VStyleInfo::isSearchBar(button));
    EXPECT_TRUE(VStyleInfo::isCustomClassName("symbolInstance"));
    EXPECT_FALSE(VStyleInfo::isCustomClassName("SymbolInstance"));
}

} // namespace
