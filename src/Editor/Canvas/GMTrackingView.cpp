#include "Editor/Canvas/GMTrackingView.h"

#include "Editor/Canvas/CoordinateUtils.h"
#include "Editor/Canvas/HighlightContainerView.h"

void GMTrackingView::setTrackingDelegate(GMTrackingViewDelegate* delegate)
{
    if (delegate == m_delegate) return;
    m_delegate = delegate;
    const bool wanted = m_delegate != nullptr;
    if (wanted == m_trackingArea) return;
    m_trackingArea = wanted;
    if (trackingChanged) trackingChanged(m_trackingArea);
}

void GMTrackingView::mousePressed(const QPointF& location, Button button)
{
    // Without the overlay nothing can be drawn or cleared: the event is dropped.
    if (!highlightContainerView) return;
    if (button == Button::right) return; // the menu comes on release
    if (button != Button::left) return;
    if (m_state != State::idle) endDrag();
    if (!isDraggingActive) {
        mouseDownImpl(location);
        return;
    }
    highlightContainerView->removeSelectionHandles();
    m_firstLocation = location;
    m_state = State::pressed;
}

void GMTrackingView::mouseMoved(const QPointF& location)
{
    if (!highlightContainerView) return;
    if (m_state == State::idle) {
        // Nothing follows the pointer while no button is down: no hover frame is drawn.
        setNeedsDisplay();
        if (m_delegate) processing = true;
        return;
    }
    m_state = State::dragging;
    highlightContainerView->hideHighlightView(false);
    highlightContainerView->hideHighlightView(true);
    mouseDraggedImpl(location);
}

void GMTrackingView::mouseDraggedImpl(const QPointF& current)
{
    // The tracking layer and the overlay share one space, so the two bands are one rectangle.
    const QRectF band = CoordinateUtils::getScannedArea(m_firstLocation, current);
    if (!m_scannerView) {
        m_scannerView = std::make_shared<OverlayView>(band, QColor(77, 145, 255, 255), 0.6,
                                                      QColor::fromRgbF(64 / 255.0f, 145 / 255.0f, 249 / 255.0f, 0.17f));
    } else {
        setNeedsDisplay(); // where the band was
        m_scannerView->frame = band;
    }
    setNeedsDisplay();
    if (!m_delegate) return;
    const double ratio = m_delegate->screenRatio();
    if (!CoordinateUtils::isUsableRatio(ratio)) return;
    const double inverse = 1.0 / ratio;
    m_delegate->markViews(QRectF(band.x() * inverse, band.y() * inverse, band.width() * inverse, band.height() * inverse));
}

void GMTrackingView::mouseReleased(const QPointF& location, Button button, Modifiers modifiers)
{
    if (!highlightContainerView) return;
    if (button == Button::right) {
        if (m_state == State::idle && m_delegate) m_delegate->rightMouseUp(location);
        return;
    }
    if (button != Button::left || m_state == State::idle) return;
    const bool dragged = m_state == State::dragging;
    endDrag();
    if (!m_delegate) return;
    if (dragged) {
        m_delegate->setSelectedViewsToSessionAndHighlightSelectionBorder();
    } else if (modifiers.isExactlyCommand()) {
        m_delegate->createComponentCommandAndMouseDown(location, [] {});
    } else {
        m_delegate->createComponentOneClickMouseDown(location, [] {});
    }
}

void GMTrackingView::mouseExited()
{
    setNeedsDisplay();
}

void GMTrackingView::cancelTracking()
{
    if (m_state != State::idle) endDrag();
}

void GMTrackingView::endDrag()
{
    setNeedsDisplay();
    m_scannerView.reset();
    m_state = State::idle;
}

void GMTrackingView::setNeedsDisplay() const
{
    if (needsDisplay && m_scannerView) needsDisplay(m_scannerView->frame);
}

void GMTrackingView::mouseDownImpl(const QPointF& location)
{
    if (m_delegate) m_delegate->createComponentOneClickMouseDown(location, [] {});
}

void GMTrackingView::removeSelectedViewsAndNotify()
{
    if (highlightContainerView) {
        highlightContainerView->removeFromScreen(highlightContainerView->scannedViews);
        highlightContainerView->scannedViews.clear();
    }
    if (m_delegate) m_delegate->resetAndUpdateSelectedViews();
}
