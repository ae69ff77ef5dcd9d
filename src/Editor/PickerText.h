#pragma once

#include <QString>

#include <algorithm>
#include <string>

// Text identity of the naming pickers: names, keys and texts that are canonically equal Unicode
// (a precomposed and a decomposed accented letter) are the same; case still counts.
class PickerText {
public:
    static bool isAscii(const std::string& text)
    {
        return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    }

    static std::string normalized(const std::string& text)
    {
        // ASCII text is its own normal form; skipping the round trip keeps lookups cheap on large artboards.
        if (isAscii(text)) return text;
        return QString::fromStdString(text).normalized(QString::NormalizationForm_C).toStdString();
    }

    // Whether `text` normalises to `normalizedText` (already in normal form); ASCII text is
    // compared as it is, without a copy.
    static bool normalizesTo(const std::string& text, const std::string& normalizedText)
    {
        if (isAscii(text)) return text == normalizedText;
        return normalized(text) == normalizedText;
    }
};
