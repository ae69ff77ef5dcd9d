#pragma once

#include "Editor/Canvas/CanvasShadow.h"

#include <QColor>
#include <QWidget>

#include <optional>

class CanvasDocumentWidget;
class CanvasOverlayWidget;

// The preview's container: the scroll area's content, never smaller than the visible canvas nor
// than the document with room round it for the overlay's handles; the document sits in its
// middle and the overlay's layer lies over all of it. It paints the background and the
// document's shadow itself, for the pixels a repaint exposes only; the shadow shows where there
// is room.
class CanvasContainerWidget : public QWidget {
    Q_OBJECT

public:
    // Takes `document` and `overlay` as its children, the overlay in front.
    CanvasContainerWidget(CanvasDocumentWidget* document, CanvasOverlayWidget* overlay, QWidget* parent = nullptr);

    void setBackgroundColor(const QColor& color);
    void setShadow(const QColor& color, double blurRadius);
    const CanvasShadow* shadow() const { return m_shadow ? &*m_shadow : nullptr; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void documentResized();
    void centreDocument();

    CanvasDocumentWidget* m_document; // owned as a child
    CanvasOverlayWidget* m_overlay;   // owned as a child
    QColor m_background = Qt::white;
    std::optional<CanvasShadow> m_shadow;
};
