#include "platform/Paths.h"

#include <QDir>
#include <QStandardPaths>

#include <cstdlib>

namespace platform {
namespace {
struct LibraryOverride {
    bool active = false;
    std::optional<QString> path;
};
LibraryOverride& libraryOverride()
{
    static LibraryOverride o;
    return o;
}
QString& resourceDir()
{
    // Built into the program (see src/CMakeLists.txt), so it runs from any folder.
    static QString dir = QStringLiteral(":");
    return dir;
}
} // namespace

std::optional<QString> userLibraryDirectory()
{
    if (libraryOverride().active) return libraryOverride().path;
#ifdef Q_OS_MACOS
    const QString home = QDir::homePath();
    if (home.isEmpty()) return std::nullopt;
    return home + QStringLiteral("/Library");
#else
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty()) return std::nullopt;
    return data;
#endif
}

void overrideUserLibraryDirectory(std::optional<QString> path)
{
    libraryOverride().active = true;
    libraryOverride().path = std::move(path);
}

void clearUserLibraryOverride()
{
    libraryOverride() = {};
}

QString resourceDirectory()
{
    return resourceDir();
}

void setResourceDirectory(const QString& path)
{
    resourceDir() = path;
}

void usePrivateHome(const QString& home)
{
    if (!std::getenv("XDG_CACHE_HOME")) {
        const QByteArray cache = QByteArray(QDir::homePath().toUtf8() + "/.cache");
        ::setenv("XDG_CACHE_HOME", cache.constData(), 1);
    }
    const QByteArray path = home.toUtf8();
    ::setenv("HOME", path.constData(), 1);
    ::setenv("XDG_CONFIG_HOME", QByteArray(path + "/.config").constData(), 1);
    ::setenv("XDG_DATA_HOME", QByteArray(path + "/.local/share").constData(), 1);
}

} // namespace platform
