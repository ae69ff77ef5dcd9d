#pragma once

#include "Base/BaseModel.h"
#include "Editor/ConstraintServerModel.h"
#include "Import/Sketch/SharedModelListTraits.h"

#include <memory>
#include <string>
#include <vector>

// A view's parent and constraints, as the service sends them.
struct ViewLayoutServerInfo : BaseModel {
    std::string parentName;
    std::string parentLayerId;
    double parentLayerDistance = 0;
    bool isParent = false;
    bool isBelongToRow = false;
    std::vector<std::shared_ptr<ConstraintServerModel>> constraints;
};
BOOST_DESCRIBE_STRUCT(ViewLayoutServerInfo, (BaseModel),
                      (parentName, parentLayerId, parentLayerDistance, isParent, isBelongToRow, constraints))

template <>
struct jsonmap::Traits<std::vector<std::shared_ptr<ConstraintServerModel>>>
    : SharedModelListTraits<ConstraintServerModel> {};
