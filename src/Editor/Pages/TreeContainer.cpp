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

// copyWithoutChildren names every field; a new one has to be added there
static_assert(boost::mp11::mp_size<boost::describe::describe_members<
                  TreeViewInfo, boost::describe::mod_public | boost::describe::mod_inherited>>::value == 9);

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
            pending.target->push_back(TreeContainer::copyWithoutChildren(*node));
            const std::shared_ptr<TreeViewInfo>& copy = pending.target->back();
            if (!node->views.empty()) stack.push_back({&node->views, &copy->views});
        }
    }
}

} // namespace

TreeContainer::TreeContainer(std::vector<std::shared_ptr<TreeViewInfo>> with)
    : list(std::move(with))
{
}

// Field by field rather than by the copy constructor, which would copy the child list only to
// have it thrown away.
std::shared_ptr<TreeViewInfo> TreeContainer::copyWithoutChildren(const TreeViewInfo& node)
{
    auto copy = std::make_shared<TreeViewInfo>();
    copy->id = node.id;
    copy->name = node.name;
    // a missing frame decodes to the record's default frame, which the new node already has
    if (node.frame) *copy->frame = *node.frame;
    copy->classNameString = node.classNameString;
    copy->ancestorClassKey = node.ancestorClassKey;
    copy->parentId = node.parentId;
    copy->isInstance = node.isInstance;
    copy->viewInfo = node.viewInfo;
    return copy;
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
