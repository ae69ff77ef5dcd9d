#pragma once

#include <QString>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// A file's UTF-8 text seen as lines of character columns, for a view that shows only the part
// in its window. The text is read in place; the lines are found in one pass, and only every
// kLinesPerMark-th line start is kept, so a file of millions of short lines costs a few bytes
// per line.
//
// Lines end at '\n' (a '\r' before it is not shown). A character takes one column, a tab runs to
// the next multiple of the tab's columns. Offsets are byte offsets into the text and always fall on the
// first byte of a character (or at a line's or the text's end).
class CodeTextLines {
public:
    static constexpr std::size_t kDefaultTabColumns = 8;
    static constexpr std::size_t kLinesPerMark = 32;

    struct Line {
        std::size_t start = 0; // the offset of its first character
        std::size_t end = 0;   // the offset after its last shown character
        std::size_t next = 0;  // the offset where the next line starts (the text's size for the last)
    };

    // An empty text: one empty line.
    CodeTextLines();
    // `text` must not change while these lines are in use.
    explicit CodeTextLines(std::shared_ptr<const std::string> text, std::size_t tabColumns = kDefaultTabColumns);

    const std::shared_ptr<const std::string>& sharedText() const { return m_text; }
    const std::string& text() const { return *m_text; }
    std::size_t tabColumns() const { return m_tabColumns; }
    std::size_t lineCount() const { return m_lineCount; }
    // The columns of the widest line.
    std::size_t widestLineColumns() const { return m_widestColumns; }

    // `index` below lineCount().
    Line line(std::size_t index) const;
    // The line after `line` (the same line for the last).
    Line lineAfter(const Line& line) const;

    // The column where the character at `offset` of `line` starts (`offset` is kept inside the line).
    std::size_t columnOf(const Line& line, std::size_t offset) const;
    // The offset of the character boundary of `line` nearest to `column` (a tab's middle goes
    // to its nearer edge); the line's end past its last column.
    std::size_t offsetNearestColumn(const Line& line, std::size_t column) const;
    // What `line` shows from `firstColumn` on, at most `columns` wide, tabs as spaces.
    QString shownText(const Line& line, std::size_t firstColumn, std::size_t columns) const;

    // The text between two offsets as it is, for copying.
    QString textBetween(std::size_t from, std::size_t to) const;

private:
    struct Position {
        std::size_t offset = 0;
        std::size_t column = 0;
    };
    // Walks `line` from its start to the first character starting at `column` or after it.
    Position firstAtOrAfter(const Line& line, std::size_t column) const;
    std::size_t columnsOf(const Line& line) const;
    std::size_t columnAfter(char c, std::size_t column) const;

    std::shared_ptr<const std::string> m_text;
    std::size_t m_tabColumns = kDefaultTabColumns;
    std::vector<std::size_t> m_marks; // the start of every kLinesPerMark-th line
    std::size_t m_lineCount = 1;
    std::size_t m_widestColumns = 0;
    bool m_oneByteColumns = true; // ASCII without tabs: a column is a byte
};
