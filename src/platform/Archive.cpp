#include "platform/Archive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <sys/stat.h>
#include <zip.h>
#include <zlib.h>

#include <algorithm>
#include <memory>

namespace platform {
namespace {

constexpr qint64 kChunk = 64 * 1024;
constexpr qint64 kMaxEntryInMemory = 1LL << 30;

struct ZipCloser {
    void operator()(zip_t* z) const
    {
        if (z) zip_discard(z);
    }
};
using ZipHandle = std::unique_ptr<zip_t, ZipCloser>;

struct ZipFileCloser {
    void operator()(zip_file_t* f) const
    {
        if (f) zip_fclose(f);
    }
};
using ZipFileHandle = std::unique_ptr<zip_file_t, ZipFileCloser>;

void setError(QString* error, const QString& text)
{
    if (error) *error = text;
}

QString zipErrorText(int code)
{
    zip_error_t e;
    zip_error_init_with_code(&e, code);
    const QString text = QString::fromUtf8(zip_error_strerror(&e));
    zip_error_fini(&e);
    return text;
}

ZipHandle openForReading(const QString& archivePath, QString* error)
{
    int code = 0;
    zip_t* z = zip_open(QFile::encodeName(archivePath).constData(), ZIP_RDONLY, &code);
    if (!z) setError(error, QStringLiteral("Cannot open archive %1: %2").arg(archivePath, zipErrorText(code)));
    return ZipHandle(z);
}

ZipHandle openForWriting(const QString& archivePath, QString* error)
{
    int code = 0;
    zip_t* z = zip_open(QFile::encodeName(archivePath).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!z) setError(error, QStringLiteral("Cannot create archive %1: %2").arg(archivePath, zipErrorText(code)));
    return ZipHandle(z);
}

// zlib counts in 32 bits: hands larger inputs to the stream in slices, the next one once the
// stream has used up the last.
void feedSlice(z_stream& zs, const QByteArray& data, qsizetype& offset)
{
    if (zs.avail_in != 0 || offset >= data.size()) return;
    const qsizetype slice = std::min<qsizetype>(data.size() - offset, 1 << 30);
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData() + offset));
    zs.avail_in = static_cast<uInt>(slice);
    offset += slice;
}

// The entry's path below the destination, or nullopt when the name could escape it.
// An empty result means the entry names the destination itself.
std::optional<QString> safeRelativePath(QString name)
{
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (name.isEmpty() || name.startsWith(QLatin1Char('/'))) return std::nullopt;
    if (name.size() >= 2 && name.at(1) == QLatin1Char(':') && name.at(0).isLetter()) return std::nullopt;
    QStringList kept;
    const auto parts = name.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const auto& part : parts) {
        if (part == QLatin1String("..")) return std::nullopt;
        if (part == QLatin1String(".")) continue;
        kept.append(part);
    }
    return kept.join(QLatin1Char('/'));
}

bool isSymlinkEntry(zip_t* z, zip_uint64_t index)
{
    zip_uint8_t opsys = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(z, index, 0, &opsys, &attributes) != 0) return false;
    if (opsys != ZIP_OPSYS_UNIX) return false;
    const auto mode = static_cast<mode_t>(attributes >> 16);
    return S_ISLNK(mode);
}

// True when any existing component of `relative` below `root` is a symbolic link: writing
// there would land outside the folder we were asked to fill.
bool passesThroughSymlink(const QString& root, const QString& relative)
{
    QString path = root;
    const auto parts = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const auto& part : parts) {
        path += QLatin1Char('/') + part;
        const QFileInfo info(path);
        if (info.isSymLink()) return true;
        if (!info.exists()) return false;
    }
    return false;
}

bool addEntryAttributes(zip_t* z, zip_int64_t index, bool directory)
{
    const zip_uint32_t mode = directory ? (S_IFDIR | 0755) : (S_IFREG | 0644);
    return zip_file_set_external_attributes(z, static_cast<zip_uint64_t>(index), 0, ZIP_OPSYS_UNIX, mode << 16) == 0;
}

bool closeArchive(ZipHandle& z, const QString& archivePath, QString* error)
{
    if (zip_close(z.get()) != 0) {
        setError(error, QStringLiteral("Cannot write archive %1: %2").arg(archivePath, QString::fromUtf8(zip_strerror(z.get()))));
        return false; // the handle is still open; the deleter discards it
    }
    (void)z.release();
    return true;
}

} // namespace

bool unzipArchive(const QString& archivePath, const QString& destDir, QString* error, const UnzipLimits& limits)
{
    ZipHandle z = openForReading(archivePath, error);
    if (!z) return false;

    const zip_int64_t count = zip_get_num_entries(z.get(), 0);
    if (count < 0) {
        setError(error, QStringLiteral("Cannot list archive %1").arg(archivePath));
        return false;
    }
    if (count > limits.maxEntries) {
        setError(error, QStringLiteral("Archive %1 holds %2 entries, more than the limit of %3")
                            .arg(archivePath).arg(count).arg(limits.maxEntries));
        return false;
    }

    // Declared sizes first, so an archive that admits being too large writes nothing at all.
    qint64 declared = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(z.get(), static_cast<zip_uint64_t>(i), 0, &st) != 0) continue;
        if (!(st.valid & ZIP_STAT_SIZE)) continue;
        if (st.size > static_cast<zip_uint64_t>(limits.maxTotalBytes - declared)) {
            setError(error, QStringLiteral("Archive %1 unpacks to more than %2 bytes").arg(archivePath).arg(limits.maxTotalBytes));
            return false;
        }
        declared += static_cast<qint64>(st.size);
    }

    const QString root = QDir::cleanPath(QDir(destDir).absolutePath());
    if (!QDir().mkpath(root)) {
        setError(error, QStringLiteral("Cannot create folder %1").arg(root));
        return false;
    }

    qint64 written = 0;
    QByteArray buffer(kChunk, Qt::Uninitialized);
    for (zip_int64_t i = 0; i < count; ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        const char* rawName = zip_get_name(z.get(), index, ZIP_FL_ENC_GUESS);
        if (!rawName) {
            setError(error, QStringLiteral("Unreadable entry name in archive %1").arg(archivePath));
            return false;
        }
        const QString name = QString::fromUtf8(rawName);
        const auto relative = safeRelativePath(name);
        if (!relative) {
            setError(error, QStringLiteral("Refused entry with an unsafe path: %1").arg(name));
            return false;
        }
        if (isSymlinkEntry(z.get(), index)) {
            setError(error, QStringLiteral("Refused symbolic link entry: %1").arg(name));
            return false;
        }
        if (relative->isEmpty()) continue;
        if (passesThroughSymlink(root, *relative)) {
            setError(error, QStringLiteral("Refused entry that would be written through a symbolic link: %1").arg(name));
            return false;
        }
        const QString target = root + QLatin1Char('/') + *relative;
        const bool directory = name.endsWith(QLatin1Char('/')) || name.endsWith(QLatin1Char('\\'));
        if (directory) {
            if (!QDir().mkpath(target)) {
                setError(error, QStringLiteral("Cannot create folder %1").arg(target));
                return false;
            }
            continue;
        }
        if (!QDir().mkpath(QFileInfo(target).absolutePath())) {
            setError(error, QStringLiteral("Cannot create folder %1").arg(QFileInfo(target).absolutePath()));
            return false;
        }
        ZipFileHandle entry(zip_fopen_index(z.get(), index, 0));
        if (!entry) {
            setError(error, QStringLiteral("Cannot read entry %1: %2").arg(name, QString::fromUtf8(zip_strerror(z.get()))));
            return false;
        }
        QSaveFile out(target);
        if (!out.open(QIODevice::WriteOnly)) {
            setError(error, QStringLiteral("Cannot write %1: %2").arg(target, out.errorString()));
            return false;
        }
        for (;;) {
            const zip_int64_t n = zip_fread(entry.get(), buffer.data(), static_cast<zip_uint64_t>(buffer.size()));
            if (n < 0) {
                out.cancelWriting();
                setError(error, QStringLiteral("Corrupt entry %1: %2").arg(name, QString::fromUtf8(zip_file_strerror(entry.get()))));
                return false;
            }
            if (n == 0) break;
            written += n;
            if (written > limits.maxTotalBytes) {
                out.cancelWriting();
                setError(error, QStringLiteral("Archive %1 unpacks to more than %2 bytes").arg(archivePath).arg(limits.maxTotalBytes));
                return false;
            }
            if (out.write(buffer.constData(), n) != n) {
                out.cancelWriting();
                setError(error, QStringLiteral("Cannot write %1: %2").arg(target, out.errorString()));
                return false;
            }
        }
        if (!out.commit()) {
            setError(error, QStringLiteral("Cannot write %1: %2").arg(target, out.errorString()));
            return false;
        }
    }
    return true;
}

bool zipFile(const QString& filePath, const QString& archivePath, QString* error)
{
    const QFileInfo info(filePath);
    if (!info.isFile() || !info.isReadable()) {
        setError(error, QStringLiteral("Cannot read %1").arg(filePath));
        return false;
    }
    ZipHandle z = openForWriting(archivePath, error);
    if (!z) return false;
    zip_source_t* source = zip_source_file(z.get(), QFile::encodeName(filePath).constData(), 0, -1);
    if (!source) {
        setError(error, QStringLiteral("Cannot read %1: %2").arg(filePath, QString::fromUtf8(zip_strerror(z.get()))));
        return false;
    }
    const zip_int64_t index = zip_file_add(z.get(), info.fileName().toUtf8().constData(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        setError(error, QStringLiteral("Cannot add %1: %2").arg(filePath, QString::fromUtf8(zip_strerror(z.get()))));
        return false;
    }
    addEntryAttributes(z.get(), index, false);
    return closeArchive(z, archivePath, error);
}

bool zipEntries(const QString& archivePath, const std::vector<std::pair<QString, QByteArray>>& entries, QString* error)
{
    ZipHandle z = openForWriting(archivePath, error);
    if (!z) return false;
    // libzip reads the buffers only in zip_close(), and `entries` outlives that call.
    for (const auto& [name, bytes] : entries) {
        const QByteArray utf8Name = name.toUtf8();
        zip_int64_t index;
        const bool directory = name.endsWith(QLatin1Char('/'));
        if (directory) {
            index = zip_dir_add(z.get(), utf8Name.constData(), ZIP_FL_ENC_UTF_8);
        } else {
            zip_source_t* source = zip_source_buffer(z.get(), bytes.constData(), static_cast<zip_uint64_t>(bytes.size()), 0);
            if (!source) {
                setError(error, QString::fromUtf8(zip_strerror(z.get())));
                return false;
            }
            index = zip_file_add(z.get(), utf8Name.constData(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
            if (index < 0) zip_source_free(source);
        }
        if (index < 0) {
            setError(error, QStringLiteral("Cannot add %1: %2").arg(name, QString::fromUtf8(zip_strerror(z.get()))));
            return false;
        }
        addEntryAttributes(z.get(), index, directory);
    }
    return closeArchive(z, archivePath, error);
}

std::optional<QByteArray> readZipEntry(const QString& archivePath, const QString& entryName)
{
    ZipHandle z = openForReading(archivePath, nullptr);
    if (!z) return std::nullopt;
    const zip_int64_t index = zip_name_locate(z.get(), entryName.toUtf8().constData(), 0);
    if (index < 0) return std::nullopt;
    ZipFileHandle entry(zip_fopen_index(z.get(), static_cast<zip_uint64_t>(index), 0));
    if (!entry) return std::nullopt;
    QByteArray result;
    QByteArray buffer(kChunk, Qt::Uninitialized);
    for (;;) {
        const zip_int64_t n = zip_fread(entry.get(), buffer.data(), static_cast<zip_uint64_t>(buffer.size()));
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        if (result.size() + n > kMaxEntryInMemory) return std::nullopt;
        result.append(buffer.constData(), n);
    }
    return result;
}

bool isGzipData(const QByteArray& data)
{
    return data.size() >= 2 && static_cast<unsigned char>(data[0]) == 0x1f && static_cast<unsigned char>(data[1]) == 0x8b;
}

std::optional<QByteArray> gzipData(const QByteArray& data)
{
    z_stream zs{};
    if (deflateInit2(&zs, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) != Z_OK) return std::nullopt;
    QByteArray out;
    QByteArray buffer(kChunk, Qt::Uninitialized);
    qsizetype offset = 0;
    int rc = Z_OK;
    do {
        feedSlice(zs, data, offset);
        const int flush = offset >= data.size() ? Z_FINISH : Z_NO_FLUSH;
        zs.next_out = reinterpret_cast<Bytef*>(buffer.data());
        zs.avail_out = static_cast<uInt>(buffer.size());
        rc = deflate(&zs, flush);
        if (rc == Z_STREAM_ERROR) {
            deflateEnd(&zs);
            return std::nullopt;
        }
        out.append(buffer.constData(), buffer.size() - static_cast<qsizetype>(zs.avail_out));
    } while (rc != Z_STREAM_END);
    deflateEnd(&zs);
    return out;
}

std::optional<QByteArray> gunzipData(const QByteArray& data, qint64 maxBytes)
{
    if (data.isEmpty()) return std::nullopt;
    z_stream zs{};
    if (inflateInit2(&zs, 16 + MAX_WBITS) != Z_OK) return std::nullopt;
    struct End {
        z_stream* s;
        ~End() { inflateEnd(s); }
    } end{&zs};

    QByteArray out;
    QByteArray buffer(kChunk, Qt::Uninitialized);
    qsizetype offset = 0;
    for (;;) {
        feedSlice(zs, data, offset);
        zs.next_out = reinterpret_cast<Bytef*>(buffer.data());
        zs.avail_out = static_cast<uInt>(buffer.size());
        const int rc = inflate(&zs, Z_NO_FLUSH);
        const qsizetype produced = buffer.size() - static_cast<qsizetype>(zs.avail_out);
        if (out.size() + produced > maxBytes) return std::nullopt;
        out.append(buffer.constData(), produced);
        if (rc == Z_STREAM_END) {
            feedSlice(zs, data, offset);
            if (zs.avail_in == 0) return out;
            // Another gzip member may follow; anything else after the stream is refused.
            if (zs.avail_in < 2 || zs.next_in[0] != 0x1f || zs.next_in[1] != 0x8b) return std::nullopt;
            if (inflateReset(&zs) != Z_OK) return std::nullopt;
            continue;
        }
        if (rc == Z_OK) continue;
        if (rc == Z_BUF_ERROR && produced > 0) continue;
        // Z_BUF_ERROR without progress: the input ended before the stream did.
        return std::nullopt;
    }
}

} // namespace platform
