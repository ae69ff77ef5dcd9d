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

using Lines = std::vector<std::string>;

Lines allLines(const CodeTextLines& lines)
{
    Lines out;
    for (std::size_t i = 0; i < lines.lineCount(); ++i) {
        const CodeTextLines::Line line = lines.line(i);
        out.push_back(lines.text().substr(line.start, line.end - line.start));
    }
    return out;
}

TEST(CodeTextLinesTest, SplitsAtLineBreaksHidingTheCarriageReturnBeforeThem)
{
    const struct {
        const char* text;
        Lines lines;
        std::size_t widest;
    } cases[] = {
        {"", {""}, 0},
        {"ab\r\ncd\n\nlast\r", {"ab", "cd", "", "last\r"}, 5},
        {"ends with a break\n", {"ends with a break", ""}, 17},
        {"a\tb\n\xC3\xA9t\xC3\xA9", {"a\tb", "\xC3\xA9t\xC3\xA9"}, 9}, // a tab runs to column 8
    };
    for (const auto& c : cases) {
        EXPECT_EQ(allLines(linesOf(c.text)), c.lines) << c.text;
        EXPECT_EQ(linesOf(c.text).widestLineColumns(), c.widest) << c.text;
    }
}

// Only some line starts are kept; every line is still found.
TEST(CodeTextLinesTest, FindsEveryLineOfAManyLineText)
{
    std::string text;
    Lines expected;
    for (std::size_t i = 0; i < 5 * CodeTextLines::kLinesPerMark + 3; ++i) {
        expected.push_back("l\xC3\xAFne\t" + std::to_string(i));
        text += expected.back() + "\n";
    }
    expected.emplace_back();
    EXPECT_EQ(allLines(linesOf(text)), expected);
}

TEST(CodeTextLinesTest, ShowsColumnsOfALineWithTabsAsSpaces)
{
    const CodeTextLines lines = linesOf("a\tb\xC3\xA9" "c\n" + std::string(100, 'x'));
    const struct {
        std::size_t line, first, columns;
        QString shown;
    } cases[] = {
        {0, 0, 20, QStringLiteral("a       b\u00E9c")},
        {0, 3, 7, QStringLiteral("     b\u00E9")}, // starts inside the tab
        {0, 9, 1, QStringLiteral("\u00E9")},
        {0, 11, 5, QString()},
        {1, 95, 10, QStringLiteral("xxxxx")},
    };
    for (const auto& c : cases) EXPECT_EQ(lines.shownText(lines.line(c.line), c.first, c.columns), c.shown) << c.first;
}

// A point of the view maps to the character boundary nearest to its column, and back.
TEST(CodeTextLinesTest, MapsColumnsToOffsetsAndBack)
{
    const CodeTextLines lines = linesOf("\xC3\xA9\tz\nabc");
    const struct {
        std::size_t line, column, offset, columnOfOffset;
    } cases[] = {
        {0, 0, 0, 0},  {0, 1, 2, 1},  // after the two bytes of the é
        {0, 3, 2, 1},  {0, 6, 3, 8},  // inside the tab: its nearer edge
        {0, 9, 4, 9},  {0, 40, 4, 9}, // past the end: the line's end
        {1, 2, 7, 2},  {1, 9, 8, 3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(lines.offsetNearestColumn(lines.line(c.line), c.column), c.offset) << c.column;
        EXPECT_EQ(lines.columnOf(lines.line(c.line), c.offset), c.columnOfOffset) << c.offset;
    }
}

TEST(CodeTextLinesTest, CopiesTheTextBetweenOffsetsAsItIs)
{
    const CodeTextLines lines = linesOf("let a\r\n\t\xE2\x82\xAC\n");
    EXPECT_EQ(lines.textBetween(4, 8), QStringLiteral("a\r\n\t"));
    EXPECT_EQ(lines.textBetween(8, 1000), QStringLiteral("\u20AC\n"));
    EXPECT_EQ(lines.textBetween(1000, 2000), QString());
}

} // namespace
