#pragma once

#include "Base/BaseModel.h"
#include "Base/OrderedMap.h"
#include "CodeExport/ItemConstraintInfoModel.h"
#include "CodeExport/ItemStyleInfoModel.h"
#include "Import/Plugin/FrameInfo.h"

#include <memory>
#include <string>
#include <vector>

struct CustomItemInfoModel;

// Code-generation record of one view, made from a client view record by ExportCodeModelsMapper.
struct ItemInfoModel : BaseModel {
    std::string varName;
    std::string programmingClass; // raw value of the view's class kind ("_button")
    std::string customClass;      // the view's class name
    bool isCustomClass = false;
    std::shared_ptr<FrameInfo> frame = std::make_shared<FrameInfo>();
    std::shared_ptr<ItemStyleInfoModel> style = std::make_shared<ItemStyleInfoModel>();
    std::vector<std::shared_ptr<ItemConstraintInfoModel>> constraints;
    OrderedMap<std::string, std::shared_ptr<CustomItemInfoModel>> prototypes;
};
BOOST_DESCRIBE_STRUCT(ItemInfoModel, (BaseModel),
                      (varName, programmingClass, customClass, isCustomClass, frame, style, constraints, prototypes))

#include "CodeExport/CustomItemInfoModel.h"
