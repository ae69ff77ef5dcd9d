#pragma once

#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

// Text identity of the naming pickers: names, keys and texts that are canonically equal Unicode
// (a precomposed and a decomposed accented letter) are the same; case still counts.
class PickerText {
public:
    static bool isAscii(const std::string& text)
    {
        // Eight bytes at a time: every name and text of a project's tables passes here when loaded.
        constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
        const char* data = text.data();
        std::size_t left = text.size();
        for (; left >= sizeof(std::uint64_t); left -= sizeof(std::uint64_t), data += sizeof(std::uint64_t)) {
            std::uint64_t word = 0;
            std::memcpy(&word, data, sizeof word);
            if (word & kHighBits) return false;
        }
        return std::all_of(data, data + left, [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    }

    static std::string normalized(const std::string& text)
    {
        // ASCII text is its own normal form; skipping the round trip keeps lookups cheap on large artboards.
        if (isAscii(text)) return text;
        return QString::fromStdString(text).normalized(QString::NormalizationForm_C).toStdString();
    }
};
