#pragma once

#include "Editor/Pages/PageSearchText.h"
#include "Editor/TreeViewInfo.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// Finds views by layer name or class name. A node that matches is kept whole, with all its
// descendants; any other node is kept only for its matching branches, its child list cut down
// to them. The search works on a copy, so the tree it was given is never changed.
class ViewTreeSearch {
public:
    using List = std::vector<std::shared_ptr<TreeViewInfo>>;

    // The filtered copy of `list`; nullopt when the copy cannot be made.
    static std::optional<List> search(const List& list, const std::string& queryText);

    // True when the lower-cased name, else the lower-cased class name, contains the query.
    static bool contains(const PageSearchText::Query& query, const TreeViewInfo& node);

    // Cuts `list` (which the caller owns and may change) down to the matching branches.
    static List getFilteredList(const List& list, const PageSearchText::Query& query);
    // The node itself when it matches; otherwise the node with its child list cut down to the
    // matching branches, or null when no branch matches.
    static std::shared_ptr<TreeViewInfo> getItemContains(const PageSearchText::Query& query,
                                                         const std::shared_ptr<TreeViewInfo>& node);
};
