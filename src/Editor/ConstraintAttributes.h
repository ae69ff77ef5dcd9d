#pragma once

#include "Base/RawValueEnum.h"

// The layout attribute names the service uses in its constraints (top comes before trailing).
enum class ConstraintAttributes { leading, top, trailing, bottom, width, height, centerX, centerY };

template <>
struct RawValues<ConstraintAttributes> {
    static constexpr std::array<std::string_view, 8> names = {
        "leading", "top", "trailing", "bottom", "width", "height", "centerX", "centerY",
    };
};
