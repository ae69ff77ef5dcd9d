#pragma once

#include "Base/BaseModel.h"
#include "Editor/ContentViewDetailInfo.h"
#include "Editor/TreeViewInfo.h"
#include "Editor/ViewInfo.h"

#include <memory>
#include <string>
#include <vector>

// The view records of one artboard: every view as a flat list (the canvas hit-tests it) and the
// same views as a tree (the views page shows both).
struct ArtboardViewInfoItem : BaseModel {
    std::string baseClassNameString;
    std::string classNameString;
    std::string artboardId;
    std::shared_ptr<ContentViewDetailInfo> detailInfo; // optional
    std::vector<std::shared_ptr<ViewInfo>> viewInfoList;
    std::vector<std::shared_ptr<TreeViewInfo>> treeViewInfoList;
};
BOOST_DESCRIBE_STRUCT(ArtboardViewInfoItem, (BaseModel),
                      (baseClassNameString, classNameString, artboardId, detailInfo, viewInfoList, treeViewInfoList))
