#include "Editor/Pages/PageSearchText.h"

#include <algorithm>
#include <cstddef>

namespace {

bool isAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// `needle` is already lower-cased ASCII and not empty.
bool asciiFoldedContains(std::string_view haystack, const std::string& needle)
{
    if (needle.size() > haystack.size()) return false;
    const std::size_t last = haystack.size() - needle.size();
    for (std::size_t start = 0; start <= last; ++start) {
        std::size_t i = 0;
        while (i < needle.size() && asciiLower(haystack[start + i]) == needle[i]) ++i;
        if (i == needle.size()) return true;
    }
    return false;
}

} // namespace

QString PageSearchText::folded(std::string_view text)
{
    // lower-casing can decompose or compose (a capital with an accent), so normalise afterwards
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
        .toLower()
        .normalized(QString::NormalizationForm_C);
}

PageSearchText::Query::Query(const std::string& text)
    : m_folded(folded(text))
{
    const QByteArray utf8 = m_folded.toUtf8();
    m_isAscii = isAscii(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    if (m_isAscii) m_asciiFolded.assign(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

bool PageSearchText::Query::isFoundIn(std::string_view text) const
{
    if (m_folded.isEmpty()) return true;
    // An ASCII text lower-cases and normalises to itself, so only an ASCII query can match it
    // and a byte comparison decides. Any other text (a Kelvin sign lower-cases to "k") goes
    // the whole way.
    if (isAscii(text)) return m_isAscii && asciiFoldedContains(text, m_asciiFolded);
    return folded(text).contains(m_folded);
}
