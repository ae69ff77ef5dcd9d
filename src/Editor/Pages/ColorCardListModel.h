#pragma once

#include "Editor/ColorModel.h"
#include "Editor/Pages/ResourceCardListModelOf.h"

using ColorsContainer = ResourceListContainer<ColorModel>;

// The colours page's cards: swatch, name, hex text, "Rgb r g b" and "%alpha".
class ColorCardListModel : public ResourceCardListModelOf<ColorModel> {
public:
    explicit ColorCardListModel(QObject* parent = nullptr);

    // A colour matches when its name, else its hex text, else its RGB text contains the query.
    static bool contains(const PageSearchText::Query& query, const ColorModel& color);
    static ResourceCard card(const ColorModel& color);
};
