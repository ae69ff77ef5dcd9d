#pragma once

#include "Editor/TreeViewInfo.h"
#include "Editor/ViewInfo.h"

#include <memory>
#include <vector>

// The views page's data: the artboard's flat view records, the roots of its view tree, and the
// result of the last search (empty when made).
class ViewsContainer {
public:
    std::vector<std::shared_ptr<ViewInfo>> viewInfoList;
    std::vector<std::shared_ptr<TreeViewInfo>> list;
    std::vector<std::shared_ptr<TreeViewInfo>> filteredList;
};
