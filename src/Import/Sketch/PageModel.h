#pragma once

#include "Import/Sketch/LayerModel.h"

// One page file of a Sketch document; the loader keeps the parsed file in `dict`.
struct PageModel : LayerModel {
};
BOOST_DESCRIBE_STRUCT(PageModel, (LayerModel), ())
