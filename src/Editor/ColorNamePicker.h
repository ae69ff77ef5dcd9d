#pragma once

#include "Base/OrderedMap.h"
#include "Editor/ColorModel.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// Gives a colour the name under which the project knows it.
class ColorNamePicker {
public:
    // Keyed by the colour's name (Unicode-normalised); the models are shared with the list they
    // came from. Walked in loading order, so the first loaded of several matches answers.
    OrderedMap<std::string, std::shared_ptr<ColorModel>> colorMap;

    // A later colour with the same name replaces the earlier one; the defaults "clear" and
    // "black" come last and replace project colours of those names.
    void loadMap(const std::vector<std::shared_ptr<ColorModel>>& list);
    void addDefaultColors();

    // The name of an entry whose redF, greenF, blueF and alphaF equal the argument's exactly.
    std::optional<std::string> getColorName(const ColorModel& colorModel) const;
};
