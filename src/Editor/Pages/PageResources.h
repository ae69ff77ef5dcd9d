#pragma once

#include <QColor>
#include <QString>

// The side pages' own pictures and named colours, from the application's resource folder:
// images/<name>.png and colors/NamedColors.json ({"name": "#rrggbb", ...}).
class PageResources {
public:
    // The file of the picture called `name`; empty when the application has no such picture.
    static QString imagePath(const QString& name);

    // The row icon of a class kind: "ic" followed by the key, or "icPoint" when there is none.
    static QString iconPathForClassKey(const QString& ancestorClassKey);

    // A named colour; `fallback` when the name is unknown or the file cannot be read.
    static QColor namedColor(const QString& name, const QColor& fallback = QColor());
};
