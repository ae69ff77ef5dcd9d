#pragma once

#include "Import/Sketch/BaseSModel.h"
#include "Import/Sketch/FrameModel.h"
#include "Import/Sketch/SharedModelListTraits.h"

#include <QImage>

#include <memory>
#include <optional>
#include <string>
#include <vector>

// Summary of a layer or a symbol master. Made by mapping the layer dictionary; the code that makes
// it keeps the dictionary in `dict`. Child layers are shared so a deep tree maps without copies.
struct LayerSumModel : BaseSModel {
    std::string name;
    FrameModel frame;
    std::vector<std::shared_ptr<LayerSumModel>> layers;
    bool isVisible = false;
    std::string symbolID;
    std::optional<QImage> preview; // not mapped
};
BOOST_DESCRIBE_STRUCT(LayerSumModel, (BaseSModel), (name, frame, layers, isVisible, symbolID))

template <>
struct jsonmap::Traits<std::vector<std::shared_ptr<LayerSumModel>>> : SharedModelListTraits<LayerSumModel> {};
