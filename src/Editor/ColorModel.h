#pragma once

#include "Base/BaseModel.h"

#include <QColor>

#include <cstdint>
#include <string>

// A colour in three forms at once: fractions 0...1 (red, green, blue, alpha), channels on the
// 0...255 scale with the opacity as a fraction (the F fields, alphaInt in percent), and the decimal
// texts of the F fields. Colours from the service arrive with every form set by the service and
// nothing here recomputes one form from another; each operation names the form it reads.
struct ColorModel : BaseModel {
    std::string name;
    double alphaF = 0;
    std::int64_t alphaInt = 0;
    double redF = 0;
    double blueF = 0;
    double greenF = 0;
    std::string alphaS;
    std::string redS;
    std::string blueS;
    std::string greenS;
    double red = 0;
    double green = 0;
    double blue = 0;
    double alpha = 0;

    ColorModel() = default;
    ColorModel(std::string name, double alphaF, std::int64_t alphaInt, double redF, double blueF, double greenF,
               std::string alphaS, std::string redS, std::string blueS, std::string greenS, double red, double green,
               double blue, double alpha);

    // A whole number from a computed colour value. Values that are not numbers, or too large for
    // an integer, cannot be formatted faithfully: NaN gives 0 and the others are pinned to the
    // integer range instead of being converted with undefined behaviour.
    static std::int64_t pinnedInteger(double value);

    // Opaque black as the Sketch mapping makes it.
    static ColorModel getDefaultBlack();

    // `name`, with "_" and alphaInt appended unless the colour is opaque (alphaInt 100).
    std::string colorNameWithAlpha() const;
    // The part of `name` before the first "_".
    std::string colorNameWithoutAlpha() const;
    bool isAlphaNotHundred() const;

    // From the fractions: "#rrggbb" when alphaF is exactly 1, else "#aarrggbb"; lower case.
    std::string getHexString() const;
    // From the fractions: "r g b" as whole numbers.
    std::string getRGBString() const;

    // The swatch colour, from the 0...255 channels and alphaF. A colour above the platform's
    // range cannot be shown: it becomes opaque black, and a crash-report event carries the raw
    // channels so such colours from the service can be traced.
    QColor platformColor() const;
};
BOOST_DESCRIBE_STRUCT(ColorModel, (BaseModel),
                      (name, alphaF, alphaInt, redF, blueF, greenF, alphaS, redS, blueS, greenS, red, green, blue, alpha))
