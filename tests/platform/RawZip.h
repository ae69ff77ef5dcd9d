#pragma once

// Writes zip archives entry by entry with libzip itself, so that names and attributes a careful
// writer would refuse (absolute paths, "..", links) can be planted.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <sys/stat.h>
#include <zip.h>

#include <vector>

struct RawZipEntry {
    QByteArray name;
    QByteArray bytes;
    bool symlink = false; // marked as a symbolic link whose target is `bytes`
};

inline bool writeRawZip(const QString& path, const std::vector<RawZipEntry>& entries)
{
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive) return false;
    for (const RawZipEntry& e : entries) {
        zip_source_t* source = zip_source_buffer(archive, e.bytes.constData(), static_cast<zip_uint64_t>(e.bytes.size()), 0);
        const zip_int64_t index = source ? zip_file_add(archive, e.name.constData(), source, 0) : -1;
        if (index < 0) {
            if (source) zip_source_free(source);
            zip_discard(archive);
            return false;
        }
        if (e.symlink) {
            zip_file_set_external_attributes(archive, static_cast<zip_uint64_t>(index), 0, ZIP_OPSYS_UNIX,
                                             (S_IFLNK | 0777u) << 16);
        }
    }
    return zip_close(archive) == 0;
}
