#pragma once

#include "Base/BaseModel.h"
#include "Editor/ViewInfo.h"
#include "Import/Sketch/FrameModel.h"
#include "Import/Sketch/SharedModelListTraits.h"

#include <memory>
#include <string>
#include <vector>

// One node of an artboard's view tree, as the views page shows it.
struct TreeViewInfo : BaseModel {
    std::string id;
    std::string name;
    std::shared_ptr<FrameModel> frame = std::make_shared<FrameModel>();
    std::string classNameString;
    std::string ancestorClassKey;
    std::string parentId;
    bool isInstance = false;
    std::shared_ptr<ViewInfo> viewInfo; // optional: the full view record of this node
    std::vector<std::shared_ptr<TreeViewInfo>> views;
};
BOOST_DESCRIBE_STRUCT(TreeViewInfo, (BaseModel),
                      (id, name, frame, classNameString, ancestorClassKey, parentId, isInstance, viewInfo, views))

// The tree's depth is bounded against hostile replies.
template <>
struct jsonmap::Traits<std::vector<std::shared_ptr<TreeViewInfo>>> : SharedModelListTraits<TreeViewInfo, true> {};
