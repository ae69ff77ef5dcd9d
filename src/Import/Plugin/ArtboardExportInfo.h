#pragma once

#include "Base/BaseModel.h"
#include "Import/Plugin/FrameInfo.h"

#include <optional>
#include <string>

// One uploaded artboard.
struct ArtboardExportInfo : BaseModel {
    std::string oid;  // the Sketch layer's do_objectID, or the XD artboard's folder name
    std::string name;
    std::string type = "sketch"; // "sketch" or "adobeXd"
    FrameInfo frame;
    std::optional<std::string> jsonString; // the artboard's whole layer dictionary as JSON text
};
BOOST_DESCRIBE_STRUCT(ArtboardExportInfo, (BaseModel), (oid, name, type, frame, jsonString))
