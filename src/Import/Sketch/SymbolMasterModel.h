#pragma once

#include "Import/Sketch/LayerSumModel.h"

#include <boost/json.hpp>

#include <memory>
#include <string>
#include <vector>

class VariableNamePicker;

// One symbol master and the masters it depends on.
struct SymbolMasterModel {
    // Shared with the list of masters the model was made from, so searches that annotate the
    // master's dictionary are seen by every holder. Never null.
    std::shared_ptr<LayerSumModel> masterLayer = std::make_shared<LayerSumModel>();
    std::shared_ptr<VariableNamePicker> variableNamePicker;
    std::vector<boost::json::object> dependentMasterSymbolInstances;
    std::vector<std::string> dependentMasterSymbolIds;
    bool orderedBefore = false; // visited mark of the dependency sort
};
