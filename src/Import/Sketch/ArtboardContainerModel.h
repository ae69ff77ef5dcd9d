#pragma once

#include "Base/OrderedMap.h"
#include "Import/Sketch/ArtboardSumModel.h"
#include "Import/Sketch/BaseSModel.h"
#include "Import/Sketch/SymbolMasterModel.h"

#include <boost/json.hpp>

#include <memory>
#include <string>
#include <vector>

struct VItemInfo;
class VariableNamePicker;

// One artboard as the editor knows it, with the symbol masters it uses.
struct ArtboardContainerModel : BaseSModel {
    std::shared_ptr<ArtboardSumModel> artboard;
    // Keyed by each master's masterLayer->symbolID, in the order the masters arrived.
    OrderedMap<std::string, std::shared_ptr<SymbolMasterModel>> usedSymbolMasters;
    std::vector<boost::json::object> usedSymbolInstances;
    std::vector<std::string> mainSymbolMasterSortedList; // dependencies first
    std::vector<boost::json::object> frameList;
    std::vector<std::shared_ptr<VItemInfo>> viewInfoList; // set by the project window
    std::shared_ptr<VariableNamePicker> variableNamePicker;
};
BOOST_DESCRIBE_STRUCT(ArtboardContainerModel, (BaseSModel), (usedSymbolInstances, mainSymbolMasterSortedList, frameList))
