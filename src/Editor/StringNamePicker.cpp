#include "Editor/StringNamePicker.h"

#include "Editor/PickerText.h"

void StringNamePicker::loadMap(const std::vector<std::shared_ptr<StringModel>>& list)
{
    for (const auto& model : list) {
        if (!model) continue;
        stringMap.insert_or_assign(PickerText::normalized(model->name), model);
    }
}

std::optional<std::string> StringNamePicker::getStringName(const StringModel& stringModel) const
{
    const std::string wanted = PickerText::normalized(stringModel.text);
    for (const auto& [key, entry] : stringMap) {
        if (entry->text == stringModel.text || PickerText::normalizesTo(entry->text, wanted)) return entry->name;
    }
    return std::nullopt;
}
