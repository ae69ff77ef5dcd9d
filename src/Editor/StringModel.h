#pragma once

#include "Base/BaseModel.h"

#include <string>

// A text resource: its code name and the text it stands for.
struct StringModel : BaseModel {
    std::string name;
    std::string text;

    StringModel() = default;
    StringModel(std::string nameIn, std::string textIn)
        : name(std::move(nameIn))
        , text(std::move(textIn))
    {
    }
};
BOOST_DESCRIBE_STRUCT(StringModel, (BaseModel), (name, text))
