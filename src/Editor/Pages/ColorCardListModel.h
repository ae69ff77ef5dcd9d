#pragma once

#include "Editor/ColorModel.h"
#include "Editor/Pages/ResourceCardListModelOf.h"

#include <string>
#include <vector>

using ColorsContainer = ResourceListContainer<ColorModel>;

// The colours page's cards: swatch, name, hex text, "Rgb r g b" and "%alpha".
class ColorCardListModel : public ResourceCardListModelOf<ColorModel> {
public:
    explicit ColorCardListModel(QObject* parent = nullptr);

    // What a query is looked for in: the name, the hex text and the RGB text.
    static std::vector<std::string> searchTexts(const ColorModel& color);
    static ResourceCard card(const ColorModel& color);
};
