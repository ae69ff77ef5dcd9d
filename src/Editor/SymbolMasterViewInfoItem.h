#pragma once

#include "Base/BaseModel.h"
#include "Editor/ContentViewDetailInfo.h"
#include "Editor/ViewInfo.h"

#include <memory>
#include <string>
#include <vector>

// The view records of one symbol master the artboard uses.
struct SymbolMasterViewInfoItem : BaseModel {
    std::string classNameString;
    std::string symbolId;
    std::shared_ptr<ContentViewDetailInfo> detailInfo; // optional
    std::vector<std::shared_ptr<ViewInfo>> viewInfoList;
};
BOOST_DESCRIBE_STRUCT(SymbolMasterViewInfoItem, (BaseModel), (classNameString, symbolId, detailInfo, viewInfoList))
