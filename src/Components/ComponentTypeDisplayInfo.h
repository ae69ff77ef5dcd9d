#pragma once

#include "Base/BaseModel.h"
#include "Components/ComponentFieldTypeDisplayInfo.h"

#include <string>
#include <vector>

// A kind of component the service can make (a cell, a card, ...) and the fields it has.
struct ComponentTypeDisplayInfo : BaseModel {
    std::string key;
    std::string name;
    std::string info;
    std::string programmingClassKey; // the class of the component's main view
    std::vector<ComponentFieldTypeDisplayInfo> fieldTypes;
};
BOOST_DESCRIBE_STRUCT(ComponentTypeDisplayInfo, (BaseModel), (key, name, info, programmingClassKey, fieldTypes))
