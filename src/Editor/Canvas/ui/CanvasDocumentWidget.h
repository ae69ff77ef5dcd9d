#pragma once

#include <QImage>
#include <QSizeF>
#include <QWidget>

class GMTrackingView;

// The canvas document: the preview and the mouse tracking in one widget and one geometry, which
// the selection overlay (CanvasOverlayWidget, laid over it) shares. Everything it is given is in
// canvas units; the zoom scales the painting and divides the mouse positions, so widget pixel
// (150, 60) at zoom 1.5 is canvas point (100, 40). It paints only the pixels a repaint exposes,
// so nothing it does costs in proportion to the document's size.
class CanvasDocumentWidget : public QWidget {
    Q_OBJECT

public:
    // `tracking` is not owned and outlives the widget (its controller holds it).
    explicit CanvasDocumentWidget(GMTrackingView* tracking, QWidget* parent = nullptr);

    void setPreview(const QImage& image); // already at the canvas scale; a null image clears it
    const QImage& preview() const { return m_preview; }
    void setCanvasSize(const QSizeF& size);
    QSizeF canvasSize() const { return m_canvasSize; }

    void setZoom(double zoom);
    double zoom() const { return m_zoom; }
    QPointF toCanvas(const QPointF& widgetPoint) const;
    QPointF toWidget(const QPointF& canvasPoint) const;

    QSize sizeHint() const override;

Q_SIGNALS:
    // The widget took a new size (a new canvas size or zoom).
    void sizeChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool event(QEvent* event) override;

private:
    void updateSize();

    GMTrackingView* m_tracking; // not owned
    QImage m_preview;
    QSizeF m_canvasSize{0.0, 0.0};
    double m_zoom = 1.0;
};
