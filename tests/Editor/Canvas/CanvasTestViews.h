#pragma once

#include "Editor/ViewInfo.h"

#include <memory>
#include <string>
#include <vector>

// View records for the canvas tests: an id and a layout frame in artboard space.
inline std::shared_ptr<ViewInfo> makeView(const std::string& oid, double x, double y, double width, double height)
{
    auto view = std::make_shared<ViewInfo>();
    view->oid = oid;
    view->layout->x = x;
    view->layout->y = y;
    view->layout->width = width;
    view->layout->height = height;
    return view;
}

inline std::vector<std::string> oidsOf(const std::vector<std::shared_ptr<ViewInfo>>& views)
{
    std::vector<std::string> oids;
    for (const auto& view : views) oids.push_back(view ? view->oid : std::string("<null>"));
    return oids;
}
