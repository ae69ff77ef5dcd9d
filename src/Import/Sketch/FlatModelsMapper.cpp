#include "Import/Sketch/FlatModelsMapper.h"

#include "Editor/VariableNamePicker.h"
#include "Import/Sketch/ArtboardModelsMapper.h"
#include "Import/Sketch/JsonSerialization.h"
#include "Import/Sketch/SymbolMasterModelsMapper.h"

namespace {
// Names of a stored artboard are made for Swift whatever the project's platform.
std::shared_ptr<VariableNamePicker> swiftCodePicker()
{
    return std::make_shared<VariableNamePicker>(VariableNamePicker::make(ProgrammingLanguage::swift, VariableNameType::code));
}
} // namespace

std::shared_ptr<ArtboardContainerModel> FlatModelsMapper::map(const ArtboardContainerFlatModel& artboarContainerFlatModel)
{
    const ArtboardContainerFlatModel& flat = artboarContainerFlatModel;
    auto container = std::make_shared<ArtboardContainerModel>();
    container->variableNamePicker = swiftCodePicker();
    container->artboard = ArtboardModelsMapper::map(flat.artboard);
    container->mainSymbolMasterSortedList = flat.mainSymbolMasterSortedList;
    container->usedSymbolInstances = JsonSerialization::stringListToDictList(flat.usedSymbolInstances);
    container->usedSymbolMasters = mapSymbolMasterFlatList(flat.usedSymbolMasters);
    container->frameList = JsonSerialization::stringListToDictList(flat.frameList);
    return container;
}

std::shared_ptr<SymbolMasterModel> FlatModelsMapper::map(const SymbolMasterFlatModel& symbolMasterFlat)
{
    auto master = std::make_shared<SymbolMasterModel>();
    master->orderedBefore = symbolMasterFlat.orderedBefore;
    master->dependentMasterSymbolIds = symbolMasterFlat.dependentMasterSymbolIds;
    master->dependentMasterSymbolInstances = JsonSerialization::stringListToDictList(symbolMasterFlat.dependentMasterSymbolInstances);
    master->variableNamePicker = swiftCodePicker();
    if (auto layer = SymbolMasterModelsMapper::map(symbolMasterFlat.masterLayer)) master->masterLayer = std::move(layer);
    return master;
}

OrderedMap<std::string, std::shared_ptr<SymbolMasterModel>>
FlatModelsMapper::mapSymbolMasterFlatList(const std::vector<SymbolMasterFlatModel>& symbolMasterFlatList)
{
    OrderedMap<std::string, std::shared_ptr<SymbolMasterModel>> masters;
    for (const SymbolMasterFlatModel& flat : symbolMasterFlatList) {
        std::shared_ptr<SymbolMasterModel> master = map(flat);
        const std::string symbolID = master->masterLayer->symbolID;
        masters.insert_or_assign(symbolID, std::move(master));
    }
    return masters;
}
