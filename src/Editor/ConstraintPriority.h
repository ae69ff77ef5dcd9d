#pragma once

#include "Base/RawValueEnum.h"

// The priority of a client constraint.
enum class ConstraintPriority { none, required, defaultHigh, defaultLow };

template <>
struct RawValues<ConstraintPriority> {
    static constexpr std::array<std::string_view, 4> names = {"none", "required", "defaultHigh", "defaultLow"};
};
