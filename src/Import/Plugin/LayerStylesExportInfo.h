#pragma once

#include "Base/BaseModel.h"

#include <optional>
#include <string>

// One shared layer style of the design, as JSON text.
struct LayerStylesExportInfo : BaseModel {
    std::optional<std::string> jsonString;
};
BOOST_DESCRIBE_STRUCT(LayerStylesExportInfo, (BaseModel), (jsonString))
