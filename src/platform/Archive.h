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
// Refuses (and stops at) entries with absolute paths, ".." components or symbolic links, entries
// that would be written through a symbolic link already in destDir, and archives beyond the
// limits (entry count and declared sizes are checked before anything is written; the bytes
// actually written are counted too, so an entry that lies about its size cannot pass them).
// A backslash in an entry name counts as a folder separator. Answers false with `error` set on
// any failure; files written before the failure stay (unpack into a fresh folder), and a file
// whose entry fails is never left half-written.
bool unzipArchive(const QString& archivePath, const QString& destDir, QString* error,
                  const UnzipLimits& limits = {});

// Writes a zip archive holding one file under its own file name (the "quick zip" of a document).
bool zipFile(const QString& filePath, const QString& archivePath, QString* error);

// Writes a zip archive from in-memory entries (path inside the archive, bytes). For tests and tools.
bool zipEntries(const QString& archivePath, const std::vector<std::pair<QString, QByteArray>>& entries,
                QString* error);

// Reads one entry of a zip archive into memory; nullopt when missing, unreadable or over 1 GiB.
std::optional<QByteArray> readZipEntry(const QString& archivePath, const QString& entryName);

// gzip (zlib) in memory. gunzip fails beyond maxBytes of output and on truncated or corrupt
// input; concatenated members are unpacked one after the other.
bool isGzipData(const QByteArray& data); // starts with the gzip magic bytes
std::optional<QByteArray> gzipData(const QByteArray& data);
std::optional<QByteArray> gunzipData(const QByteArray& data, qint64 maxBytes = 512LL * 1024 * 1024);

} // namespace platform
