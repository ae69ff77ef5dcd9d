#include "App/WindowPlacement.h"

#include <algorithm>

QRect WindowPlacement::centred(const QSize& wanted, const QSize& minimum, const QRect& available)
{
    if (!available.isValid()) return QRect(QPoint(0, 0), wanted);
    const int width = std::max(std::min(wanted.width(), available.width()), minimum.width());
    const int height = std::max(std::min(wanted.height(), available.height()), minimum.height());
    const int x = available.x() + (available.width() - width) / 2;
    const int y = available.y() + (available.height() - height) / 2;
    // A window larger than the screen keeps its top-left corner on it, so its title bar stays reachable.
    return QRect(std::max(x, available.x()), std::max(y, available.y()), width, height);
}
