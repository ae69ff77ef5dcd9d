#pragma once

#include "Base/BaseModel.h"
#include "Import/Plugin/SymbolMasterExportInfo.h"

#include <string>
#include <vector>

// A symbol master as the service returns it inside an artboard's flat record.
struct SymbolMasterFlatModel : BaseModel {
    SymbolMasterExportInfo masterLayer;
    std::vector<std::string> dependentMasterSymbolInstances; // each the JSON text of one object
    std::vector<std::string> dependentMasterSymbolIds;
    bool orderedBefore = false;
};
BOOST_DESCRIBE_STRUCT(SymbolMasterFlatModel, (BaseModel),
                      (masterLayer, dependentMasterSymbolInstances, dependentMasterSymbolIds, orderedBefore))
