#include "Import/Sketch/SketchModelsMapper.h"

#include "platform/JsonText.h"

#include <cmath>

namespace {

std::int64_t percentOf(double alphaF)
{
    // alphaF holds two decimals, but e.g. 0.29 * 100 is 28.999999999999996 in binary; a plain
    // truncation would report 28 percent for a 29 percent alpha
    return ColorModel::pinnedInteger(std::trunc(alphaF * 100.0 + 1e-9));
}

} // namespace

ColorModel SketchModelsMapper::mapSketchColor(const SketchColorModel& sketchColor)
{
    const double redF = std::round(sketchColor.red * 255.0);
    const double greenF = std::round(sketchColor.green * 255.0);
    const double blueF = std::round(sketchColor.blue * 255.0);
    const double alphaF = std::round(sketchColor.alpha * 100.0) / 100.0;
    return ColorModel(std::string(), alphaF, percentOf(alphaF), redF, blueF, greenF, platform::decimalText(alphaF),
                      platform::decimalText(redF), platform::decimalText(blueF), platform::decimalText(greenF),
                      sketchColor.red, sketchColor.green, sketchColor.blue, sketchColor.alpha);
}
