#pragma once

#include "Editor/Canvas/SelectedViewInfo.h"
#include "Import/Sketch/FrameModel.h"

#include <optional>
#include <string>
#include <vector>

// True when x, y, height and width are all exactly equal; any NaN makes the frames unequal.
bool isEqualToFrame(const FrameModel& lhs, const FrameModel& rhs);

// Helpers over the canvas selection.
class ViewUtils {
public:
    using SelectedList = std::vector<SelectedViewInfo>;

    struct BiggestRectAndItem {
        std::optional<SelectedViewInfo> item; // the biggest view, none for an empty selection
        FrameModel frame;                     // bounding frame of the selection, artboard space
        bool containsAllViews = false;        // the biggest view alone spans the bounding frame
    };

    // The item of the largest layout area (the later one among equals); none for an empty list.
    // An item whose id equals `discardingId` is passed over unless it is the first.
    static std::optional<SelectedViewInfo> getBiggestItem(const SelectedList& items,
                                                          const std::optional<std::string>& discardingId = {});
    // Bounding box of the items' layout frames, each value rounded to one decimal.
    static FrameModel getBiggestFrame(const SelectedList& items);
    static BiggestRectAndItem getBiggestRectAndItem(const SelectionDictionary& selection);
    // Keyed by view id in list order; a later item with a known id replaces the earlier one.
    static SelectionDictionary getHashList(const SelectedList& items);
    static SelectedList values(const SelectionDictionary& selection);
};
