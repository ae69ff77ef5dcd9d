#pragma once

#include "Import/Sketch/BaseSModel.h"
#include "Import/Sketch/SharedModelListTraits.h"

#include <memory>
#include <string>
#include <vector>

// One delegate role of a list view; "datasource" is the role the mapper acts on.
struct CLDelegateItem : BaseSModel {
    std::string key;
    std::string programmingClass;
};
BOOST_DESCRIBE_STRUCT(CLDelegateItem, (BaseSModel), (key, programmingClass))

template <>
struct jsonmap::Traits<std::vector<std::shared_ptr<CLDelegateItem>>> : SharedModelListTraits<CLDelegateItem> {};
