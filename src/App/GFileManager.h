#pragma once

#include "platform/Archive.h"
#include "platform/Localization.h"

#include <QString>

#include <functional>
#include <optional>
#include <utility>

// Outcome of GFileManager::makeFileReadyToGo.
struct FileReadyResult {
    std::optional<QString> copyPath; // the document's copy in the data folder; empty on failure
    QString archivePath;             // the copy under the "zip" extension
    QString unpackedFolderPath;      // the fresh folder the archive was unpacked into
    QString error;                   // what failed, for the user; empty on success
    platform::DeferredText errorText; // the same before it is looked up (makeFileReady)
    QStringList log;                  // debug lines of makeFileReady, printed by the caller

    bool succeeded() const { return copyPath.has_value(); }
};

// The application's data folder and the copying and unpacking of design documents.
class GFileManager {
public:
    // Creates the folder with its intermediate folders unless something exists at the path.
    // A failure is printed; answers whether a folder is there afterwards.
    static bool createDirectory(const QString& path);

    // Removes the file or folder at the path when something exists there. A symbolic link is
    // removed itself, never what it points to. A failure is printed; answers whether the path is
    // free afterwards.
    static bool deleteFile(const QString& path);

    // (data folder / fileName, data folder), the data folder being the user's Library folder /
    // "Quorvex" / "Sketch", created when missing; nullopt when there is no Library folder.
    static std::optional<std::pair<QString, QString>> getFileStorageURL(const QString& fileName);

    // Places a copy of the document in the data folder and unpacks it, on the calling thread:
    // a file already at the copy's place is moved aside ("design_old.sketch"), the document is
    // copied, the copy is copied again as "<name>.zip" and unpacked into a fresh "<name>" folder.
    // Stops at the first failing step. The handler, when given, runs on a later turn of the main
    // queue with the result.
    static void makeFileReadyToGo(const QString& filePath, std::function<void(const FileReadyResult&)> completionHandler,
                                  const platform::UnzipLimits& limits = defaultUnzipLimits());

    // The same work, done on the calling thread, which may be a worker: it touches only the file
    // system. The result carries errorText and log for the main thread; error stays empty.
    // Only a regular file with a usable name is copied; anything else (a folder, a fifo, a
    // device, a path ending in "/") is refused before anything is opened or moved.
    static FileReadyResult makeFileReady(const QString& filePath, const platform::UnzipLimits& limits);

    // Bounds for unpacking a design document: Sketch documents with many bitmaps run to a few
    // hundred megabytes and a few thousand files; anything far beyond is not a design we can upload.
    static constexpr qint64 kMaxUnpackedBytes = 2LL * 1024 * 1024 * 1024;
    static constexpr qint64 kMaxArchiveEntries = 20000;
    static platform::UnzipLimits defaultUnzipLimits();

    // Whether a file name can name the copy, its archive and its folder in the data folder.
    static bool isUsableDocumentName(const QString& fileName);

    // Where a file is moved aside to: "/d/design.sketch" -> "/d/design_old.sketch".
    static QString movedAsidePath(const QString& path);
};
