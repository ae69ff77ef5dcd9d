#include "Editor/Canvas/ui/CanvasOverlayWidget.h"

#include "Editor/Canvas/CanvasDocumentPainter.h"
#include "Editor/Canvas/GMTrackingView.h"
#include "Editor/Canvas/HighlightContainerView.h"
#include "Editor/Canvas/ui/CanvasDocumentWidget.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

CanvasOverlayWidget::CanvasOverlayWidget(const HighlightContainerView* overlay, const GMTrackingView* tracking,
                                         const CanvasDocumentWidget* document, QWidget* parent)
    : QWidget(parent)
    , m_overlay(overlay)
    , m_tracking(tracking)
    , m_document(document)
{
    setObjectName(QStringLiteral("highlightContainerView"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

QPoint CanvasOverlayWidget::canvasOrigin() const
{
    return mapFromGlobal(m_document->mapToGlobal(QPoint(0, 0)));
}

int CanvasOverlayWidget::reach() const
{
    return static_cast<int>(std::ceil(HighlightContainerView::kHandleSize / 2.0 * m_document->zoom())) + 1;
}

void CanvasOverlayWidget::updateCanvasRect(const QRectF& canvasRect)
{
    const QRect pixels = CanvasDocumentPainter::pixelsOf(canvasRect, m_document->zoom());
    if (!pixels.isEmpty()) update(pixels.translated(canvasOrigin()));
}

void CanvasOverlayWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    CanvasDocumentPainter::Document document;
    document.zoom = m_document->zoom();
    document.overlay = m_overlay;
    document.scanner = m_tracking ? m_tracking->scannerView().get() : nullptr;
    document.origin = canvasOrigin();
    CanvasDocumentPainter::paintOverlay(painter, document, event->region());
}
