#pragma once

// Symbol masters to and from their upload records.

#include "Import/Plugin/SymbolMasterExportInfo.h"
#include "Import/Sketch/LayerSumModel.h"

#include <memory>
#include <vector>

class SymbolMasterModelsMapper {
public:
    SymbolMasterModelsMapper() = delete;

    // One record per master, in list order (null entries are left out).
    static std::vector<SymbolMasterExportInfo> map(const std::vector<std::shared_ptr<LayerSumModel>>& symbolMasters);

    // The record of one master; its jsonString is the master's whole dictionary as pretty JSON
    // (no value when it cannot be written).
    static SymbolMasterExportInfo map(const LayerSumModel& symbolMaster);

    // A master the service sent back, standing at its own origin. Its dictionary is the parsed
    // jsonString; empty when there is none, when it does not parse (with a debug line) or when it
    // is not a JSON object.
    static std::shared_ptr<LayerSumModel> map(const SymbolMasterExportInfo& symbolMasterToLayerSumModel);
};
