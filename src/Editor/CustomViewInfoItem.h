#pragma once

#include "Base/BaseModel.h"
#include "Editor/ViewInfo.h"

#include <memory>
#include <string>
#include <vector>

// The view records of one custom (component) view.
struct CustomViewInfoItem : BaseModel {
    std::string baseClassNameString;
    std::string classNameString;
    std::string customViewId;
    std::string ancestorClassKey;
    std::shared_ptr<ViewInfo> mainViewInfo = std::make_shared<ViewInfo>();
    std::vector<std::shared_ptr<ViewInfo>> viewInfoList;
};
BOOST_DESCRIBE_STRUCT(CustomViewInfoItem, (BaseModel),
                      (baseClassNameString, classNameString, customViewId, ancestorClassKey, mainViewInfo, viewInfoList))
