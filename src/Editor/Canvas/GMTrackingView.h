#pragma once

#include "Editor/Canvas/GMTrackingViewDelegate.h"
#include "Editor/Canvas/OverlayView.h"

#include <QPointF>
#include <QRectF>

#include <functional>
#include <memory>

class HighlightContainerView;

// The mouse on the design canvas, as a small state machine that the canvas widget feeds with
// press, move, release and leave in overlay space. A press and release without a move is
// one click (a Command-click when the modifiers at release are exactly Command); a press with
// moves is one rubber band that selects on every step and commits once at release. It keeps no
// selection: the delegate runs the hit tests and the overlay keeps what is selected.
class GMTrackingView {
public:
    enum class Button { left, right, other };
    // The modifier keys held at an event, compared as a whole.
    struct Modifiers {
        bool command = false; // Control on this platform
        bool shift = false;
        bool option = false;
        bool other = false; // any further modifier (Meta, keypad, ...)
        bool isExactlyCommand() const { return command && !shift && !option && !other; }
    };
    enum class State { idle, pressed, dragging };

    // The delegate is not owned. Assigning the one already held changes nothing; the tracking
    // registration follows the presence of a delegate (see trackingChanged).
    void setTrackingDelegate(GMTrackingViewDelegate* delegate);
    GMTrackingViewDelegate* trackingDelegate() const { return m_delegate; }

    bool processing = false;
    bool isDraggingActive = false;
    bool trackingArea() const { return m_trackingArea; }
    HighlightContainerView* highlightContainerView = nullptr; // not owned
    const std::shared_ptr<OverlayView>& scannerView() const { return m_scannerView; }
    State state() const { return m_state; }

    void mousePressed(const QPointF& location, Button button);
    void mouseMoved(const QPointF& location);   // any move; a drag while the left button is down
    void mouseReleased(const QPointF& location, Button button, Modifiers modifiers);
    void mouseExited();
    // The widget was hidden or lost the mouse: a running drag ends without committing.
    void cancelTracking();

    // Clears the overlay's selection and tells the delegate.
    void removeSelectedViewsAndNotify();

    // Called when the tracking registration is installed (true) or removed (false), and with
    // the area of the canvas (overlay space) whose drawing of the tracking layer changed.
    std::function<void(bool installed)> trackingChanged;
    std::function<void(const QRectF&)> needsDisplay;

private:
    // The tracking layer draws nothing but the rubber band: asks for the band's area, if any.
    void setNeedsDisplay() const;
    void mouseDownImpl(const QPointF& location);
    void mouseDraggedImpl(const QPointF& current);
    void endDrag();

    GMTrackingViewDelegate* m_delegate = nullptr; // not owned
    bool m_trackingArea = false;
    std::shared_ptr<OverlayView> m_scannerView; // the rubber band while a drag lasts
    State m_state = State::idle;
    QPointF m_firstLocation;
};
