#pragma once

#include <QByteArray>
#include <QFileInfo>
#include <QString>

// A file of tests/fixtures (for example "sketch/carbon-8.1.0.sketch").
QString fixturePath(const QString& relative);
QByteArray readFileBytes(const QString& path);
bool writeFileBytes(const QString& path, const QByteArray& bytes);
