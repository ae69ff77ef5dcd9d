#include "Editor/Canvas/CanvasImages.h"

#include <QPainter>

#include <map>

namespace {
constexpr int kCap = 7; // the circle corners and the thick border images

QImage blank(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage filled(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

QImage circle()
{
    QImage image = blank(kCap, kCap);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(0.5, 0.5, kCap - 1.0, kCap - 1.0));
    return image;
}

QImage line(bool horizontal)
{
    // A one-pixel line through the middle of a band as thick as the circle corners, so edges
    // and corners meet on one line.
    QImage image = horizontal ? blank(1, kCap) : blank(kCap, 1);
    QPainter painter(&image);
    if (horizontal)
        painter.fillRect(0, kCap / 2, 1, 1, Qt::white);
    else
        painter.fillRect(kCap / 2, 0, 1, 1, Qt::white);
    return image;
}

const std::map<QString, QImage>& images()
{
    static const std::map<QString, QImage> table = {
        {QStringLiteral("cornerOnePiximage"), filled(1, 1)},
        {QStringLiteral("horizontalStop"), filled(1, 1)},
        {QStringLiteral("verticalStop"), filled(1, 1)},
        {QStringLiteral("cornerCircleimage"), circle()},
        {QStringLiteral("circleAnchorTop"), circle()},
        {QStringLiteral("horizontalBorderline"), line(true)},
        {QStringLiteral("verticalBorderline"), line(false)},
    };
    return table;
}
} // namespace

const QImage& CanvasImages::named(const QString& name)
{
    static const QImage none;
    const auto& table = images();
    const auto found = table.find(name);
    return found == table.end() ? none : found->second;
}

QImage CanvasImages::tinted(const QImage& image, const QColor& color)
{
    if (image.isNull()) return image;
    QImage result = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&result);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(result.rect(), color);
    return result;
}
