#include "Editor/Canvas/ViewUtils.h"

#include <algorithm>
#include <cmath>

bool isEqualToFrame(const FrameModel& lhs, const FrameModel& rhs)
{
    // Exact comparisons on purpose: the flag asks whether one view is the whole selection.
    return lhs.x == rhs.x && lhs.y == rhs.y && lhs.height == rhs.height && lhs.width == rhs.width;
}

namespace {
double layoutArea(const SelectedViewInfo& item)
{
    return item.viewInfo && item.viewInfo->layout ? item.viewInfo->layout->width * item.viewInfo->layout->height : 0.0;
}

double roundToOneDecimal(double value)
{
    return std::round(value * 10.0) / 10.0; // halves away from zero
}
} // namespace

std::optional<SelectedViewInfo> ViewUtils::getBiggestItem(const SelectedList& items,
                                                          const std::optional<std::string>& discardingId)
{
    if (items.empty()) return std::nullopt;
    const SelectedViewInfo* best = &items.front();
    for (std::size_t i = 1; i < items.size(); ++i) {
        const SelectedViewInfo& item = items[i];
        if (discardingId && best->oid() == *discardingId) {
            best = &item;
            continue;
        }
        if (discardingId && item.oid() == *discardingId) continue;
        if (layoutArea(item) >= layoutArea(*best)) best = &item;
    }
    return *best;
}

FrameModel ViewUtils::getBiggestFrame(const SelectedList& items)
{
    FrameModel frame;
    bool any = false;
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    for (const auto& item : items) {
        if (!item.viewInfo || !item.viewInfo->layout) continue;
        const FrameModel& f = *item.viewInfo->layout;
        if (!any) {
            minX = f.x;
            minY = f.y;
            maxX = f.x + f.width;
            maxY = f.y + f.height;
            any = true;
            continue;
        }
        minX = std::min(minX, f.x);
        minY = std::min(minY, f.y);
        maxX = std::max(maxX, f.x + f.width);
        maxY = std::max(maxY, f.y + f.height);
    }
    if (!any) return frame;
    frame.x = roundToOneDecimal(minX);
    frame.y = roundToOneDecimal(minY);
    frame.width = roundToOneDecimal(maxX - minX);
    frame.height = roundToOneDecimal(maxY - minY);
    return frame;
}

ViewUtils::SelectedList ViewUtils::values(const SelectionDictionary& selection)
{
    SelectedList list;
    list.reserve(selection.size());
    for (const auto& entry : selection) list.push_back(entry.second);
    return list;
}

ViewUtils::BiggestRectAndItem ViewUtils::getBiggestRectAndItem(const SelectionDictionary& selection)
{
    const SelectedList list = values(selection);
    BiggestRectAndItem result;
    result.item = getBiggestItem(list);
    result.frame = getBiggestFrame(list);
    const FrameModel zeroFrame;
    if (!result.item || !result.item->viewInfo || !result.item->viewInfo->layout
        || isEqualToFrame(result.frame, zeroFrame)) {
        result.containsAllViews = false;
    } else {
        result.containsAllViews = isEqualToFrame(*result.item->viewInfo->layout, result.frame);
    }
    return result;
}

SelectionDictionary ViewUtils::getHashList(const SelectedList& items)
{
    SelectionDictionary dictionary;
    for (const auto& item : items) dictionary.insert_or_assign(item.oid(), item);
    return dictionary;
}
