#pragma once

#include "Components/ComponentInstanceDeleteRequest.h"
#include "Editor/Pages/TreeSelectedViewInfo.h"
#include "Editor/TreeViewInfo.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

// The rules of the views page's context menu, apart from any widget: which rows a command acts
// on, which items the menu holds, and what "Delete Instance" sends.
class ViewTreeMenu {
public:
    enum class Command { deleteInstance, separator, convert };

    struct Item {
        Command command = Command::separator;
        QString title; // empty for the separator
        bool visible = true;
    };

    // The node shown at an outline row; null when the row shows none.
    using NodeAtRow = std::function<const TreeViewInfo*(int row)>;

    // The view records of the rows, in ascending row order; rows whose node has no view record
    // (groups) contribute nothing. Neither single-selection flag is set.
    static TreeSelectedViewInfo getSelectedViewInfoListInTree(std::vector<int> rows, const NodeAtRow& nodeAtRow);
    // One row: its view record as a single selection, instance or not; an empty target when the
    // row has no node or the node no view record.
    static TreeSelectedViewInfo getSelectedViewInfoInTree(int row, const NodeAtRow& nodeAtRow);

    // A right click inside a selection of two or more rows acts on the whole selection; any other
    // right click acts on the clicked row alone.
    static TreeSelectedViewInfo target(const std::vector<int>& selectedRows, int clickedRow, const NodeAtRow& nodeAtRow);

    // "Delete Instance" (shown only for a single component instance, then followed by a
    // separator) and "Convert to ..", in that order.
    static std::vector<Item> items(const TreeSelectedViewInfo& target);

    // What "Delete Instance" sends for the target: nothing without a project id, without a view
    // record in the target or when the first record has no id.
    static std::optional<ComponentInstanceDeleteRequest> deleteRequest(const std::string& projectId,
                                                                       const TreeSelectedViewInfo& target);
};
