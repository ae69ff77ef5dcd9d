#include "Editor/Canvas/ui/CanvasDocumentWidget.h"

#include "Editor/Canvas/CanvasDocumentPainter.h"
#include "Editor/Canvas/GMTrackingView.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
GMTrackingView::Button buttonOf(Qt::MouseButton button)
{
    if (button == Qt::LeftButton) return GMTrackingView::Button::left;
    if (button == Qt::RightButton) return GMTrackingView::Button::right;
    return GMTrackingView::Button::other;
}

GMTrackingView::Modifiers modifiersOf(Qt::KeyboardModifiers modifiers)
{
    // Read from the event itself: the state that counts is the one at the release.
    GMTrackingView::Modifiers result;
    result.command = modifiers.testFlag(Qt::ControlModifier);
    result.shift = modifiers.testFlag(Qt::ShiftModifier);
    result.option = modifiers.testFlag(Qt::AltModifier);
    result.other = (modifiers & ~(Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier)) != Qt::NoModifier;
    return result;
}
} // namespace

CanvasDocumentWidget::CanvasDocumentWidget(GMTrackingView* tracking, QWidget* parent)
    : QWidget(parent)
    , m_tracking(tracking)
{
    setObjectName(QStringLiteral("canvasDocument"));
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setFocusPolicy(Qt::ClickFocus);
    updateSize();
}

void CanvasDocumentWidget::setPreview(const QImage& image)
{
    m_preview = image;
    update();
}

void CanvasDocumentWidget::setCanvasSize(const QSizeF& size)
{
    m_canvasSize = size;
    updateSize();
}

void CanvasDocumentWidget::setZoom(double zoom)
{
    if (!std::isfinite(zoom) || zoom <= 0) return;
    m_zoom = zoom;
    updateSize();
}

QPointF CanvasDocumentWidget::toCanvas(const QPointF& widgetPoint) const
{
    return QPointF(widgetPoint.x() / m_zoom, widgetPoint.y() / m_zoom);
}

QPointF CanvasDocumentWidget::toWidget(const QPointF& canvasPoint) const
{
    return QPointF(canvasPoint.x() * m_zoom, canvasPoint.y() * m_zoom);
}

QSize CanvasDocumentWidget::sizeHint() const
{
    const auto pixels = [this](double length) {
        const double scaled = std::ceil(length * m_zoom);
        return std::isfinite(scaled) && scaled > 0 ? static_cast<int>(std::min(scaled, 100000.0)) : 0;
    };
    return QSize(pixels(m_canvasSize.width()), pixels(m_canvasSize.height()));
}

void CanvasDocumentWidget::updateSize()
{
    const QSize before = size();
    setFixedSize(sizeHint());
    update();
    if (size() != before) Q_EMIT sizeChanged();
}

void CanvasDocumentWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    CanvasDocumentPainter::Document document;
    document.preview = m_preview;
    document.canvasSize = m_canvasSize;
    document.zoom = m_zoom;
    CanvasDocumentPainter::paintPreview(painter, document, event->region());
}

void CanvasDocumentWidget::mousePressEvent(QMouseEvent* event)
{
    if (m_tracking) m_tracking->mousePressed(toCanvas(event->position()), buttonOf(event->button()));
    event->accept();
}

void CanvasDocumentWidget::mouseMoveEvent(QMouseEvent* event)
{
    // A move with no button counts only while the tracking registration is installed; a drag
    // always counts.
    if (m_tracking && (event->buttons() & Qt::LeftButton || m_tracking->trackingArea()))
        m_tracking->mouseMoved(toCanvas(event->position()));
    event->accept();
}

void CanvasDocumentWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_tracking)
        m_tracking->mouseReleased(toCanvas(event->position()), buttonOf(event->button()), modifiersOf(event->modifiers()));
    event->accept();
}

void CanvasDocumentWidget::leaveEvent(QEvent* event)
{
    if (m_tracking) m_tracking->mouseExited();
    QWidget::leaveEvent(event);
}

void CanvasDocumentWidget::hideEvent(QHideEvent* event)
{
    if (m_tracking) m_tracking->cancelTracking();
    QWidget::hideEvent(event);
}

bool CanvasDocumentWidget::event(QEvent* event)
{
    // The mouse went to someone else (a popup, another window): a running band is dropped.
    if (m_tracking && (event->type() == QEvent::UngrabMouse || event->type() == QEvent::WindowDeactivate))
        m_tracking->cancelTracking();
    return QWidget::event(event);
}
