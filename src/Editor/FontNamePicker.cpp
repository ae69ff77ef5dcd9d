#include "Editor/FontNamePicker.h"

#include "Editor/PickerText.h"

void FontNamePicker::loadMap(const std::vector<std::shared_ptr<FontModel>>& list)
{
    for (const auto& model : list) {
        if (!model) continue;
        fontMap.insert_or_assign(PickerText::normalized(model->uniqueKey), model);
    }
}

std::optional<std::string> FontNamePicker::getFontName(const FontModel& fontModel) const
{
    if (const auto* entry = fontMap.find(PickerText::normalized(fontModel.uniqueKey)))
        return (*entry)->textStyleName;
    return std::nullopt;
}
