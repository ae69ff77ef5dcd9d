#pragma once

#include <string>

// Weight words of the system font, from Sketch's usage strings ("CTFontBoldUsage").
class FontWeight {
public:
    FontWeight() = delete;

    // The usage without "CTFont" and "Usage": CTFontBoldUsage gives Bold.
    static std::string getFontWeightMeasure(const std::string& usage);
    // "-" and the measure with only its first character upper case: CTFontSemiBoldUsage gives -Semibold.
    static std::string getWeightPrefix(const std::string& usage);
};
