#include "Editor/ColorNamePicker.h"

#include "Editor/PickerText.h"

void ColorNamePicker::loadMap(const std::vector<std::shared_ptr<ColorModel>>& list)
{
    for (const auto& model : list) {
        if (!model) continue;
        colorMap.insert_or_assign(PickerText::normalized(model->name), model);
    }
    addDefaultColors();
}

void ColorNamePicker::addDefaultColors()
{
    // Copied from one string: GCC 12 at -O3 warns wrongly (-Wstringop-overflow) on chained literal assignments.
    const std::string zero = "0";
    auto clear = std::make_shared<ColorModel>();
    clear->name = "clear";
    clear->redS = clear->greenS = clear->blueS = clear->alphaS = zero;
    colorMap.insert_or_assign(clear->name, clear);

    auto black = std::make_shared<ColorModel>();
    black->name = "black";
    black->alphaF = 1;
    black->alpha = 1;
    black->redS = black->greenS = black->blueS = black->alphaS = zero;
    colorMap.insert_or_assign(black->name, black);
}

std::optional<std::string> ColorNamePicker::getColorName(const ColorModel& colorModel) const
{
    for (const auto& [key, entry] : colorMap) {
        // == is false for NaN, so a channel that is not a number never matches
        if (entry->redF == colorModel.redF && entry->greenF == colorModel.greenF && entry->blueF == colorModel.blueF
            && entry->alphaF == colorModel.alphaF)
            return entry->name;
    }
    return std::nullopt;
}
