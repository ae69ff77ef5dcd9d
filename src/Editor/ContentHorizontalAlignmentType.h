#pragma once

#include "Base/RawValueEnum.h"

#include <string_view>

// How a control lays out its content horizontally, in generated code.
enum class ContentHorizontalAlignmentType { leading, trailing, center, fill };

template <>
struct RawValues<ContentHorizontalAlignmentType> {
    static constexpr std::array<std::string_view, 4> names = {"leading", "trailing", "center", "fill"};
};

// The case for a text-alignment code value (".right", ".justified", ...); always yields a case:
// the dots are removed, "justified" gives fill, "right" trailing, a raw value its case, anything
// else leading.
ContentHorizontalAlignmentType contentHorizontalAlignmentType(std::string_view codeValue);
