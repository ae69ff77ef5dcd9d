#include "Editor/Pages/TreeContainer.h"

#include <new>
#include <utility>

namespace {

using List = std::vector<std::shared_ptr<TreeViewInfo>>;

// One frame of the explicit stack: a source list and the copy being filled. Iterative, so a
// deep tree made in code (not bounded by the decoder) cannot exhaust the stack.
struct Pending {
    const List* source;
    List* target;
};

void copyInto(const List& source, List& target)
{
    std::vector<Pending> stack{{&source, &target}};
    while (!stack.empty()) {
        const Pending pending = stack.back();
        stack.pop_back();
        pending.target->reserve(pending.source->size());
        for (const auto& node : *pending.source) {
            // the decoder skips list elements that are not records, so a copy drops them too
            if (!node) continue;
            auto copy = std::make_shared<TreeViewInfo>(*node);
            // a missing frame decodes to the record's default frame
            copy->frame = node->frame ? std::make_shared<FrameModel>(*node->frame) : std::make_shared<FrameModel>();
            copy->views.clear();
            pending.target->push_back(copy);
            if (!node->views.empty()) stack.push_back({&node->views, &copy->views});
        }
    }
}

} // namespace

TreeContainer::TreeContainer(std::vector<std::shared_ptr<TreeViewInfo>> with)
    : list(std::move(with))
{
}

std::optional<TreeContainer> TreeContainer::getCopy(const TreeContainer& container)
{
    try {
        TreeContainer copy;
        copyInto(container.list, copy.list);
        return copy;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}
