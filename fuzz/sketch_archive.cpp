// Unpacking of a Sketch document (a zip archive) with its limits: entry names that climb out of
// the folder, links, lying sizes, too many entries, too many bytes.

#include "platform/Archive.h"
#include "support/FuzzSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::initialise();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::initialise();
    const QDir scratch(fuzz::scratchDir());
    static const QString archive = scratch.filePath(QStringLiteral("document.sketch"));
    static const QString box = scratch.filePath(QStringLiteral("box"));
    static const QString unpacked = QDir(box).filePath(QStringLiteral("document"));
    fuzz::resetFolder(box);
    if (!fuzz::writeFile(archive, fuzz::view(data, size))) return 0;

    // Small limits, so the fuzzer reaches them quickly and every run stays cheap.
    platform::UnzipLimits limits;
    limits.maxTotalBytes = 4 * 1024 * 1024;
    limits.maxEntries = 256;
    QString error;
    const bool ok = platform::unzipArchive(archive, unpacked, &error, limits);
    if (!ok && error.isEmpty()) __builtin_trap();

    // Whatever the archive says, nothing lands outside the folder it was unpacked into, no link is
    // made, and the limit on bytes holds.
    qint64 written = 0;
    QDirIterator it(box, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        if (info.isSymLink()) __builtin_trap();
        if (!info.absoluteFilePath().startsWith(unpacked)) __builtin_trap();
        if (info.isFile()) written += info.size();
    }
    if (written > limits.maxTotalBytes) __builtin_trap();

    (void)platform::readZipEntry(archive, QStringLiteral("document.json"));
    return 0;
}
