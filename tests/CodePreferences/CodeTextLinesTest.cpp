#include "CodePreferences/CodeTextLines.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

CodeTextLines linesOf(const std::string& text)
{
    return CodeTextLines(std::make_shared<const std::string>(text));
}

std::vector<std::string> allLines(const CodeTextLines& lines)
{
    std::vector<std::string> out;
    for (std::size_t i = 0; i < lines.lineCount(); ++i) {
        const CodeTextLines::Line line = lines.line(i);
        out.push_back(lines.text().substr(line.start, line.end - line.start));
    }
    return out;
}

using Lines = std::vector<std::string>;

TEST(CodeTextLinesTest, SplitsAtLineBreaksHidingTheCarriageReturnBeforeThem)
{
    const struct {
        const char* text;
        Lines lines;
        std::size_t widest;
    } cases[] = {
        {"", {""}, 0},
        {"one line", {"one line"}, 8},
        {"ab\r\ncd\n\nlast\r", {"ab", "cd", "", "last\r"}, 5},
        {"ends with a break\n", {"ends with a break", ""}, 17},
        {"a\tb\n\xC3\xA9t\xC3\xA9", {"a\tb", "\xC3\xA9t\xC3\xA9"}, 9}, // a tab runs to column 8
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const CodeTextLines lines = linesOf(c.text);
        EXPECT_EQ(lines.lineCount(), c.lines.size());
        EXPECT_EQ(allLines(lines), c.lines);
        EXPECT_EQ(lines.widestLineColumns(), c.widest);
    }
}

// Only some line starts are kept; every line is still found, in both kinds of text.
TEST(CodeTextLinesTest, FindsEveryLineOfAManyLineText)
{
    for (const std::string prefix : {"line ", "l\xC3\xAFne\t"}) {
        std::string text;
        Lines expected;
        for (int i = 0; i < 5 * static_cast<int>(CodeTextLines::kLinesPerMark) + 3; ++i) {
            expected.push_back(prefix + std::to_string(i));
            text += expected.back() + "\n";
        }
        expected.emplace_back();
        EXPECT_EQ(allLines(linesOf(text)), expected) << prefix;
    }
}

TEST(CodeTextLinesTest, ShowsColumnsOfALineWithTabsAsSpaces)
{
    const CodeTextLines lines = linesOf("a\tb\xC3\xA9" "c\n" + std::string(100, 'x'));
    const CodeTextLines::Line tabbed = lines.line(0);
    const CodeTextLines::Line plain = lines.line(1);
    const struct {
        const CodeTextLines::Line* line;
        std::size_t first, columns;
        QString shown;
    } cases[] = {
        {&tabbed, 0, 20, QStringLiteral("a       b\u00E9c")},
        {&tabbed, 3, 7, QStringLiteral("     b\u00E9")}, // starts inside the tab
        {&tabbed, 9, 1, QStringLiteral("\u00E9")},
        {&tabbed, 11, 5, QString()},
        {&plain, 95, 10, QStringLiteral("xxxxx")},
        {&plain, 0, 3, QStringLiteral("xxx")},
    };
    for (const auto& c : cases) EXPECT_EQ(lines.shownText(*c.line, c.first, c.columns), c.shown) << c.first;
}

// A point of the view maps to the character boundary nearest to its column, and back.
TEST(CodeTextLinesTest, MapsColumnsToOffsetsAndBack)
{
    const CodeTextLines lines = linesOf("\xC3\xA9\tz\nabc");
    const CodeTextLines::Line first = lines.line(0);
    const CodeTextLines::Line second = lines.line(1);
    const struct {
        const CodeTextLines::Line* line;
        std::size_t column, offset, columnOfOffset;
    } cases[] = {
        {&first, 0, 0, 0},   {&first, 1, 2, 1},    // after the two bytes of the é
        {&first, 3, 2, 1},   {&first, 6, 3, 8},    // inside the tab: its nearer edge
        {&first, 9, 4, 9},   {&first, 40, 4, 9},   // past the end: the line's end
        {&second, 2, 7, 2},  {&second, 9, 8, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.column);
        EXPECT_EQ(lines.offsetNearestColumn(*c.line, c.column), c.offset);
        EXPECT_EQ(lines.columnOf(*c.line, c.offset), c.columnOfOffset);
    }
}

TEST(CodeTextLinesTest, CopiesTheTextBetweenOffsetsAsItIs)
{
    const std::string text = "let a\r\n\t\xE2\x82\xAC\n";
    const CodeTextLines lines = linesOf(text);
    EXPECT_EQ(lines.textBetween(0, text.size()), QString::fromStdString(text));
    EXPECT_EQ(lines.textBetween(4, 8), QStringLiteral("a\r\n\t"));
    EXPECT_EQ(lines.textBetween(8, 1000), QStringLiteral("\u20AC\n"));
    EXPECT_EQ(lines.textBetween(1000, 2000), QString());
}

} // namespace
