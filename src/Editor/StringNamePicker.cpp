#include "Editor/StringNamePicker.h"

#include "Editor/PickerText.h"

void StringNamePicker::loadMap(const std::vector<std::shared_ptr<StringModel>>& list)
{
    for (const auto& model : list) {
        if (!model) continue;
        m_stringMap.insert_or_assign(PickerText::normalized(model->name), model);
    }
    // Rebuilt whole: a replaced entry may have been the first of its text.
    m_byText.clear();
    m_byText.reserve(m_stringMap.size());
    for (const auto& [key, entry] : m_stringMap) m_byText.try_emplace(PickerText::normalized(entry->text), entry.get());
}

std::optional<std::string> StringNamePicker::getStringName(const StringModel& stringModel) const
{
    const auto found = m_byText.find(PickerText::normalized(stringModel.text));
    if (found == m_byText.end()) return std::nullopt;
    return found->second->name;
}
