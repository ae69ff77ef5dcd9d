#include "Editor/Pages/ViewTreeSearch.h"

#include "Editor/Pages/TreeContainer.h"

#include <new>
#include <utility>

ViewTreeSearch::ViewTreeSearch(List list)
    : m_list(std::move(list))
{
}

std::optional<ViewTreeSearch::List> ViewTreeSearch::search(const std::string& queryText)
{
    const PageSearchText::Query query(queryText);
    try {
        List result;
        for (const auto& root : m_list) {
            if (auto kept = keptBranch(query, root)) result.push_back(std::move(kept));
        }
        return result;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

bool ViewTreeSearch::contains(const PageSearchText::Query& query, const TreeViewInfo& node)
{
    auto found = m_texts.find(&node);
    if (found == m_texts.end()) {
        NodeTexts texts{PageSearchText::Folded(node.name), PageSearchText::Folded(node.classNameString)};
        found = m_texts.emplace(&node, std::move(texts)).first;
    }
    return query.isFoundIn(found->second.name) || query.isFoundIn(found->second.className);
}

std::shared_ptr<TreeViewInfo> ViewTreeSearch::keptBranch(const PageSearchText::Query& query,
                                                         const std::shared_ptr<TreeViewInfo>& node)
{
    // a copy of the whole tree drops missing nodes, and so does the search
    if (!node) return nullptr;
    if (contains(query, *node)) {
        std::optional<TreeContainer> whole = TreeContainer::getCopy(TreeContainer({node}));
        if (!whole) throw std::bad_alloc();
        return std::move(whole->list.front());
    }
    // Recursion is bounded by the tree's depth, which the decoder limits.
    List children;
    for (const auto& child : node->views) {
        if (auto kept = keptBranch(query, child)) children.push_back(std::move(kept));
    }
    if (children.empty()) return nullptr;
    std::shared_ptr<TreeViewInfo> copy = TreeContainer::copyWithoutChildren(*node);
    copy->views = std::move(children);
    return copy;
}
