#pragma once

#include "Components/ComponentTypeDisplayInfo.h"

#include <string>

// A kind of component as a reply lists it, for the tests of the type list and its page.
inline ComponentTypeDisplayInfo componentType(const std::string& key, const std::string& name, const std::string& info)
{
    ComponentTypeDisplayInfo type;
    type.key = key;
    type.name = name;
    type.info = info;
    return type;
}
