#include "CanvasTestViews.h"

#include "Editor/Canvas/CanvasDocumentPainter.h"
#include "Editor/Canvas/CanvasShadow.h"
#include "Editor/Canvas/HighlightContainerView.h"

#include <gtest/gtest.h>

#include <QPainter>

namespace {
const QColor kUntouched(1, 2, 3);

QImage blank(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(kUntouched);
    return image;
}

// A preview with detail in every pixel, so smoothing differences would show.
QImage checkered(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) image.setPixel(x, y, qRgb((x * 37) % 256, (y * 53) % 256, ((x + y) * 11) % 256));
    }
    return image;
}

// The pixels where two images differ, at most a few of them named.
int differences(const QImage& a, const QImage& b, QString* where)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) == b.pixel(x, y)) continue;
            if (++count <= 3) *where += QStringLiteral(" (%1,%2)").arg(x).arg(y);
        }
    }
    return count;
}

// A repaint paints only what it exposes, so a screen painted in tiles must come out as one painted
// at once; a tile that reached further, or sampled the preview differently at its border, would not.
TEST(CanvasDocumentPainter, paintingInPartsEqualsPaintingAtOnceAndTouchesNothingElse)
{
    HighlightContainerView overlay;
    overlay.addToScreen(overlay.addNewSelectedViews({[] {
        SelectedViewInfo info;
        info.viewInfo = makeView("A", 3, 5, 20, 30);
        info.rect = QRectF(3, 5, 20, 30);
        return info;
    }()}));
    overlay.highlightSelectionBorders({3, 5, 20, 30});
    for (const double zoom : {1.0, 1.5, 4.0}) {
        CanvasDocumentPainter::Document document;
        document.preview = checkered({40, 60});
        document.canvasSize = QSizeF(40, 60);
        document.zoom = zoom;
        document.overlay = &overlay;
        const QSize pixels(static_cast<int>(40 * zoom), static_cast<int>(60 * zoom));

        QImage whole = blank(pixels);
        QPainter wholePainter(&whole);
        CanvasDocumentPainter::paint(wholePainter, document, QRegion(QRect(QPoint(0, 0), pixels)));
        wholePainter.end();

        QImage tiled = blank(pixels);
        for (int y = 0; y < pixels.height(); y += 13) {
            for (int x = 0; x < pixels.width(); x += 17) {
                QPainter painter(&tiled);
                CanvasDocumentPainter::paint(painter, document, QRegion(x, y, 17, 13));
            }
        }
        QString where;
        EXPECT_EQ(differences(whole, tiled, &where), 0) << zoom << where.toStdString();

        QImage part = blank(pixels);
        QPainter partPainter(&part);
        const QRect exposed(5, 7, 11, 9);
        CanvasDocumentPainter::paint(partPainter, document, QRegion(exposed));
        partPainter.end();
        int outside = 0;
        for (int y = 0; y < pixels.height(); ++y) {
            for (int x = 0; x < pixels.width(); ++x) outside += !exposed.contains(x, y) && part.pixelColor(x, y) != kUntouched;
        }
        EXPECT_EQ(outside, 0) << zoom;
    }
}

TEST(CanvasDocumentPainter, pixelsOfACanvasRectangleCoverItAtTheZoomWithAMargin)
{
    const struct {
        QRectF canvas;
        double zoom;
        QRect pixels;
    } cases[] = {
        {{10, 20, 5, 1}, 1.0, {9, 19, 7, 3}},
        {{10, 20, 5, 1}, 4.0, {39, 79, 22, 6}},
        {{0.25, 0.25, 0.5, 0.5}, 1.5, {-1, -1, 4, 4}},
        {{10, 20, -5, 1}, 1.0, {4, 19, 7, 3}}, // a negative width is normalised
        {{0, 0, std::numeric_limits<double>::infinity(), 1}, 1.0, {}},
        {{0, 0, 1e300, 1}, 4.0, {}},
        {{0, 0, 5, 5}, std::numeric_limits<double>::quiet_NaN(), {}},
    };
    for (const auto& c : cases) EXPECT_EQ(CanvasDocumentPainter::pixelsOf(c.canvas, c.zoom), c.pixels) << c.zoom;
}

TEST(CanvasShadow, fadesOutsideTheDocumentAndPaintsTheSameInParts)
{
    const CanvasShadow shadow(QColor(0, 0, 0, 0x40), 12);
    ASSERT_EQ(shadow.extent(), 12);
    const QRect document(30, 30, 100, 200);
    const QSize size(160, 260);
    QImage whole(size, QImage::Format_ARGB32_Premultiplied);
    whole.fill(Qt::transparent);
    QPainter painter(&whole);
    shadow.paint(painter, document, QRect(QPoint(0, 0), size));
    painter.end();

    const auto alpha = [&whole](int x, int y) { return qAlpha(whole.pixel(x, y)); };
    // Darkest beside the edge, fading to nothing at the radius, nothing inside the document.
    EXPECT_GT(alpha(29, 100), 0x18);
    EXPECT_GT(alpha(29, 100), alpha(24, 100));
    EXPECT_GT(alpha(24, 100), alpha(20, 100));
    EXPECT_EQ(alpha(17, 100), 0);
    EXPECT_EQ(alpha(80, 29), alpha(29, 100)); // every side alike
    EXPECT_EQ(alpha(130, 100), alpha(29, 100));
    EXPECT_EQ(alpha(80, 230), alpha(29, 100));
    // Towards a corner the shadow fades smoothly, as a blur does, with no step where the corner
    // meets the side.
    EXPECT_LT(alpha(29, 29), alpha(29, 31));
    EXPECT_LT(alpha(29, 31), alpha(29, 100));
    for (int y = 18; y < 60; ++y) EXPECT_LE(alpha(29, y), alpha(29, y + 1)) << y;
    EXPECT_LE(alpha(29, 43) - alpha(29, 41), 1);
    EXPECT_EQ(alpha(80, 100), 0);
    EXPECT_EQ(alpha(0, 0), 0);

    QImage tiled(size, QImage::Format_ARGB32_Premultiplied);
    tiled.fill(Qt::transparent);
    for (int y = 0; y < size.height(); y += 23) {
        for (int x = 0; x < size.width(); x += 19) {
            QPainter tile(&tiled);
            shadow.paint(tile, document, QRect(x, y, 19, 23));
        }
    }
    QString where;
    EXPECT_EQ(differences(whole, tiled, &where), 0) << where.toStdString();
}

TEST(CanvasShadow, unusableRadiiDrawNothingAndLargeOnesAreBounded)
{
    for (const double radius : {0.0, -5.0, std::numeric_limits<double>::quiet_NaN()}) {
        const CanvasShadow shadow(Qt::black, radius);
        EXPECT_EQ(shadow.extent(), 0) << radius;
        QImage image = blank({20, 20});
        QPainter painter(&image);
        shadow.paint(painter, QRect(5, 5, 10, 10), image.rect());
        painter.end();
        EXPECT_EQ(image.pixelColor(4, 10), kUntouched) << radius;
    }
    EXPECT_EQ(CanvasShadow(Qt::black, 1e9).extent(), 64);
}
} // namespace
