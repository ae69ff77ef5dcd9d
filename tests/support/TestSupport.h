#pragma once

#include <QByteArray>
#include <QColor>
#include <QFileInfo>
#include <QString>

class QImage;

// A file of tests/fixtures (for example "sketch/carbon-8.1.0.sketch").
QString fixturePath(const QString& relative);
QByteArray readFileBytes(const QString& path);
bool writeFileBytes(const QString& path, const QByteArray& bytes);

// The PNG bytes of an image, and of a plain image of the given size and colour.
QByteArray pngBytes(const QImage& image);
QByteArray pngOfSize(int width, int height, const QColor& color = QColor(Qt::red));
