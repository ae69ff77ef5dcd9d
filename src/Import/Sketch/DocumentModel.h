#pragma once

#include "Import/Sketch/LayerModel.h"

// The document file of a Sketch document; the loader keeps the parsed file in `dict`.
struct DocumentModel : LayerModel {
};
BOOST_DESCRIBE_STRUCT(DocumentModel, (LayerModel), ())
