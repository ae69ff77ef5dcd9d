#pragma once

// Which symbol masters an artboard needs. A master can hold instances of other masters, so the
// masters an artboard uses are the ones its instances name plus everything those depend on.
// Also files the service's flat artboard record under the artboard's id for the project window.

#include "Base/OrderedMap.h"
#include "Import/Sketch/ArtboardContainerFlatModel.h"
#include "Import/Sketch/ArtboardContainerModel.h"
#include "Import/Sketch/ArtboardSumModel.h"
#include "Import/Sketch/LayerSumModel.h"
#include "Import/Sketch/SymbolMasterModel.h"

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

class SketchReaderOnline {
public:
    // Symbol id -> master, in the order the masters were listed.
    using MasterMap = OrderedMap<std::string, std::shared_ptr<SymbolMasterModel>>;
    using ArtboardContainerMap = OrderedMap<std::string, std::shared_ptr<ArtboardContainerModel>>;
    // Masters already expanded during one collection of used masters.
    using ExpandedSet = std::unordered_set<const SymbolMasterModel*>;

    // Set by the project window.
    std::optional<ArtboardContainerMap> artboardContainerHashMap;

    // The master map and the masters' dependency order (dependencies first). Each master's
    // dictionary is searched for the instances it holds, which annotates it. An empty span stands
    // for "no list" too.
    std::pair<MasterMap, std::vector<std::string>>
    prepareSymbolHashMap(std::span<const std::shared_ptr<LayerSumModel>> masters);

    // The masters an artboard uses, directly or through other masters, each once, in the order
    // they were first reached. Searching annotates the artboard's dictionary. The order list has
    // no influence on the result.
    static std::vector<std::shared_ptr<SymbolMasterModel>>
    getSymbolInstanceIn(ArtboardSumModel& artboard, const MasterMap& symbolHashMap,
                        const std::vector<std::string>& symbolMasterOrderList = {});

    // Adds the masters `master` depends on, transitively, to `usedMasters`. Each master is
    // expanded at most once per `expanded` set, so masters that use each other end, and deep
    // chains of shared masters take time in proportion to their size.
    static void addDependenciesOfMasters(const std::shared_ptr<SymbolMasterModel>& master, const MasterMap& symbolHashMap,
                                         MasterMap& usedMasters, ExpandedSet& expanded);

    // Every master once, after the masters it depends on. Marks the models (`orderedBefore`), so
    // a second sort of the same models answers nothing.
    static std::vector<std::string> dfsSortArray(const MasterMap& hashMap);
    static void dfsSortHelperArray(const std::shared_ptr<SymbolMasterModel>& symbolMasterModel,
                                   const MasterMap& sortedHashMap, std::vector<std::string>& initialList);

    // The flat record as a container, filed under its artboard's id. Empty when the record
    // yields no artboard.
    ArtboardContainerMap prepareArtboardMap(const ArtboardContainerFlatModel& containerFlatModel);
};
