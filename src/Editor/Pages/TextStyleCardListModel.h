#pragma once

#include "Editor/FontModel.h"
#include "Editor/Pages/ResourceCardListModelOf.h"

#include <string>
#include <vector>

using TextStylesContainer = ResourceListContainer<FontModel>;

// The text-styles page's cards: the design's style name, and "font name, size".
class TextStyleCardListModel : public ResourceCardListModelOf<FontModel> {
public:
    explicit TextStyleCardListModel(QObject* parent = nullptr);

    // What a query is looked for in: the font name, the style name and the size text.
    static std::vector<std::string> searchTexts(const FontModel& font);
    static ResourceCard card(const FontModel& font);
};
