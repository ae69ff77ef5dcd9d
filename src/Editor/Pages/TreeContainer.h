#pragma once

#include "Base/BaseModel.h"
#include "Editor/TreeViewInfo.h"

#include <memory>
#include <optional>
#include <vector>

// A view tree as one model, so that it can be copied whole before a search cuts the copy's
// branches; the page's own tree is never touched by a search.
struct TreeContainer : BaseModel {
    std::vector<std::shared_ptr<TreeViewInfo>> list;

    TreeContainer() = default;
    explicit TreeContainer(std::vector<std::shared_ptr<TreeViewInfo>> with);

    // A copy equal to what encoding the container and decoding the result gives (the JSON of the
    // two is the same), made without the detour through JSON, which costs tens of milliseconds
    // per keystroke on a large screen. Every node and its frame are new objects; the nodes' view
    // records are shared with the original, because nothing that reads a tree changes them.
    // nullopt when the copy cannot be made.
    static std::optional<TreeContainer> getCopy(const TreeContainer& container);
    // One node of such a copy, without its children.
    static std::shared_ptr<TreeViewInfo> copyWithoutChildren(const TreeViewInfo& node);
};
BOOST_DESCRIBE_STRUCT(TreeContainer, (BaseModel), (list))
