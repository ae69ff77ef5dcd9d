#pragma once

#include "Editor/ColorModel.h"
#include "Import/Sketch/SketchColorModel.h"

// Turns Sketch values into the system's models.
class SketchModelsMapper {
public:
    // All three forms of the colour: channels 0...255 rounded, alpha kept to two decimals and in
    // percent, their decimal texts, and the fractions unchanged. The name is empty.
    static ColorModel mapSketchColor(const SketchColorModel& sketchColor);
};
