#include "Editor/ColorModel.h"

#include "App/EventLogger.h"
#include "Import/Sketch/SketchColorModel.h"
#include "Import/Sketch/SketchModelsMapper.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace {

// Fraction to a whole channel value, halves away from zero.
std::int64_t channelInteger(double fraction)
{
    return ColorModel::pinnedInteger(std::round(fraction * 255.0));
}

std::string hexText(const char* format, std::uint64_t value)
{
    // the printf-style %x of the hex forms reads 32 bits
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, static_cast<unsigned>(value & 0xffffffffu));
    return buffer;
}

} // namespace

ColorModel::ColorModel(std::string nameIn, double alphaFIn, std::int64_t alphaIntIn, double redFIn, double blueFIn, double greenFIn,
                       std::string alphaSIn, std::string redSIn, std::string blueSIn, std::string greenSIn, double redIn,
                       double greenIn, double blueIn, double alphaIn)
    : name(std::move(nameIn))
    , alphaF(alphaFIn)
    , alphaInt(alphaIntIn)
    , redF(redFIn)
    , blueF(blueFIn)
    , greenF(greenFIn)
    , alphaS(std::move(alphaSIn))
    , redS(std::move(redSIn))
    , blueS(std::move(blueSIn))
    , greenS(std::move(greenSIn))
    , red(redIn)
    , green(greenIn)
    , blue(blueIn)
    , alpha(alphaIn)
{
}

std::int64_t ColorModel::pinnedInteger(double value)
{
    if (std::isnan(value)) return 0;
    constexpr double kLimit = 9.2e18;
    if (value >= kLimit) return std::numeric_limits<std::int64_t>::max();
    if (value <= -kLimit) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(value);
}

ColorModel ColorModel::getDefaultBlack()
{
    return SketchModelsMapper::mapSketchColor(SketchColorModel{0, 0, 0, 1});
}

std::string ColorModel::colorNameWithAlpha() const
{
    if (alphaInt == 100) return name;
    return name + "_" + std::to_string(alphaInt);
}

std::string ColorModel::colorNameWithoutAlpha() const
{
    return name.substr(0, name.find('_'));
}

bool ColorModel::isAlphaNotHundred() const
{
    return alphaInt != 100;
}

std::string ColorModel::getHexString() const
{
    const auto r = static_cast<std::uint64_t>(channelInteger(red));
    const auto g = static_cast<std::uint64_t>(channelInteger(green));
    const auto b = static_cast<std::uint64_t>(channelInteger(blue));
    if (alphaF == 1.0) return hexText("#%06x", (r << 16) | (g << 8) | b);
    const auto a = static_cast<std::uint64_t>(channelInteger(alphaF));
    return hexText("#%08x", (a << 24) | (r << 16) | (g << 8) | b);
}

std::string ColorModel::getRGBString() const
{
    return std::to_string(channelInteger(red)) + " " + std::to_string(channelInteger(green)) + " "
        + std::to_string(channelInteger(blue));
}

QColor ColorModel::platformColor() const
{
    const double r = redF / 255.0;
    const double g = greenF / 255.0;
    const double b = blueF / 255.0;
    const double a = alphaF;
    // a NaN fails these comparisons, as it should; there is no lower bound
    if (r <= 1.0 && g <= 1.0 && b <= 1.0 && a <= 1.0)
        return QColor::fromRgbF(static_cast<float>(r), static_cast<float>(g), static_cast<float>(b), static_cast<float>(a));
    EventLogger::instance().logEvent(EventSeverity::info,
                                     QStringLiteral("ZendaqVusk: ColorModel colors are not suitable for WaddaColor"),
                                     boost::json::object{{"redF", redF}, {"greenF", greenF}, {"blueF", blueF}, {"alphaF", alphaF}});
    return QColor::fromRgbF(0.f, 0.f, 0.f, 1.f);
}
