#pragma once

#include "Editor/FontModel.h"
#include "Editor/Pages/ResourceCardListModelOf.h"

using TextStylesContainer = ResourceListContainer<FontModel>;

// The text-styles page's cards: the design's style name, and "font name, size".
class TextStyleCardListModel : public ResourceCardListModelOf<FontModel> {
public:
    explicit TextStyleCardListModel(QObject* parent = nullptr);

    // A style matches when its font name, else its style name, else its size text contains the query.
    static bool contains(const PageSearchText::Query& query, const FontModel& font);
    static ResourceCard card(const FontModel& font);
};
