#pragma once

#include "Base/BaseModel.h"

#include <string>

// One field a component type offers (a title, an image, ...), with the class its view must have.
struct ComponentFieldTypeDisplayInfo : BaseModel {
    std::string key;
    std::string name;
    std::string programmingClassKey;

    // The value a selected view starts with before the user picks a field type.
    static ComponentFieldTypeDisplayInfo empty()
    {
        ComponentFieldTypeDisplayInfo info;
        info.name = "Select field type";
        info.programmingClassKey = "-1";
        return info;
    }
};
BOOST_DESCRIBE_STRUCT(ComponentFieldTypeDisplayInfo, (BaseModel), (key, name, programmingClassKey))
