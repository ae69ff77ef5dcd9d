#pragma once

#include "Import/Sketch/BaseSModel.h"

#include <string>

// The image reference of a layer.
struct SketchImageModel : BaseSModel {
    std::string ref_class_; // "_ref_class"
    std::string ref_;       // "_ref"
};
BOOST_DESCRIBE_STRUCT(SketchImageModel, (BaseSModel), (ref_class_, ref_))
