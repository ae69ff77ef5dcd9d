#pragma once

#include "Base/BaseModel.h"

#include <optional>
#include <string>

// One shared text style of the design, as JSON text.
struct TextStylesExportInfo : BaseModel {
    std::optional<std::string> jsonString;
};
BOOST_DESCRIBE_STRUCT(TextStylesExportInfo, (BaseModel), (jsonString))
