#pragma once

#include "Base/BaseModel.h"

#include <optional>
#include <string>
#include <vector>

// The ".zvusk" export file our Sketch plug-in writes: a property list naming the Sketch
// document, the chosen artboards and the paths of Sketch's command-line tools.
struct SketchExportInfoDocument : BaseModel {
    std::string sketchFilePath;             // the Sketch document exported from
    std::vector<std::string> artboardIds;   // chosen artboards, in upload order
    std::vector<std::string> artboardNames; // kept, not used
    std::optional<std::string> version;     // opens the document; sent as the upload's appVersion
    std::optional<std::string> sketchtoolPath;
    std::optional<std::string> sketchmigratePath; // kept, not used
};
BOOST_DESCRIBE_STRUCT(SketchExportInfoDocument, (BaseModel),
                      (sketchFilePath, artboardIds, artboardNames, version, sketchtoolPath, sketchmigratePath))
