#pragma once

#include "Base/BaseModel.h"

#include <cstdint>
#include <string>

// A component of the project as the service lists it.
struct ComponentDisplayInfo : BaseModel {
    std::string componentId;
    std::string name;
    std::string classNameString;
    std::string ancestorClassKey;
    std::string symbolId; // the symbol master it was made from, if any
    std::string componentTypeKey;
    std::string componentTypeName;
    std::int64_t instanceCount = 0;
    std::string updateTime; // ISO 8601 or epoch milliseconds as text, as the service sends it
};
BOOST_DESCRIBE_STRUCT(ComponentDisplayInfo, (BaseModel),
                      (componentId, name, classNameString, ancestorClassKey, symbolId, componentTypeKey, componentTypeName,
                       instanceCount, updateTime))
