#pragma once

#include "Base/RawValueEnum.h"

// The anchor of one side of a client constraint. `width` and `height` stand for the two sides of
// a width-to-height ratio; the others for one edge, size or centre of an ordinary constraint.
enum class Anchors {
    none,
    leadingAnchor,
    trailingAnchor,
    topAnchor,
    bottomAnchor,
    widthAnchor,
    heightAnchor,
    centerXAnchor,
    centerYAnchor,
    width,
    height,
};

template <>
struct RawValues<Anchors> {
    static constexpr std::array<std::string_view, 11> names = {
        "none",        "leadingAnchor", "trailingAnchor", "topAnchor", "bottomAnchor", "widthAnchor",
        "heightAnchor", "centerXAnchor", "centerYAnchor", "width",     "height",
    };
};
