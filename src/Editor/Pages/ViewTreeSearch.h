#pragma once

#include "Editor/Pages/PageSearchText.h"
#include "Editor/TreeViewInfo.h"

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// Finds views by layer name or class name. A node that matches is kept whole, with all its
// descendants; any other node is kept only for its matching branches, its child list cut down
// to them. The result is a copy of the kept branches, so the tree searched is never changed.
//
// One search object serves one tree: each node's name and class name are folded the first
// time a search reaches them and kept for every later keystroke.
class ViewTreeSearch {
public:
    using List = std::vector<std::shared_ptr<TreeViewInfo>>;

    ViewTreeSearch() = default;
    // `list` is the tree's roots; its nodes must not change while this object searches them.
    explicit ViewTreeSearch(List list);

    // The filtered copy of the tree; nullopt when the copy cannot be made.
    std::optional<List> search(const std::string& queryText);

private:
    struct NodeTexts {
        PageSearchText::Folded name;
        PageSearchText::Folded className;
    };

    // True when the name, else the class name, contains the query.
    bool contains(const PageSearchText::Query& query, const TreeViewInfo& node);
    // A copy of the node whole when it matches; otherwise a copy of it holding only the copies of
    // its matching branches, or null when no branch matches.
    std::shared_ptr<TreeViewInfo> keptBranch(const PageSearchText::Query& query,
                                             const std::shared_ptr<TreeViewInfo>& node);

    List m_list;
    std::unordered_map<const TreeViewInfo*, NodeTexts> m_texts; // not owned keys: m_list keeps the nodes
};
