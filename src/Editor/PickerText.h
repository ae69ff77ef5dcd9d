#pragma once

#include <QString>

#include <string>

// Text identity of the naming pickers: names, keys and texts that are canonically equal Unicode
// (a precomposed and a decomposed accented letter) are the same; case still counts.
class PickerText {
public:
    static std::string normalized(const std::string& text)
    {
        return QString::fromStdString(text).normalized(QString::NormalizationForm_C).toStdString();
    }
};
