#pragma once

#include <QColor>
#include <QString>

#include <functional>
#include <vector>

// The canvas's named colours (the application's colour assets) and the seven selection colours.
class CanvasColors {
public:
    // A named colour of the canvas; an invalid colour for an unknown name.
    static QColor named(const QString& name);

    // "highlightPink", "highlightPurple", "highlightBrown", "highlightBlue", "highlightYellow",
    // "highlightOrange", "highlightGreen", in that order; built once.
    static const std::vector<QColor>& higlightColors();
    // A uniformly random element of higlightColors().
    static QColor getRandomHighlightColor();

    // Answers an index below `bound`; the system's random source unless a test sets one.
    using RandomSource = std::function<int(int bound)>;
    static void setRandomSource(RandomSource source); // empty: back to the system source
};
