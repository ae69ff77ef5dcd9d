#include "platform/Archive.h"

#include "RawZip.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>

#include <optional>

using platform::UnzipLimits;

namespace {

QString writeArchive(const QTemporaryDir& dir, const std::vector<std::pair<QString, QByteArray>>& entries)
{
    const QString path = dir.filePath(QStringLiteral("a.zip"));
    QString error;
    EXPECT_TRUE(platform::zipEntries(path, entries, &error)) << error.toStdString();
    return path;
}

// Overwrites the uncompressed size in the local header and the central directory, so the entry
// claims to be `claimed` bytes while its data inflates to far more.
void falsifyUncompressedSize(const QString& path, quint32 claimed)
{
    QByteArray bytes = readFileBytes(path);
    auto patch = [&](const QByteArray& signature, int offset) {
        for (qsizetype at = bytes.indexOf(signature); at >= 0; at = bytes.indexOf(signature, at + 4)) {
            for (int i = 0; i < 4; ++i) bytes[at + offset + i] = static_cast<char>((claimed >> (8 * i)) & 0xFF);
        }
    };
    patch(QByteArray("PK\x03\x04", 4), 22);
    patch(QByteArray("PK\x01\x02", 4), 24);
    ASSERT_TRUE(writeFileBytes(path, bytes));
}

} // namespace

TEST(Archive, UnpacksFilesAndFoldersAndOverwrites)
{
    QTemporaryDir dir;
    const QString archive = writeArchive(dir, {{QStringLiteral("document.json"), "{\"a\":1}"},
                                               {QStringLiteral("images/deep/x.png"), QByteArray(3000, '\x89')},
                                               {QStringLiteral("empty/"), {}}});
    const QString dest = dir.filePath(QStringLiteral("out"));
    writeFileBytes(dest + QStringLiteral("/document.json"), "old contents that are longer");
    QString error;
    ASSERT_TRUE(platform::unzipArchive(archive, dest, &error)) << error.toStdString();
    EXPECT_EQ(readFileBytes(dest + QStringLiteral("/document.json")), QByteArray("{\"a\":1}"));
    EXPECT_EQ(readFileBytes(dest + QStringLiteral("/images/deep/x.png")), QByteArray(3000, '\x89'));
    EXPECT_TRUE(QFileInfo(dest + QStringLiteral("/empty")).isDir());

    // harmless "." components and backslash folders of other systems' archives
    ASSERT_TRUE(writeRawZip(archive, {{"./folder\\file.txt", "fine"}}));
    ASSERT_TRUE(platform::unzipArchive(archive, dest, &error)) << error.toStdString();
    EXPECT_EQ(readFileBytes(dest + QStringLiteral("/folder/file.txt")), QByteArray("fine"));
}

TEST(Archive, EntriesThatCouldEscapeAreRefused)
{
    const RawZipEntry entries[] = {{"../evil.txt", "owned"},         {"a/../../evil.txt", "owned"}, {"/tmp/evil.txt", "owned"},
                                   {"..\\evil.txt", "owned"},        {"a\\..\\..\\evil.txt", "owned"}, {"\\evil.txt", "owned"},
                                   {"C:/evil.txt", "owned"},         {"ok/../..", "owned"},
                                   {"evil.txt", "/etc/passwd", true}}; // a symbolic link
    for (const auto& entry : entries) {
        SCOPED_TRACE(entry.name.toStdString());
        QTemporaryDir dir;
        const QString archive = dir.filePath(QStringLiteral("raw.zip"));
        ASSERT_TRUE(writeRawZip(archive, {entry}));
        const QString dest = dir.filePath(QStringLiteral("inner/out"));
        QString error;
        EXPECT_FALSE(platform::unzipArchive(archive, dest, &error));
        EXPECT_EQ(error, QString((entry.symlink ? QStringLiteral("Refused symbolic link entry: ")
                                                : QStringLiteral("Refused entry with an unsafe path: "))
                                 + QString::fromUtf8(entry.name)));
        for (const QString& escaped : {dir.filePath(QStringLiteral("inner/evil.txt")), dir.filePath(QStringLiteral("evil.txt")),
                                       QString(dest + QStringLiteral("/evil.txt")), QStringLiteral("/tmp/evil.txt")}) {
            EXPECT_FALSE(QFileInfo(escaped).exists() || QFileInfo(escaped).isSymLink()) << escaped.toStdString();
        }
    }
}

// Files written by the refused unpacking below `folder`, by relative path.
static QStringList filesBelow(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) files << QDir(folder).relativeFilePath(it.next());
    return files;
}

// Archives that are broken, beyond the limits, lying about their sizes, or that would write
// through a link already in the destination are refused saying why, leaving no (half) file.
TEST(Archive, UnusableArchivesAreRefusedSayingWhyAndWriteNothing)
{
    QTemporaryDir dir;
    QByteArray payload;
    for (int i = 0; i < 20000; ++i) payload += QByteArray::number(i * 7919 % 10007);
    const QByteArray good = readFileBytes(writeArchive(dir, {{QStringLiteral("x.json"), payload}}));
    QByteArray corrupt = good;
    for (qsizetype i = 200; i < 260; ++i) corrupt[i] = static_cast<char>(corrupt[i] ^ 0x5A); // inside the compressed data
    const QByteArray threeEntries = readFileBytes(writeArchive(
        dir, {{QStringLiteral("a"), QByteArray(600, 'a')}, {QStringLiteral("b"), QByteArray(600, 'b')}, {QStringLiteral("c"), "c"}}));
    const QString bombPath = writeArchive(dir, {{QStringLiteral("bomb"), QByteArray(1024 * 1024, '\0')}});
    falsifyUncompressedSize(bombPath, 10);
    const QByteArray bomb = readFileBytes(bombPath);
    const QByteArray intoLink = readFileBytes(writeArchive(dir, {{QStringLiteral("pages/p.json"), "x"}}));
    const QString outside = dir.filePath(QStringLiteral("outside"));
    ASSERT_TRUE(QDir().mkpath(outside));

    const struct {
        const char* name;
        std::optional<QByteArray> content; // nullopt: no archive at all
        UnzipLimits limits;
        QString error; // %1: the archive's path
    } cases[] = {
        {"missing", std::nullopt, {}, QStringLiteral("Cannot open archive %1: No such file")},
        {"empty", QByteArray(), {}, QStringLiteral("Cannot open archive %1: Not a zip archive")},
        {"text", QByteArray("this is not a zip"), {}, QStringLiteral("Cannot open archive %1: Not a zip archive")},
        {"truncated", good.left(good.size() / 2), {}, QStringLiteral("Cannot open archive %1: Not a zip archive")},
        {"corrupt entry data", corrupt, {}, QStringLiteral("Corrupt entry x.json: Zlib error: data error")},
        {"one byte over the total", threeEntries, {1200, 3}, QStringLiteral("Archive %1 unpacks to more than 1200 bytes")},
        {"one entry too many", threeEntries, {100000, 2}, QStringLiteral("Archive %1 holds 3 entries, more than the limit of 2")},
        {"entry lying about its size", bomb, {4096, 10}, QStringLiteral("Archive %1 unpacks to more than 4096 bytes")},
        {"link already in the destination", intoLink, {},
         QStringLiteral("Refused entry that would be written through a symbolic link: pages/p.json")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QStringLiteral("case.zip"));
        QFile::remove(path);
        if (c.content) {
            ASSERT_TRUE(writeFileBytes(path, *c.content));
        }
        QTemporaryDir dest;
        ASSERT_TRUE(QFile::link(outside, dest.filePath(QStringLiteral("pages"))));
        QString error;
        EXPECT_FALSE(platform::unzipArchive(path, dest.path(), &error, c.limits));
        EXPECT_EQ(error, c.error.arg(path));
        EXPECT_EQ(filesBelow(dest.path()), QStringList()) << "wrote files before refusing";
        EXPECT_EQ(filesBelow(outside), QStringList());
        EXPECT_FALSE(platform::readZipEntry(path, QStringLiteral("x.json")));
    }
    // Within the limits the same archive unpacks.
    const QString path = dir.filePath(QStringLiteral("within.zip"));
    ASSERT_TRUE(writeFileBytes(path, threeEntries));
    QTemporaryDir dest;
    EXPECT_TRUE(platform::unzipArchive(path, dest.path(), nullptr, {1201, 3}));
}

TEST(Archive, GzipRefusesBadInput)
{
    QByteArray text;
    for (int i = 0; i < 10000; ++i) text += "line " + QByteArray::number(i) + "\n";
    const auto packed = platform::gzipData(text);
    ASSERT_TRUE(packed);
    EXPECT_EQ(platform::gunzipData(*packed, text.size()), std::optional<QByteArray>(text));
    // concatenated members unpack one after the other
    EXPECT_EQ(platform::gunzipData(*platform::gzipData("first,") + *platform::gzipData("second")),
              std::optional<QByteArray>(QByteArray("first,second")));

    const std::tuple<const char*, QByteArray, qint64> cases[] = {{"empty", {}, 1 << 20},
                                                                 {"not gzip", "plain bytes", 1 << 20},
                                                                 {"truncated", packed->left(packed->size() / 2), 1 << 20},
                                                                 {"over the cap", *packed, text.size() - 1},
                                                                 {"trailing garbage", *packed + "garbage", 1 << 20}};
    for (const auto& [name, input, max] : cases) EXPECT_FALSE(platform::gunzipData(input, max)) << name;
}
