#pragma once

#include "Import/Plugin/ArtboardExportInfo.h"
#include "Import/Sketch/ArtboardSumModel.h"
#include "Import/Sketch/SketchImporter.h"

#include <memory>

// One selected artboard made ready for upload: its summary, its upload record (without the layer
// JSON, which only the list of records in ArtboardsPreparedInfo carries) and its exportable images
// (keyed by the image layer's id, in the order they were found).
class ArtboardPreparedInfo {
public:
    std::shared_ptr<ArtboardSumModel> artboardSumModel;
    ArtboardExportInfo artboardInfo;
    SketchImporter::ExportableImages exportables;
};
