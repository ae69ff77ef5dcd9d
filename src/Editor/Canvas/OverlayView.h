#pragma once

#include <QColor>
#include <QRectF>

#include <cstddef>

class HighlightContainerView;

// One drawing on the canvas overlay: a selection outline, a handle or the rubber band. The
// overlay keeps them as a retained list that the canvas widget paints in order, so the selection
// logic can create, keep and drop them without a window.
struct OverlayView {
    enum class Kind {
        plain,     // border and fill as given
        highlight, // a frame drawn from tinted border images (HighlightView)
    };

    QRectF frame; // overlay space: unzoomed canvas units
    QColor borderColor = Qt::transparent;
    double borderWidth = 0.0;
    QColor backgroundColor = Qt::transparent;
    Kind kind = Kind::plain;
    QColor selectionColor = Qt::white; // tint of a highlight frame

    OverlayView() = default;
    OverlayView(const QRectF& frameRect, const QColor& border, double width,
                const QColor& background = Qt::transparent);
    ~OverlayView();
    OverlayView(const OverlayView&) = delete;
    OverlayView& operator=(const OverlayView&) = delete;

    HighlightContainerView* superview() const { return m_superview; }
    // Takes the view off the overlay it was added to; harmless when it is on none.
    void removeFromSuperview();

private:
    friend class HighlightContainerView;
    HighlightContainerView* m_superview = nullptr; // not owned; cleared when the overlay goes
    std::size_t m_slot = 0;                        // position in the overlay's drawing list
};
