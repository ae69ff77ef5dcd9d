#include "Editor/Pages/ViewTreeMenu.h"

#include <algorithm>

TreeSelectedViewInfo ViewTreeMenu::getSelectedViewInfoListInTree(std::vector<int> rows, const NodeAtRow& nodeAtRow)
{
    TreeSelectedViewInfo result;
    if (!nodeAtRow) return result;
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (const int row : rows) {
        const TreeViewInfo* node = nodeAtRow(row);
        if (node && node->viewInfo) result.viewInfoList.push_back(node->viewInfo);
    }
    return result;
}

TreeSelectedViewInfo ViewTreeMenu::getSelectedViewInfoInTree(int row, const NodeAtRow& nodeAtRow)
{
    TreeSelectedViewInfo result;
    const TreeViewInfo* node = nodeAtRow ? nodeAtRow(row) : nullptr;
    if (!node || !node->viewInfo) return result;
    result.viewInfoList.push_back(node->viewInfo);
    result.singleSelection = true;
    result.isSingleSelectionInstance = node->isInstance;
    return result;
}

TreeSelectedViewInfo ViewTreeMenu::target(const std::vector<int>& selectedRows, int clickedRow, const NodeAtRow& nodeAtRow)
{
    const bool insideSelection = std::find(selectedRows.begin(), selectedRows.end(), clickedRow) != selectedRows.end();
    if (selectedRows.size() > 1 && insideSelection) return getSelectedViewInfoListInTree(selectedRows, nodeAtRow);
    return getSelectedViewInfoInTree(clickedRow, nodeAtRow);
}

std::vector<ViewTreeMenu::Item> ViewTreeMenu::items(const TreeSelectedViewInfo& target)
{
    const bool isInstance = target.singleSelection && target.isSingleSelectionInstance;
    std::vector<Item> result;
    result.push_back({Command::deleteInstance, QStringLiteral("Delete Instance"), isInstance});
    if (isInstance) result.push_back({Command::separator, QString(), true});
    result.push_back({Command::convert, QStringLiteral("Convert to .."), true});
    return result;
}

std::optional<ComponentInstanceDeleteRequest> ViewTreeMenu::deleteRequest(const std::string& projectId,
                                                                          const TreeSelectedViewInfo& target)
{
    if (projectId.empty() || target.viewInfoList.empty() || !target.viewInfoList.front()) return std::nullopt;
    const std::string& oid = target.viewInfoList.front()->oid;
    if (oid.empty()) return std::nullopt;
    ComponentInstanceDeleteRequest request;
    request.projectId = projectId;
    request.instanceId = oid;
    return request;
}
