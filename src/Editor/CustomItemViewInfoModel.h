#pragma once

#include "Base/BaseModel.h"
#include "Editor/ViewInfo.h"
#include "Import/Sketch/FrameModel.h"

#include <memory>
#include <string>
#include <vector>

// One prototype cell of a list view, with the cell's own views.
struct CustomItemViewInfoModel : BaseModel {
    std::string customClass; // the cell's class name
    std::shared_ptr<FrameModel> frame = std::make_shared<FrameModel>();
    std::vector<std::shared_ptr<ViewInfo>> items;
};
BOOST_DESCRIBE_STRUCT(CustomItemViewInfoModel, (BaseModel), (customClass, frame, items))
