#pragma once

#include "Base/BaseModel.h"

#include <cstdint>
#include <string>

// One layout constraint as the service sends it. The attribute names are "leading", "top",
// "trailing", "bottom", "width", "height", "centerX" and "centerY"; typeId is one of them or "none".
struct ConstraintServerModel : BaseModel {
    std::string firstItem;
    std::string firstAttribute;
    std::string secondItem;
    std::string secondAttribute;
    double multiplier = 1.0; // carried; the client computes its own from the two parts
    double multiplierFirstPart = 0;
    double multiplierSecondPart = 1.0;
    double constant = 0;
    std::string relation; // "lessThanOrEqual", "equal" or "greaterThanOrEqual"
    std::int64_t priority = 0;
    std::string host;
    std::string typeId = "none";
    bool isDuplicate = false;
};
BOOST_DESCRIBE_STRUCT(ConstraintServerModel, (BaseModel),
                      (firstItem, firstAttribute, secondItem, secondAttribute, multiplier, multiplierFirstPart,
                       multiplierSecondPart, constant, relation, priority, host, typeId, isDuplicate))
