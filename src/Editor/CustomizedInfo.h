#pragma once

#include "Base/BaseModel.h"
#include "Editor/CLDelegateItem.h"
#include "Import/Sketch/SharedModelListTraits.h"

#include <memory>
#include <optional>
#include <vector>

struct CustomItemViewInfoModel;

// How a list view (table or collection) is customised. An absent list and an empty one mean
// different things to the mapper, so both lists stay optional.
struct CustomizedInfo : BaseModel {
    bool isImaginaryMainLayer = false;
    std::optional<std::vector<std::shared_ptr<CLDelegateItem>>> delegations;
    std::optional<std::vector<std::shared_ptr<CustomItemViewInfoModel>>> prototypes;
};
BOOST_DESCRIBE_STRUCT(CustomizedInfo, (BaseModel), (isImaginaryMainLayer, delegations, prototypes))

template <>
struct jsonmap::Traits<std::vector<std::shared_ptr<CustomItemViewInfoModel>>>
    : SharedModelListTraits<CustomItemViewInfoModel> {};

#include "Editor/CustomItemViewInfoModel.h"
