#pragma once

#include "Base/BaseModel.h"
#include "Import/Plugin/FrameInfo.h"
#include "Import/Sketch/SharedModelListTraits.h"

#include <memory>
#include <string>
#include <vector>

struct ItemInfoModel;

// Code-generation record of one prototype cell of a list view: its class, frame and views.
struct CustomItemInfoModel : BaseModel {
    std::string customClass;
    std::shared_ptr<FrameInfo> frame = std::make_shared<FrameInfo>();
    std::vector<std::shared_ptr<ItemInfoModel>> items;
};
BOOST_DESCRIBE_STRUCT(CustomItemInfoModel, (BaseModel), (customClass, frame, items))

template <>
struct jsonmap::Traits<std::vector<std::shared_ptr<ItemInfoModel>>> : SharedModelListTraits<ItemInfoModel> {};

// Completes the recursive record (an item's prototypes hold cells that hold items).
#include "CodeExport/ItemInfoModel.h"
