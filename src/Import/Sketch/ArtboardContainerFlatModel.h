#pragma once

#include "Base/BaseModel.h"
#include "Import/Plugin/ArtboardDisplayInfo.h"
#include "Import/Sketch/SymbolMasterFlatModel.h"

#include <string>
#include <vector>

// The stored artboard as the service describes it; nested parts are JSON texts.
struct ArtboardContainerFlatModel : BaseModel {
    ArtboardDisplayInfo artboard;
    std::vector<std::string> frameList;           // each the JSON text of one object
    std::vector<SymbolMasterFlatModel> usedSymbolMasters;
    std::vector<std::string> usedSymbolInstances; // each the JSON text of one object
    std::vector<std::string> mainSymbolMasterSortedList;
};
BOOST_DESCRIBE_STRUCT(ArtboardContainerFlatModel, (BaseModel),
                      (artboard, frameList, usedSymbolMasters, usedSymbolInstances, mainSymbolMasterSortedList))
