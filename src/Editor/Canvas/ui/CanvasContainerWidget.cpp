#include "Editor/Canvas/ui/CanvasContainerWidget.h"

#include "Editor/Canvas/ui/CanvasDocumentWidget.h"
#include "Editor/Canvas/ui/CanvasOverlayWidget.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

CanvasContainerWidget::CanvasContainerWidget(CanvasDocumentWidget* document, CanvasOverlayWidget* overlay,
                                             QWidget* parent)
    : QWidget(parent)
    , m_document(document)
    , m_overlay(overlay)
{
    setObjectName(QStringLiteral("screenContainerView"));
    m_document->setParent(this);
    m_overlay->setParent(this);
    m_overlay->raise();
    connect(m_document, &CanvasDocumentWidget::sizeChanged, this, [this] { documentResized(); });
    documentResized();
}

void CanvasContainerWidget::setBackgroundColor(const QColor& color)
{
    m_background = color;
    update();
}

void CanvasContainerWidget::setShadow(const QColor& color, double blurRadius)
{
    m_shadow.emplace(color, blurRadius);
    update();
}

void CanvasContainerWidget::documentResized()
{
    // Room on every side for the handles of a view at the document's edge, even when the
    // document is larger than the visible canvas.
    const int room = m_overlay->reach();
    const QSize needed = m_document->size() + QSize(2 * room, 2 * room);
    const QSize before = size();
    setMinimumSize(needed);
    // Shrinking to the least lets the scroll area that holds this container fit it to its
    // viewport again at once (it does so on every resize), so its scroll ranges are right
    // before the caller scrolls.
    if (size() == before) resize(needed);
    centreDocument();
}

void CanvasContainerWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    centreDocument();
}

void CanvasContainerWidget::centreDocument()
{
    const QSize free = size() - m_document->size();
    const QRect before = m_document->geometry();
    m_document->move(std::max(0, free.width() / 2), std::max(0, free.height() / 2));
    m_overlay->setGeometry(rect());
    // The overlay's drawings beyond the document move with it (the document itself repaints
    // whole when it moves or takes a new size).
    if (m_document->geometry() != before) m_overlay->update();
}

void CanvasContainerWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    for (const QRect& part : event->region()) painter.fillRect(part, m_background);
    // Only a shown preview is opaque and casts a shadow.
    if (m_shadow && !m_document->preview().isNull()) {
        for (const QRect& part : event->region()) m_shadow->paint(painter, m_document->geometry(), part);
    }
}
