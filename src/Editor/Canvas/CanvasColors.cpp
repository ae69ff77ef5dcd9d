#include "Editor/Canvas/CanvasColors.h"

#include <QRandomGenerator>

#include <utility>

namespace {
struct NamedColor {
    const char* name;
    QRgb rgba;
};

// Chosen to stay apart from each other and readable over light and dark previews.
constexpr NamedColor kNamedColors[] = {
    {"highlightPink", qRgba(0xF0, 0x3E, 0x9A, 0xFF)},
    {"highlightPurple", qRgba(0x8E, 0x44, 0xDD, 0xFF)},
    {"highlightBrown", qRgba(0x9C, 0x5B, 0x2E, 0xFF)},
    {"highlightBlue", qRgba(0x1E, 0x88, 0xE5, 0xFF)},
    {"highlightYellow", qRgba(0xE5, 0xB8, 0x00, 0xFF)},
    {"highlightOrange", qRgba(0xF5, 0x7C, 0x00, 0xFF)},
    {"highlightGreen", qRgba(0x2E, 0xA0, 0x43, 0xFF)},
    {"breadcrumbBg", qRgba(0x00, 0x00, 0x00, 0x40)},
    {"noDataBackground", qRgba(0xF4, 0xF5, 0xF7, 0xFF)},
    {"zoomViewColor", qRgba(0xFF, 0xFF, 0xFF, 0xFF)},
    {"projectIconBorder", qRgba(0xD5, 0xD8, 0xDE, 0xFF)},
    {"zoomLabel", qRgba(0x3C, 0x40, 0x48, 0xFF)},
};

constexpr const char* kHighlightNames[] = {"highlightPink",   "highlightPurple", "highlightBrown", "highlightBlue",
                                           "highlightYellow", "highlightOrange", "highlightGreen"};

CanvasColors::RandomSource& randomSource()
{
    static CanvasColors::RandomSource source;
    return source;
}
} // namespace

QColor CanvasColors::named(const QString& name)
{
    for (const auto& entry : kNamedColors) {
        if (name == QLatin1String(entry.name)) return QColor::fromRgba(entry.rgba);
    }
    return QColor();
}

const std::vector<QColor>& CanvasColors::higlightColors()
{
    static const std::vector<QColor> colors = [] {
        std::vector<QColor> list;
        for (const char* name : kHighlightNames) list.push_back(named(QLatin1String(name)));
        return list;
    }();
    return colors;
}

QColor CanvasColors::getRandomHighlightColor()
{
    const auto& colors = higlightColors();
    const int bound = static_cast<int>(colors.size());
    int index = randomSource() ? randomSource()(bound) : static_cast<int>(QRandomGenerator::system()->bounded(bound));
    if (index < 0 || index >= bound) index = 0;
    return colors[static_cast<std::size_t>(index)];
}

void CanvasColors::setRandomSource(RandomSource source)
{
    randomSource() = std::move(source);
}
