#pragma once

#include <QRectF>
#include <QWidget>

class CanvasDocumentWidget;
class GMTrackingView;
class HighlightContainerView;

// The selection overlay's layer: outlines, handles and the rubber band, in the document's
// geometry and zoom, laid over the document and over the canvas round it. It is not held to the
// document's rectangle: the handles of a view at the artboard's edge and a band dragged past it
// are drawn whole wherever the canvas has room. It takes no mouse events (they reach the document
// or the canvas beneath it) and paints only the pixels a repaint exposes.
class CanvasOverlayWidget : public QWidget {
    Q_OBJECT

public:
    // None is owned; all outlive the widget (the canvas's controller holds them).
    CanvasOverlayWidget(const HighlightContainerView* overlay, const GMTrackingView* tracking,
                        const CanvasDocumentWidget* document, QWidget* parent = nullptr);

    // Repaints the pixels that show `canvasRect`, inside the document or beyond it.
    void updateCanvasRect(const QRectF& canvasRect);
    // How many pixels the drawings of a view reach beyond its frame at the document's zoom: half
    // a handle, and a pixel for rounding.
    int reach() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Where the document's canvas point (0, 0) lies in this widget.
    QPoint canvasOrigin() const;

    const HighlightContainerView* m_overlay; // not owned
    const GMTrackingView* m_tracking;        // not owned
    const CanvasDocumentWidget* m_document;  // not owned
};
