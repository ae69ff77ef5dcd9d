#include "Import/Sketch/GSketchTerminalManager.h"

#include "App/AppEnvironment.h"
#include "platform/DebugLog.h"
#include "platform/Paths.h"
#include "platform/UserDefaults.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {

bool existsOrDangling(const QFileInfo& info)
{
    return info.exists() || info.isSymLink();
}

// Removes a file, a folder with its content, or a link (never what the link points to).
bool removeItem(const QString& path, QString* error)
{
    const QFileInfo info(path);
    bool removed = false;
    if (info.isSymLink() || !info.isDir()) {
        QFile file(path);
        removed = file.remove();
        if (!removed) *error = file.errorString();
    } else {
        removed = QDir(path).removeRecursively();
        if (!removed) *error = QStringLiteral("Could not remove the folder ") + path;
    }
    return removed;
}

bool copyFile(const QString& from, const QString& to, QString* error)
{
    QFile source(from);
    if (!source.copy(to)) {
        *error = QStringLiteral("Could not copy ") + from + QStringLiteral(": ") + source.errorString();
        return false;
    }
    return true;
}

// Copies the bundle folder `from` to the new folder `to`, whose parent must exist already.
// Links inside the bundle are copied as links.
bool copyBundle(const QString& from, const QString& to, QString* error)
{
    if (!QFileInfo(QFileInfo(to).absolutePath()).isDir()) {
        *error = QStringLiteral("The folder ") + QFileInfo(to).absolutePath() + QStringLiteral(" does not exist.");
        return false;
    }
    if (!QDir().mkdir(to)) {
        *error = QStringLiteral("Could not create the folder ") + to;
        return false;
    }
    const QDir sourceDir(from);
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        const QString target = to + QLatin1Char('/') + sourceDir.relativeFilePath(path);
        if (info.isSymLink()) {
            if (!QFile::link(info.symLinkTarget(), target)) {
                *error = QStringLiteral("Could not copy the link ") + path;
                return false;
            }
        } else if (info.isDir()) {
            if (!QDir().mkdir(target)) {
                *error = QStringLiteral("Could not create the folder ") + target;
                return false;
            }
        } else if (!info.isFile()) {
            // A pipe or device would block the copy or copy nothing sensible.
            *error = QStringLiteral("Not a file: ") + path;
            return false;
        } else if (!copyFile(path, target, error)) {
            return false;
        }
    }
    return true;
}

} // namespace

GSketchTerminalManager& GSketchTerminalManager::terminalManager()
{
    static GSketchTerminalManager manager;
    return manager;
}

QString GSketchTerminalManager::getSketchPluginInstallKey() const
{
    return QStringLiteral("SketchPluginInstalled") + AppEnvironment::appVersion();
}

QString GSketchTerminalManager::sketchPluginSourcePath()
{
    return platform::resourceDirectory() + QLatin1Char('/') + kSketchPluginResource;
}

std::optional<QString> GSketchTerminalManager::sketchPluginDestinationPath()
{
    const auto library = platform::userLibraryDirectory();
    if (!library) return std::nullopt;
    return *library + QStringLiteral("/Application Support/com.bohemiancoding.sketch3/Plugins/") + kSketchPluginResource;
}

void GSketchTerminalManager::installSketchPluginIfNeeded()
{
    auto& defaults = platform::UserDefaults::standard();
    const QString key = getSketchPluginInstallKey();
    if (defaults.boolForKey(key)) return;

    // The plug-in is built and shipped apart from the application; a build without it installs
    // nothing and keeps asking at every launch, in case a later build of the same version has it.
    const QString source = sketchPluginSourcePath();
    if (!QFileInfo(source).isDir()) {
        platform::debugPrint(QStringLiteral("Sketch plug-in resource is missing: ") + source);
        return;
    }

    const auto destination = sketchPluginDestinationPath();
    if (!destination) return;

    if (existsOrDangling(QFileInfo(*destination))) {
        QString error;
        if (!removeItem(*destination, &error)) {
            platform::debugPrint(QStringLiteral("\"Ooops! Something went wrong on removingItems: ") + error
                                 + QStringLiteral("\""));
        }
    }

    QString error;
    if (existsOrDangling(QFileInfo(*destination))) {
        error = QStringLiteral("An item named ") + kSketchPluginResource + QStringLiteral(" already exists.");
    } else if (copyBundle(source, *destination, &error)) {
        defaults.setBool(key, true);
        defaults.synchronize();
        return;
    } else {
        // Half a plug-in would load in Sketch and fail there; leave nothing instead.
        QString ignored;
        if (existsOrDangling(QFileInfo(*destination))) removeItem(*destination, &ignored);
    }
    platform::debugPrint(QStringLiteral("move errro ") + error);
}

std::optional<QString> GSketchTerminalManager::getAdobeXDPath()
{
    const auto library = platform::userLibraryDirectory();
    if (!library) return std::nullopt;
    return *library + QStringLiteral("/Application Support/Adobe/Adobe XD");
}

std::optional<QString> GSketchTerminalManager::getAdobeXDPluginDataPath()
{
    const auto xd = getAdobeXDPath();
    if (!xd) return std::nullopt;
    return *xd + QStringLiteral("/plugin_settings/") + kAdobeXDPluginId;
}

std::pair<bool, std::optional<QString>> GSketchTerminalManager::checkAdobeXDPluginDataPathExist()
{
    const auto path = getAdobeXDPluginDataPath();
    if (!path) return {false, std::nullopt};
    return {existsOrDangling(QFileInfo(*path)), path};
}
