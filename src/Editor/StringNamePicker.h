#pragma once

#include "Base/OrderedMap.h"
#include "Editor/StringModel.h"

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// Gives a text the code name of the project's string resource.
class StringNamePicker {
public:
    // Keyed by the string's name (Unicode-normalised); a later string with the same name replaces
    // the earlier, in the earlier one's place.
    const OrderedMap<std::string, std::shared_ptr<StringModel>>& stringMap() const { return m_stringMap; }

    void loadMap(const std::vector<std::shared_ptr<StringModel>>& list);
    // The name of the first entry of stringMap whose text is canonically equal to the argument's text.
    std::optional<std::string> getStringName(const StringModel& stringModel) const;

private:
    OrderedMap<std::string, std::shared_ptr<StringModel>> m_stringMap;
    // Normalising a designer's text costs far more than comparing it, and a project may have a
    // hundred thousand texts: each is normalised once, here, when the table changes (the loaded
    // models are not changed afterwards). The first entry of m_stringMap for each normalised
    // text; not owned, the models live in m_stringMap.
    std::unordered_map<std::string, const StringModel*> m_byText;
};
