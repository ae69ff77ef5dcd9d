#pragma once

#include <QString>

#include <algorithm>
#include <string>

// Text identity of the naming pickers: names, keys and texts that are canonically equal Unicode
// (a precomposed and a decomposed accented letter) are the same; case still counts.
class PickerText {
public:
    static std::string normalized(const std::string& text)
    {
        // ASCII text is its own normal form; skipping the round trip keeps lookups cheap on large artboards.
        if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
            return text;
        return QString::fromStdString(text).normalized(QString::NormalizationForm_C).toStdString();
    }
};
