#pragma once

#include "Import/Sketch/BaseSModel.h"
#include "Import/Sketch/ExportOptions.h"
#include "Import/Sketch/FrameModel.h"
#include "Import/Sketch/SharedModelListTraits.h"
#include "Import/Sketch/SketchImageModel.h"

#include <memory>
#include <string>
#include <vector>

// One Sketch layer with the few members the import needs.
struct LayerModel : BaseSModel {
    FrameModel frame;
    ExportOptions exportOptions;
    std::string name;
    std::vector<std::shared_ptr<LayerModel>> layers;
    bool hasClickThrough = false;
    bool fillReplacesImage = false;
    SketchImageModel image;
    std::string symbolID;
};
BOOST_DESCRIBE_STRUCT(LayerModel, (BaseSModel),
                      (frame, exportOptions, name, layers, hasClickThrough, fillReplacesImage, image, symbolID))

template <>
struct jsonmap::Traits<std::vector<std::shared_ptr<LayerModel>>> : SharedModelListTraits<LayerModel> {};
