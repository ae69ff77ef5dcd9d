#pragma once

#include "Editor/Canvas/CanvasShadow.h"

#include <QColor>
#include <QWidget>

#include <optional>

class CanvasDocumentWidget;

// The preview's container: the scroll area's content, never smaller than the visible canvas nor
// than the document, which sits in its middle. It paints the background and the document's
// shadow itself, for the pixels a repaint exposes only; the shadow shows where there is room.
class CanvasContainerWidget : public QWidget {
    Q_OBJECT

public:
    // Takes `document` as its child.
    explicit CanvasContainerWidget(CanvasDocumentWidget* document, QWidget* parent = nullptr);

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
    QColor m_background = Qt::white;
    std::optional<CanvasShadow> m_shadow;
};
