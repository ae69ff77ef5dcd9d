#include "Editor/Pages/PageSearchText.h"

#include <QString>

#include <algorithm>

namespace {

bool isAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string PageSearchText::folded(std::string_view text)
{
    // ASCII lower-cases and normalises to ASCII, byte for byte: no detour through UTF-16
    if (isAscii(text)) {
        std::string result(text);
        std::transform(result.begin(), result.end(), result.begin(), asciiLower);
        return result;
    }
    // lower-casing can decompose or compose (a capital with an accent), so normalise afterwards
    const QByteArray utf8 = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
                                .toLower()
                                .normalized(QString::NormalizationForm_C)
                                .toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

PageSearchText::Folded::Folded(std::string_view text)
    : m_utf8(folded(text))
{
}

PageSearchText::Query::Query(std::string_view text)
    : m_search(folded(text))
{
}

bool PageSearchText::Query::isFoundIn(const Folded& text) const
{
    return m_search.isFoundIn(text.utf8());
}
