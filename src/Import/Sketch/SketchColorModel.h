#pragma once

#include "Base/JsonMapping.h"

// A Sketch colour value; each component from 0 to 1.
struct SketchColorModel {
    double red = 0;
    double green = 0;
    double blue = 0;
    double alpha = 0;
};
BOOST_DESCRIBE_STRUCT(SketchColorModel, (), (red, green, blue, alpha))
