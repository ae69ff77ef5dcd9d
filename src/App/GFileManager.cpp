#include "App/GFileManager.h"

#include "platform/DebugLog.h"
#include "platform/Localization.h"
#include "platform/MainQueue.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// A dangling link counts as something: writing through it would create a file elsewhere.
bool somethingAt(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// ("design", "sketch") for "design.sketch"; a name without extension, or one that only starts
// with a dot, has an empty extension.
std::pair<QString, QString> splitExtension(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0) return {fileName, QString()};
    return {fileName.left(dot), fileName.mid(dot + 1)};
}

QString joinExtension(const QString& base, const QString& extension)
{
    return extension.isEmpty() ? base : base + QLatin1Char('.') + extension;
}

void printFailure(const char* step, const QString& description)
{
    platform::debugPrint(QStringLiteral("Ooops! Something went wrong on ") + QLatin1StringView(step)
                         + QStringLiteral(": ") + description);
}

bool sameFile(const QString& a, const QString& b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    const QString cb = QFileInfo(b).canonicalFilePath();
    return !ca.isEmpty() && ca == cb;
}

// Moves whatever is at `path` to its "_old" name, deleting an earlier "_old" first.
bool moveAside(const QString& path, QString* error)
{
    if (!somethingAt(path)) return true;
    const QString aside = GFileManager::movedAsidePath(path);
    if (!GFileManager::deleteFile(aside)) {
        *error = QStringLiteral("could not remove ") + aside;
        return false;
    }
    if (!QDir().rename(path, aside)) {
        *error = QStringLiteral("could not move ") + path + QStringLiteral(" to ") + aside;
        return false;
    }
    return true;
}

bool copyFile(const QString& from, const QString& to, QString* error)
{
    QFile source(from);
    if (!source.copy(to)) {
        *error = source.errorString();
        return false;
    }
    return true;
}

FileReadyResult failure(const QString& text)
{
    FileReadyResult result;
    result.error = text;
    return result;
}

} // namespace

bool GFileManager::createDirectory(const QString& path)
{
    if (somethingAt(path)) return QFileInfo(path).isDir();
    if (!QDir().mkpath(path)) {
        printFailure("createDirectory", QStringLiteral("could not create ") + path);
        return false;
    }
    return true;
}

bool GFileManager::deleteFile(const QString& path)
{
    if (!somethingAt(path)) return true;
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isDir()) {
        QFile file(path);
        if (!file.remove()) {
            printFailure("removingItems", file.errorString());
            return false;
        }
    } else if (!QDir(path).removeRecursively()) {
        printFailure("removingItems", QStringLiteral("could not remove every item of ") + path);
        return false;
    }
    return true;
}

std::optional<std::pair<QString, QString>> GFileManager::getFileStorageURL(const QString& fileName)
{
    const std::optional<QString> library = platform::userLibraryDirectory();
    if (!library || library->isEmpty()) return std::nullopt;
    const QString folder = QDir(*library).filePath(QStringLiteral("Quorvex/Sketch"));
    createDirectory(folder);
    return std::make_pair(QDir(folder).filePath(fileName), folder);
}

platform::UnzipLimits GFileManager::defaultUnzipLimits()
{
    platform::UnzipLimits limits;
    limits.maxTotalBytes = 2LL * 1024 * 1024 * 1024;
    limits.maxEntries = 100000;
    return limits;
}

QString GFileManager::movedAsidePath(const QString& path)
{
    const QFileInfo info(path);
    const auto [base, extension] = splitExtension(info.fileName());
    return info.dir().filePath(joinExtension(base + QStringLiteral("_old"), extension));
}

void GFileManager::makeFileReadyToGo(const QString& filePath, std::function<void(const FileReadyResult&)> completionHandler,
                                     const platform::UnzipLimits& limits)
{
    auto finish = [&completionHandler](FileReadyResult result) {
        if (!completionHandler) return;
        platform::dispatchMain([completionHandler = std::move(completionHandler), result = std::move(result)] {
            completionHandler(result);
        });
    };

    const QString fileName = QFileInfo(filePath).fileName();
    const auto storage = getFileStorageURL(fileName);
    if (!storage || !QFileInfo(storage->second).isDir()) {
        printFailure("fileExists", QStringLiteral("no data folder"));
        finish(failure(platform::localized("fileManager.error.noDataFolder")));
        return;
    }
    const auto& [copyPath, folder] = *storage;
    auto copyFailed = [&](const char* step, const QString& error) {
        printFailure(step, error);
        finish(failure(platform::localizedFormat("fileManager.error.copy", {filePath, error})));
    };

    QString error;
    // A document opened from the data folder itself is already in place; moving it aside first
    // would lose the very file we are asked to copy.
    if (!sameFile(filePath, copyPath)) {
        if (!moveAside(copyPath, &error)) return copyFailed("fileExists", error);
        if (!copyFile(filePath, copyPath, &error)) return copyFailed("copying", error);
    }

    const auto [base, extension] = splitExtension(fileName);
    const QString archivePath = QDir(folder).filePath(joinExtension(base, QStringLiteral("zip")));
    if (!sameFile(copyPath, archivePath) && (!moveAside(archivePath, &error) || !copyFile(copyPath, archivePath, &error)))
        return copyFailed("copying", error);

    // Unpacking over an earlier document's folder would mix its files into this one.
    QString unpackedFolder = QDir(folder).filePath(base);
    // A document without extension would be unpacked onto its own copy.
    if (unpackedFolder == copyPath) unpackedFolder += QStringLiteral("_unpacked");
    if (!deleteFile(unpackedFolder)) {
        finish(failure(platform::localizedFormat("fileManager.error.unpack",
                                                 {filePath, QStringLiteral("could not remove ") + unpackedFolder})));
        return;
    }
    if (!platform::unzipArchive(archivePath, unpackedFolder, &error, limits)) {
        printFailure("unzipSketch", error);
        deleteFile(unpackedFolder);
        finish(failure(platform::localizedFormat("fileManager.error.unpack", {filePath, error})));
        return;
    }

    FileReadyResult result;
    result.copyPath = copyPath;
    result.archivePath = archivePath;
    result.unpackedFolderPath = unpackedFolder;
    finish(std::move(result));
}
