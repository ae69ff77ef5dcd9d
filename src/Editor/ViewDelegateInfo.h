#pragma once

#include "Editor/RegisterItemInfo.h"
#include "Import/Sketch/BaseSModel.h"
#include "Import/Sketch/SharedModelListTraits.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// One delegate role of a list view: the class that plays it and the cell classes it registers.
struct ViewDelegateInfo : BaseSModel {
    std::string name;
    std::int64_t count = 0; // nothing in the client sets it
    std::optional<std::vector<std::shared_ptr<RegisterItemInfo>>> registerItems;
};
BOOST_DESCRIBE_STRUCT(ViewDelegateInfo, (BaseSModel), (name, count, registerItems))

template <>
struct jsonmap::Traits<std::vector<std::shared_ptr<ViewDelegateInfo>>> : SharedModelListTraits<ViewDelegateInfo> {};
