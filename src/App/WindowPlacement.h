#pragma once

#include <QRect>
#include <QSize>

// Where a new window goes: no larger than the screen's available area (what the task bar and
// menu leave), centred on it.
class WindowPlacement {
public:
    // `minimum` wins over the screen only when the screen is smaller than it.
    static QRect centred(const QSize& wanted, const QSize& minimum, const QRect& available);
};
