#pragma once

#include "Editor/ViewInfo.h"

#include <memory>
#include <vector>

// The rows a menu command of the views page acts on: their view records, and whether the
// command came from one row (and that row is a component instance).
class TreeSelectedViewInfo {
public:
    bool singleSelection = false;
    bool isSingleSelectionInstance = false;
    std::vector<std::shared_ptr<ViewInfo>> viewInfoList;
};
