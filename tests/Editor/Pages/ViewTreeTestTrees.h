#pragma once

#include "Editor/TreeViewInfo.h"

#include <memory>
#include <string>
#include <vector>

// Small view trees for the views page's tests. Every node has a view record whose oid is the
// node's id, unless `withView` is false (a group without its own record).
namespace viewtree {

using Node = std::shared_ptr<TreeViewInfo>;

inline Node node(const std::string& id, const std::string& className, std::vector<Node> children = {},
                 bool isInstance = false, bool withView = true)
{
    auto result = std::make_shared<TreeViewInfo>();
    result->id = id;
    result->name = id;
    result->classNameString = className;
    result->ancestorClassKey = className.size() > 2 ? std::string(1, static_cast<char>(className[2] - 'A' + 'a')) + className.substr(3) : "";
    result->isInstance = isInstance;
    for (const auto& child : children) child->parentId = id;
    result->views = std::move(children);
    if (withView) {
        result->viewInfo = std::make_shared<ViewInfo>();
        result->viewInfo->oid = id;
        result->viewInfo->layerName = id;
    }
    return result;
}

// Screen (UIView)
//   Title (UILabel)
//   Card (UIView)
//     OK (UIButton)
inline std::vector<Node> screenTree()
{
    return {node("Screen", "UIView", {node("Title", "UILabel"), node("Card", "UIView", {node("OK", "UIButton")})})};
}

} // namespace viewtree
