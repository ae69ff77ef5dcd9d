#pragma once

#include "Base/OrderedMap.h"
#include "Editor/FontModel.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// Gives a view's font the name of the project's text style.
class FontNamePicker {
public:
    // Keyed by the font's uniqueKey (Unicode-normalised); a later font with the same key replaces the earlier.
    OrderedMap<std::string, std::shared_ptr<FontModel>> fontMap;

    void loadMap(const std::vector<std::shared_ptr<FontModel>>& list);
    // The textStyleName of the entry with the argument's uniqueKey.
    std::optional<std::string> getFontName(const FontModel& fontModel) const;
};
