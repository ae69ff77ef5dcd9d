#include "CanvasTestViews.h"

#include "Editor/Canvas/CanvasDocumentPainter.h"
#include "Editor/Canvas/CanvasShadow.h"
#include "Editor/Canvas/HighlightContainerView.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <functional>
#include <limits>

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A repaint paints only what it exposes, so an image painted tile by tile, each tile on a fresh
// `ground`, must come out as one painted at once: a tile that reached beyond its pixels, or
// sampled the preview differently at its border, would not. Answers the first pixels where a
// tile went wrong; `whole`, when given, receives the image painted at once.
QString tilingFaults(const QImage& ground, QSize tile, const std::function<void(QPainter&, const QRect&)>& paint,
                     QImage* whole = nullptr)
{
    const auto painted = [&](const QRect& part) {
        QImage image = ground;
        QPainter painter(&image);
        paint(painter, part);
        painter.end();
        return image;
    };
    const QImage atOnce = painted(ground.rect());
    QString faults;
    for (int top = 0; top < ground.height(); top += tile.height()) {
        for (int left = 0; left < ground.width(); left += tile.width()) {
            const QRect part(QPoint(left, top), tile);
            const QImage image = painted(part);
            for (int y = 0; y < ground.height(); ++y) {
                for (int x = 0; x < ground.width(); ++x) {
                    if (image.pixel(x, y) != (part.contains(x, y) ? atOnce : ground).pixel(x, y) && faults.size() < 40)
                        faults += QStringLiteral(" (%1,%2)").arg(x).arg(y);
                }
            }
        }
    }
    if (whole) *whole = atOnce;
    return faults;
}

QImage filled(QSize size, const QColor& color)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(color);
    return image;
}

// The canvas lies 10 pixels in from the painted area's corner, as the document lies in the canvas
// round it; the selected view sits on the canvas's corner, so half its handles fall outside.
TEST(CanvasDocumentPainter, paintingInPartsEqualsPaintingAtOnceAndTouchesNothingElse)
{
    HighlightContainerView overlay;
    SelectedViewInfo info;
    info.viewInfo = makeView("A", 0, 0, 20, 30);
    info.rect = QRectF(0, 0, 20, 30);
    overlay.addToScreen(overlay.addNewSelectedViews({info}));
    overlay.highlightSelectionBorders({0, 0, 20, 30});
    // A preview with detail in every pixel, so smoothing differences would show.
    QImage preview(40, 60, QImage::Format_RGB32);
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 40; ++x) preview.setPixel(x, y, qRgb((x * 37) % 256, (y * 53) % 256, ((x + y) * 11) % 256));
    }
    for (const double zoom : {1.0, 1.5, 4.0}) {
        const CanvasDocumentPainter::Document document{preview, QSizeF(40, 60), zoom, &overlay, nullptr, QPoint(10, 10)};
        const QImage ground = filled(QSize(static_cast<int>(40 * zoom) + 20, static_cast<int>(60 * zoom) + 20), QColor(1, 2, 3));
        QImage whole;
        const QString faults = tilingFaults(ground, {17, 13}, [&document](QPainter& painter, const QRect& exposed) {
            CanvasDocumentPainter::paintPreview(painter, document, QRegion(exposed));
            CanvasDocumentPainter::paintOverlay(painter, document, QRegion(exposed));
        }, &whole);
        EXPECT_TRUE(faults.isEmpty()) << zoom << faults.toStdString();
        // The preview stays on the canvas; the top left handle's white reaches out beside it.
        EXPECT_EQ(whole.pixelColor(9, static_cast<int>(10 + 50 * zoom)), QColor(1, 2, 3)) << zoom;
        EXPECT_EQ(whole.pixelColor(8, 8), QColor(Qt::white)) << zoom;
    }
}

TEST(CanvasDocumentPainter, pixelsOfACanvasRectangleCoverItAtTheZoomWithAMargin)
{
    const struct {
        QRectF canvas;
        double zoom;
        QRect pixels;
    } cases[] = {
        {{10, 20, 5, 1}, 4.0, {39, 79, 22, 6}},
        {{0.25, 0.25, 0.5, 0.5}, 1.5, {-1, -1, 4, 4}},
        {{10, 20, -5, 1}, 1.0, {4, 19, 7, 3}}, // a negative width is normalised
        {{0, 0, 1e300, 1}, 4.0, {}},
        {{0, 0, 5, 5}, kNaN, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(CanvasDocumentPainter::pixelsOf(c.canvas, c.zoom), c.pixels) << c.zoom;
}

TEST(CanvasShadow, fadesOutsideTheDocumentAsABlurDoesAndPaintsTheSameInParts)
{
    const CanvasShadow shadow(QColor(0, 0, 0, 0x40), 12);
    const QRect document(30, 30, 100, 200);
    QImage whole;
    const QString faults = tilingFaults(
        filled({160, 260}, Qt::transparent), {19, 23},
        [&shadow, &document](QPainter& painter, const QRect& exposed) { shadow.paint(painter, document, exposed); }, &whole);
    EXPECT_TRUE(faults.isEmpty()) << faults.toStdString();

    const auto alpha = [&whole](int x, int y) { return qAlpha(whole.pixel(x, y)); };
    // Darkest beside the edge, fading to nothing at the radius, alike on every side, nothing inside.
    EXPECT_GT(alpha(29, 100), alpha(24, 100));
    EXPECT_GT(alpha(24, 100), alpha(20, 100));
    EXPECT_EQ(alpha(17, 100), 0);
    EXPECT_EQ(alpha(80, 29), alpha(29, 100));
    EXPECT_EQ(alpha(130, 100), alpha(29, 100));
    EXPECT_EQ(alpha(80, 100), 0);
    // Towards a corner it fades smoothly, with no step where the corner meets the side.
    EXPECT_LT(alpha(29, 29), alpha(29, 31));
    for (int y = 18; y < 60; ++y) EXPECT_LE(alpha(29, y), alpha(29, y + 1)) << y;
    EXPECT_LE(alpha(29, 43) - alpha(29, 41), 1);
}
} // namespace
