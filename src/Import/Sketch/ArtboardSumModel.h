#pragma once

#include "Import/Sketch/BaseSModel.h"
#include "Import/Sketch/FrameModel.h"
#include "Import/Sketch/LayerSumModel.h"

#include <QImage>
#include <QString>

#include <memory>
#include <optional>
#include <string>
#include <vector>

// Summary of an artboard: id (`do_objectID`), name, size and, in `dict`, the raw layer dictionary.
struct ArtboardSumModel : BaseSModel {
    std::string name;
    FrameModel frame;
    std::vector<std::shared_ptr<LayerSumModel>> layers;
    std::optional<std::string> previewImageData;
    std::optional<QImage> preview;     // the cut preview, once drawn; not mapped
    std::optional<QString> previewUrl; // local file path of that preview; not mapped
};
BOOST_DESCRIBE_STRUCT(ArtboardSumModel, (BaseSModel), (name, frame, layers, previewImageData))
