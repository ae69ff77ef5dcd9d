#pragma once

#include "Import/Plugin/ArtboardExportInfo.h"
#include "Import/Plugin/ArtboardPreparedInfo.h"

#include <memory>
#include <vector>

// Every selected artboard made ready for upload, in selection order, and their upload records in
// the same order.
class ArtboardsPreparedInfo {
public:
    std::vector<std::shared_ptr<ArtboardPreparedInfo>> artboards;
    std::vector<ArtboardExportInfo> artboardInfoList;
};
