#pragma once

#include "Base/OrderedMap.h"
#include "Editor/StringModel.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// Gives a text the code name of the project's string resource.
class StringNamePicker {
public:
    // Keyed by the string's name (Unicode-normalised); a later string with the same name replaces the earlier.
    OrderedMap<std::string, std::shared_ptr<StringModel>> stringMap;

    void loadMap(const std::vector<std::shared_ptr<StringModel>>& list);
    // The name of the first loaded entry whose text equals the argument's text.
    std::optional<std::string> getStringName(const StringModel& stringModel) const;
};
