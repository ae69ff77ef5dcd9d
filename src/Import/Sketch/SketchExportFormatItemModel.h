#pragma once

#include "Import/Sketch/BaseSModel.h"

#include <cstdint>
#include <string>

// One export format of a layer.
struct SketchExportFormatItemModel : BaseSModel {
    std::int64_t absoluteSize = 0;
    std::string fileFormat;
    std::string name;
    std::int64_t namingScheme = 0;
    double scale = 0;
    std::int64_t visibleScaleType = 0;
};
BOOST_DESCRIBE_STRUCT(SketchExportFormatItemModel, (BaseSModel),
                      (absoluteSize, fileFormat, name, namingScheme, scale, visibleScaleType))
