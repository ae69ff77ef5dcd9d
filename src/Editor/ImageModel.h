#pragma once

#include "Base/BaseModel.h"

#include <string>

// An uploaded image: its id on the service and its asset name.
struct ImageModel : BaseModel {
    std::string oid;
    std::string imageName;
};
BOOST_DESCRIBE_STRUCT(ImageModel, (BaseModel), (oid, imageName))
