#pragma once

#include "Base/BaseModel.h"
#include "Import/Sketch/SharedModelListTraits.h"

#include <memory>
#include <string>
#include <vector>

// The part of a client constraint that code generation reads.
struct ItemConstraintInfoModel : BaseModel {
    bool isDuplicate = false;
    std::string attribute1Str;
    std::string attribute2Str;
    std::string view1;
    std::string view2;
    double constant = 0;
    double multiplier = 0;
    double multiplierPart1 = 0;
    double multiplierPart2 = 1.0;
    std::string relation;
    std::string priority; // raw value of the priority ("required", "defaultHigh", ...)
    std::string host;
};
BOOST_DESCRIBE_STRUCT(ItemConstraintInfoModel, (BaseModel),
                      (isDuplicate, attribute1Str, attribute2Str, view1, view2, constant, multiplier, multiplierPart1,
                       multiplierPart2, relation, priority, host))

template <>
struct jsonmap::Traits<std::vector<std::shared_ptr<ItemConstraintInfoModel>>>
    : SharedModelListTraits<ItemConstraintInfoModel> {};
