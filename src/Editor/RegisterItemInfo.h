#pragma once

#include "Import/Sketch/BaseSModel.h"
#include "Import/Sketch/SharedModelListTraits.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One cell class registered with a list view; `index` is its position among the prototypes.
struct RegisterItemInfo : BaseSModel {
    std::string name;
    bool isFirst = false;
    bool isLast = false;
    std::int64_t index = 0;
};
BOOST_DESCRIBE_STRUCT(RegisterItemInfo, (BaseSModel), (name, isFirst, isLast, index))

template <>
struct jsonmap::Traits<std::vector<std::shared_ptr<RegisterItemInfo>>> : SharedModelListTraits<RegisterItemInfo> {};
