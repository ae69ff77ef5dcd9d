#pragma once

#include <cstddef>

// The side menu's pages; the value is the page's tab index.
enum class SideMenuContentType : std::size_t {
    views = 0,
    components = 1,
    componentInfo = 2,
    createComponent = 3,
    convertView = 4,
    colors = 5,
    textStyles = 6,
    images = 7,
};

constexpr std::size_t kSideMenuContentTypeCount = 8;

constexpr std::size_t tabIndex(SideMenuContentType type)
{
    return static_cast<std::size_t>(type);
}
