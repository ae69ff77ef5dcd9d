#pragma once

#include "Base/BaseModel.h"
#include "Import/Plugin/ArtboardExportInfo.h"
#include "Import/Plugin/LayerStylesExportInfo.h"
#include "Import/Plugin/SymbolMasterExportInfo.h"
#include "Import/Plugin/TextStylesExportInfo.h"

#include <optional>
#include <string>
#include <vector>

// The import of a whole design into a project.
struct ImportAllFromPluginRequest : BaseRequestModel {
    std::string projectId;
    std::string platform; // "iOS" or "Android"
    std::vector<ArtboardExportInfo> artboards;
    std::vector<SymbolMasterExportInfo> symbolMasters;
    std::vector<TextStylesExportInfo> textStyles;
    std::vector<LayerStylesExportInfo> layerStyles;
    std::optional<std::string> appVersion;
};
BOOST_DESCRIBE_STRUCT(ImportAllFromPluginRequest, (BaseRequestModel),
                      (projectId, platform, artboards, symbolMasters, textStyles, layerStyles, appVersion))
