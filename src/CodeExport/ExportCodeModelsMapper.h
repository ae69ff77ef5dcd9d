#pragma once

#include "CodeExport/ItemInfoModel.h"

#include <memory>
#include <vector>

struct VItemInfo;

// Turns client view records into the code-generation records of code export.
class ExportCodeModelsMapper {
public:
    ExportCodeModelsMapper() = delete;

    // One record per item, in order; reads each item's varName, layout, style and constraints
    // only. A missing item or record gives a default record; cannot fail.
    static std::vector<std::shared_ptr<ItemInfoModel>> map(const std::vector<std::shared_ptr<VItemInfo>>& itemInfoList);
    static std::shared_ptr<ItemInfoModel> map(const VItemInfo& itemInfo);
};
