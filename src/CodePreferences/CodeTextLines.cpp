#include "CodePreferences/CodeTextLines.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

bool isContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

QString fromUtf8(const std::string& text, std::size_t from, std::size_t to)
{
    return QString::fromUtf8(text.data() + from, static_cast<qsizetype>(to - from));
}

// The line that starts at `start`.
CodeTextLines::Line lineAt(const std::string& text, std::size_t start)
{
    const void* newline = std::memchr(text.data() + start, '\n', text.size() - start);
    if (!newline) return {start, text.size(), text.size()};
    const std::size_t end = static_cast<std::size_t>(static_cast<const char*>(newline) - text.data());
    const bool carriageReturn = end > start && text[end - 1] == '\r';
    return {start, carriageReturn ? end - 1 : end, end + 1};
}

} // namespace

CodeTextLines::CodeTextLines()
    : CodeTextLines(std::make_shared<const std::string>())
{
}

CodeTextLines::CodeTextLines(std::shared_ptr<const std::string> text, std::size_t tabColumns)
    : m_text(text ? std::move(text) : std::make_shared<const std::string>())
    , m_tabColumns(std::max<std::size_t>(tabColumns, 1))
{
    const std::string& s = *m_text;
    // Generated code is mostly ASCII without tabs, where a column is a byte and no line needs a walk.
    unsigned char allBits = 0;
    for (const char c : s) allBits |= static_cast<unsigned char>(c);
    m_oneByteColumns = allBits < 0x80 && std::memchr(s.data(), '\t', s.size()) == nullptr;

    // Plain pointers and locals: this loop runs once per line of files of millions of lines.
    const char* const begin = s.data();
    const char* const end = begin + s.size();
    const char* start = begin;
    std::size_t lineCount = 0;
    std::size_t widest = 0;
    const bool oneByteColumns = m_oneByteColumns;
    for (;;) {
        if (lineCount % kLinesPerMark == 0) m_marks.push_back(static_cast<std::size_t>(start - begin));
        ++lineCount;
        const auto* newline = static_cast<const char*>(std::memchr(start, '\n', static_cast<std::size_t>(end - start)));
        const char* shownEnd = newline ? newline : end;
        if (newline && shownEnd > start && shownEnd[-1] == '\r') --shownEnd;
        const auto startOffset = static_cast<std::size_t>(start - begin);
        const auto endOffset = static_cast<std::size_t>(shownEnd - begin);
        widest = std::max(widest, oneByteColumns ? endOffset - startOffset : columnsOf({startOffset, endOffset, endOffset}));
        if (!newline) break;
        start = newline + 1;
    }
    m_lineCount = lineCount;
    m_widestColumns = widest;
}

CodeTextLines::Line CodeTextLines::line(std::size_t index) const
{
    index = std::min(index, m_lineCount - 1);
    Line found = lineAt(*m_text, m_marks[index / kLinesPerMark]);
    for (std::size_t i = 0; i < index % kLinesPerMark; ++i) found = lineAfter(found);
    return found;
}

CodeTextLines::Line CodeTextLines::lineAfter(const Line& line) const
{
    // Only the last line ends without a line break.
    return line.end == line.next ? line : lineAt(*m_text, line.next);
}

std::size_t CodeTextLines::columnAfter(char c, std::size_t column) const
{
    return c == '\t' ? (column / m_tabColumns + 1) * m_tabColumns : column + 1;
}

CodeTextLines::Position CodeTextLines::firstAtOrAfter(const Line& line, std::size_t column) const
{
    if (m_oneByteColumns) {
        const std::size_t offset = line.start + std::min(column, line.end - line.start);
        return {offset, offset - line.start};
    }
    const std::string& s = *m_text;
    Position at{line.start, 0};
    while (at.offset < line.end && at.column < column) {
        at.column = columnAfter(s[at.offset], at.column);
        ++at.offset;
        while (at.offset < line.end && isContinuationByte(s[at.offset])) ++at.offset;
    }
    return at;
}

std::size_t CodeTextLines::columnsOf(const Line& line) const
{
    return firstAtOrAfter(line, static_cast<std::size_t>(-1)).column;
}

std::size_t CodeTextLines::columnOf(const Line& line, std::size_t offset) const
{
    offset = std::clamp(offset, line.start, line.end);
    if (m_oneByteColumns) return offset - line.start;
    const std::string& s = *m_text;
    Position at{line.start, 0};
    while (at.offset < offset) {
        at.column = columnAfter(s[at.offset], at.column);
        ++at.offset;
        while (at.offset < line.end && isContinuationByte(s[at.offset])) ++at.offset;
    }
    return at.column;
}

std::size_t CodeTextLines::offsetNearestColumn(const Line& line, std::size_t column) const
{
    if (m_oneByteColumns) return line.start + std::min(column, line.end - line.start);
    const std::string& s = *m_text;
    Position at{line.start, 0};
    while (at.offset < line.end) {
        Position next{at.offset + 1, columnAfter(s[at.offset], at.column)};
        while (next.offset < line.end && isContinuationByte(s[next.offset])) ++next.offset;
        if (next.column > column) return column - at.column < next.column - column ? at.offset : next.offset;
        at = next;
    }
    return line.end;
}

QString CodeTextLines::shownText(const Line& line, std::size_t firstColumn, std::size_t columns) const
{
    const std::string& s = *m_text;
    const std::size_t last = firstColumn + columns;
    const Position first = firstAtOrAfter(line, firstColumn);
    // the rest of a tab that starts before the first column
    QString shown(static_cast<qsizetype>(std::min(first.column, last) - std::min(first.column, firstColumn)), QLatin1Char(' '));
    std::size_t column = first.column;
    std::size_t run = first.offset;
    std::size_t offset = first.offset;
    while (offset < line.end && column < last) {
        if (s[offset] == '\t') {
            shown += fromUtf8(s, run, offset);
            const std::size_t next = columnAfter('\t', column);
            shown += QString(static_cast<qsizetype>(std::min(next, last) - column), QLatin1Char(' '));
            column = next;
            run = ++offset;
            continue;
        }
        ++column;
        ++offset;
        while (offset < line.end && isContinuationByte(s[offset])) ++offset;
    }
    shown += fromUtf8(s, run, offset);
    return shown;
}

QString CodeTextLines::textBetween(std::size_t from, std::size_t to) const
{
    to = std::min(to, m_text->size());
    from = std::min(from, to);
    return fromUtf8(*m_text, from, to);
}
