#pragma once

#include "Import/Sketch/BaseSModel.h"

#include <optional>
#include <string>
#include <vector>

// The client record of one view of the open artboard (identity part).
struct VItemInfo : BaseSModel {
    std::string oid;
    std::string layerName;
    std::string varName;
    std::optional<std::string> customClassName;
    std::optional<std::vector<std::string>> registerItems;
    std::string destinationName;
    bool isImaginaryMainLayer = false;
    std::string jsonString; // the view's layer JSON text
};
BOOST_DESCRIBE_STRUCT(VItemInfo, (BaseSModel),
                      (oid, layerName, varName, customClassName, registerItems, destinationName, isImaginaryMainLayer, jsonString))
