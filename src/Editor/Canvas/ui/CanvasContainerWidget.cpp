#include "Editor/Canvas/ui/CanvasContainerWidget.h"

#include "Editor/Canvas/ui/CanvasDocumentWidget.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

CanvasContainerWidget::CanvasContainerWidget(CanvasDocumentWidget* document, QWidget* parent)
    : QWidget(parent)
    , m_document(document)
{
    setObjectName(QStringLiteral("screenContainerView"));
    m_document->setParent(this);
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
    const QSize needed = m_document->size();
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
    m_document->move(std::max(0, free.width() / 2), std::max(0, free.height() / 2));
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
