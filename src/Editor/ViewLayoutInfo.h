#pragma once

#include "Base/BaseModel.h"
#include "Editor/ConstraintModel.h"

#include <memory>
#include <string>
#include <vector>

// A view's parent and constraints as the client keeps them (same shape as ViewLayoutServerInfo,
// with client constraints); built by ViewInfoMapper.
struct ViewLayoutInfo : BaseModel {
    std::string parentName;
    std::string parentLayerId;
    double parentLayerDistance = 0;
    bool isParent = false;
    bool isBelongToRow = false;
    std::vector<std::shared_ptr<ConstraintModel>> constraints;
};
BOOST_DESCRIBE_STRUCT(ViewLayoutInfo, (BaseModel),
                      (parentName, parentLayerId, parentLayerDistance, isParent, isBelongToRow, constraints))
