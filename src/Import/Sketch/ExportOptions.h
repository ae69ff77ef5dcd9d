#pragma once

#include "Import/Sketch/BaseSModel.h"
#include "Import/Sketch/SketchExportFormatItemModel.h"

#include <string>
#include <vector>

// The export settings of a layer.
struct ExportOptions : BaseSModel {
    std::vector<SketchExportFormatItemModel> exportFormats;
    std::vector<std::string> includedLayerIds;
    // Fixed: the import never honours the document's values for these.
    static constexpr int layerOptions = 0;
    static constexpr bool shouldTrim = false;
};
BOOST_DESCRIBE_STRUCT(ExportOptions, (BaseSModel), (exportFormats, includedLayerIds))
