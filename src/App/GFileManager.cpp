#include "App/GFileManager.h"

#include "platform/DebugLog.h"
#include "platform/Localization.h"
#include "platform/MainQueue.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

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

QString failureLine(const char* step, const QString& description)
{
    return QStringLiteral("Ooops! Something went wrong on ") + QLatin1StringView(step) + QStringLiteral(": ") + description;
}

void printFailure(const char* step, const QString& description)
{
    platform::debugPrint(failureLine(step, description));
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

// Opening a fifo for reading blocks until a writer comes, and a device may never end: only a
// regular file is read. Checked by the path first, then again on what was actually opened
// (without blocking), so nothing swapped in between is read either.
bool isRegularFileAt(const QString& path)
{
    struct stat info {};
    const QByteArray native = QFile::encodeName(path);
    return ::stat(native.constData(), &info) == 0 && S_ISREG(info.st_mode);
}

bool copyRegularFile(const QString& from, const QString& to, QString* error)
{
    const QByteArray native = QFile::encodeName(from);
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        *error = QStringLiteral("not a regular file");
        return false;
    }
    QFile source;
    QFile target(to);
    if (!source.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        *error = source.errorString();
        return false;
    }
    if (!target.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        *error = target.errorString();
        return false;
    }
    constexpr qint64 kChunk = 1024 * 1024;
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(kChunk);
        if (source.error() != QFileDevice::NoError || target.write(chunk) != chunk.size()) {
            *error = source.error() != QFileDevice::NoError ? source.errorString() : target.errorString();
            target.remove();
            return false;
        }
        if (chunk.isEmpty()) break;
    }
    return true;
}

FileReadyResult failure(const char* key, QStringList arguments)
{
    FileReadyResult result;
    result.errorText = platform::DeferredText{key, std::move(arguments)};
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
    limits.maxTotalBytes = kMaxUnpackedBytes;
    limits.maxEntries = kMaxArchiveEntries;
    return limits;
}

bool GFileManager::isUsableDocumentName(const QString& fileName)
{
    if (fileName.isEmpty() || fileName == QLatin1String(".") || fileName == QLatin1String("..")) return false;
    if (fileName.contains(QLatin1Char('/')) || fileName.contains(QChar(0))) return false;
    // The copy's "_old" and ".zip" siblings must fit in a file name too.
    constexpr qsizetype kMaxNameBytes = 255 - 16;
    return fileName.toUtf8().size() <= kMaxNameBytes;
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
    FileReadyResult result = makeFileReady(filePath, limits);
    for (const QString& line : result.log) platform::debugPrint(line);
    if (!result.errorText.isEmpty()) result.error = result.errorText.text();
    if (!completionHandler) return;
    platform::dispatchMain([completionHandler = std::move(completionHandler), result = std::move(result)] {
        completionHandler(result);
    });
}

FileReadyResult GFileManager::makeFileReady(const QString& filePath, const platform::UnzipLimits& limits)
{
    QStringList log;
    auto fail = [&log](const char* step, const QString& description, const char* key, QStringList arguments) {
        log.append(failureLine(step, description));
        FileReadyResult result = failure(key, std::move(arguments));
        result.log = log;
        return result;
    };

    // A path ending in "/" names no file: its empty name would make the data folder itself the
    // copy's place, and the folder would be moved aside.
    const QString fileName = filePath.endsWith(QLatin1Char('/')) ? QString() : QFileInfo(filePath).fileName();
    if (!isUsableDocumentName(fileName))
        return fail("fileName", QStringLiteral("no usable file name in ") + filePath, "fileManager.error.badName", {filePath});
    if (!isRegularFileAt(filePath))
        return fail("fileExists", filePath + QStringLiteral(" is not a regular file"), "fileManager.error.notRegularFile",
                    {filePath});

    const auto storage = getFileStorageURL(fileName);
    if (!storage || !QFileInfo(storage->second).isDir())
        return fail("fileExists", QStringLiteral("no data folder"), "fileManager.error.noDataFolder", {});
    const auto& [copyPath, folder] = *storage;
    auto copyFailed = [&](const char* step, const QString& error) {
        return fail(step, error, "fileManager.error.copy", {filePath, error});
    };

    QString error;
    // A document opened from the data folder itself is already in place; moving it aside first
    // would lose the very file we are asked to copy.
    if (!sameFile(filePath, copyPath)) {
        if (!moveAside(copyPath, &error)) return copyFailed("fileExists", error);
        if (!copyRegularFile(filePath, copyPath, &error)) return copyFailed("copying", error);
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
        const QString reason = QStringLiteral("could not remove ") + unpackedFolder;
        return fail("removingItems", reason, "fileManager.error.unpack", {filePath, reason});
    }
    if (!platform::unzipArchive(archivePath, unpackedFolder, &error, limits)) {
        deleteFile(unpackedFolder);
        return fail("unzipSketch", error, "fileManager.error.unpack", {filePath, error});
    }

    FileReadyResult result;
    result.copyPath = copyPath;
    result.archivePath = archivePath;
    result.unpackedFolderPath = unpackedFolder;
    result.log = log;
    return result;
}
