#include "Editor/Pages/PageDisplayText.h"

#include <algorithm>
#include <cstddef>

namespace {

bool isContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// `text` as shown; `shortened` says that the text it was taken from goes on after it.
QString shown(const QString& text, bool shortened)
{
    if (!shortened && text.size() <= PageDisplayText::kMaxLength) return text;
    qsizetype length = std::min(text.size(), PageDisplayText::kMaxLength);
    // keep a surrogate pair whole
    if (length > 0 && text.at(length - 1).isHighSurrogate()) --length;
    return text.left(length) + QChar(0x2026);
}

} // namespace

QString PageDisplayText::bounded(std::string_view text)
{
    // a character takes at most four bytes, so this prefix holds kMaxLength characters or more
    constexpr std::size_t kMaxBytes = static_cast<std::size_t>(kMaxLength) * 4;
    if (text.size() <= kMaxBytes)
        return shown(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), false);
    std::size_t cut = kMaxBytes;
    // never split a character's bytes, which would show a replacement character before the ellipsis
    while (cut > 0 && isContinuationByte(text[cut])) --cut;
    return shown(QString::fromUtf8(text.data(), static_cast<qsizetype>(cut)), true);
}

QString PageDisplayText::bounded(const QString& text)
{
    return shown(text, false);
}
