#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace platform {

struct UnzipLimits {
    qint64 maxTotalBytes = 2LL * 1024 * 1024 * 1024; // total uncompressed size
    qint64 maxEntries = 200000;
};

// Unpacks a zip archive into destDir (created when missing), overwriting files of the same name.
// Refuses (and stops at) entries with absolute paths, ".." components or symbolic links, and
// archives beyond the limits. Answers false with `error` set on any failure.
bool unzipArchive(const QString& archivePath, const QString& destDir, QString* error,
                  const UnzipLimits& limits = {});

// Writes a zip archive holding one file under its own file name (the "quick zip" of a document).
bool zipFile(const QString& filePath, const QString& archivePath, QString* error);

// Writes a zip archive from in-memory entries (path inside the archive, bytes). For tests and tools.
bool zipEntries(const QString& archivePath, const std::vector<std::pair<QString, QByteArray>>& entries,
                QString* error);

// Reads one entry of a zip archive into memory; nullopt when missing or unreadable.
std::optional<QByteArray> readZipEntry(const QString& archivePath, const QString& entryName);

// gzip (zlib) in memory. gunzip fails beyond maxBytes of output.
std::optional<QByteArray> gzipData(const QByteArray& data);
std::optional<QByteArray> gunzipData(const QByteArray& data, qint64 maxBytes = 512LL * 1024 * 1024);

} // namespace platform
