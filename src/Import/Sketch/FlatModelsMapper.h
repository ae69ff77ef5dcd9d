#pragma once

#include "Base/OrderedMap.h"
#include "Import/Sketch/ArtboardContainerFlatModel.h"
#include "Import/Sketch/ArtboardContainerModel.h"
#include "Import/Sketch/SymbolMasterFlatModel.h"
#include "Import/Sketch/SymbolMasterModel.h"

#include <memory>
#include <string>
#include <vector>

// Turns the service's flat artboard record back into the container the editor works with.
class FlatModelsMapper {
public:
    FlatModelsMapper() = delete;

    // The container and each of its masters get a fresh Swift variable picker with the reserved
    // words loaded; view records are left for the project window.
    static std::shared_ptr<ArtboardContainerModel> map(const ArtboardContainerFlatModel& artboarContainerFlatModel);
    static std::shared_ptr<SymbolMasterModel> map(const SymbolMasterFlatModel& symbolMasterFlat);

private:
    // By symbol id; a later master with the same id replaces the earlier one.
    static OrderedMap<std::string, std::shared_ptr<SymbolMasterModel>>
    mapSymbolMasterFlatList(const std::vector<SymbolMasterFlatModel>& symbolMasterFlatList);
};
