#pragma once

#include "Base/BaseModel.h"

#include <optional>
#include <string>

// One symbol override of a view, as the service sends it. relatedProperty "stringValue" marks a
// text override. Note the key relatedLayerId here against relatedLayerID on the client record.
struct OverridePropertiesModel : BaseModel {
    std::string overrideName;
    std::optional<std::string> value;
    std::string relatedLayerId;
    std::string relatedProperty;
    std::string relatedVarName;
};
BOOST_DESCRIBE_STRUCT(OverridePropertiesModel, (BaseModel),
                      (overrideName, value, relatedLayerId, relatedProperty, relatedVarName))
