#include "Editor/Pages/PageResources.h"

#include "platform/Paths.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// Read once per resource folder: colours are asked for on every paint of a card.
const QHash<QString, QColor>& namedColors()
{
    static QString loadedFrom;
    static QHash<QString, QColor> colors;
    const QString path = platform::resourceDirectory() + QStringLiteral("/colors/NamedColors.json");
    if (path == loadedFrom) return colors;
    loadedFrom = path;
    colors.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return colors;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    const QJsonObject object = document.object();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QColor color = QColor::fromString(it.value().toString());
        if (color.isValid()) colors.insert(it.key(), color);
    }
    return colors;
}

} // namespace

QString PageResources::imagePath(const QString& name)
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))) return {};
    const QString path = platform::resourceDirectory() + QStringLiteral("/images/") + name + QStringLiteral(".png");
    return QFileInfo::exists(path) ? path : QString();
}

QString PageResources::iconPathForClassKey(const QString& ancestorClassKey)
{
    const QString path = imagePath(QStringLiteral("ic") + ancestorClassKey);
    return path.isEmpty() ? imagePath(QStringLiteral("icPoint")) : path;
}

QColor PageResources::namedColor(const QString& name, const QColor& fallback)
{
    return namedColors().value(name, fallback);
}
