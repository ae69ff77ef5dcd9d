#include "Editor/Pages/ViewTreeSearch.h"

#include "Editor/Pages/TreeContainer.h"

#include <utility>

std::optional<ViewTreeSearch::List> ViewTreeSearch::search(const List& list, const std::string& queryText)
{
    const std::optional<TreeContainer> copy = TreeContainer::getCopy(TreeContainer(list));
    if (!copy) return std::nullopt;
    return getFilteredList(copy->list, PageSearchText::Query(queryText));
}

bool ViewTreeSearch::contains(const PageSearchText::Query& query, const TreeViewInfo& node)
{
    return query.isFoundIn(node.name) || query.isFoundIn(node.classNameString);
}

ViewTreeSearch::List ViewTreeSearch::getFilteredList(const List& list, const PageSearchText::Query& query)
{
    List result;
    for (const auto& root : list) {
        if (auto kept = getItemContains(query, root)) result.push_back(std::move(kept));
    }
    return result;
}

std::shared_ptr<TreeViewInfo> ViewTreeSearch::getItemContains(const PageSearchText::Query& query,
                                                              const std::shared_ptr<TreeViewInfo>& node)
{
    if (!node) return nullptr;
    if (contains(query, *node)) return node;
    // Recursion is bounded by the tree's depth, which the decoder limits.
    List children;
    for (const auto& child : node->views) {
        if (auto kept = getItemContains(query, child)) children.push_back(std::move(kept));
    }
    node->views = std::move(children);
    return node->views.empty() ? nullptr : node;
}
