#include "platform/Archive.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <zip.h>

using platform::UnzipLimits;

namespace {

QString writeArchive(const QTemporaryDir& dir, const std::vector<std::pair<QString, QByteArray>>& entries,
                     const QString& name = QStringLiteral("a.zip"))
{
    const QString path = dir.filePath(name);
    QString error;
    EXPECT_TRUE(platform::zipEntries(path, entries, &error)) << error.toStdString();
    return path;
}

// Builds an archive with libzip directly, for entries our writer would never produce.
QString writeRawArchive(const QTemporaryDir& dir, const char* name, const QByteArray& content, bool symlink)
{
    const QString path = dir.filePath(QStringLiteral("raw.zip"));
    int code = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    EXPECT_NE(z, nullptr);
    zip_source_t* src = zip_source_buffer(z, content.constData(), static_cast<zip_uint64_t>(content.size()), 0);
    const zip_int64_t index = zip_file_add(z, name, src, 0);
    EXPECT_GE(index, 0);
    if (symlink) zip_file_set_external_attributes(z, static_cast<zip_uint64_t>(index), 0, ZIP_OPSYS_UNIX, (S_IFLNK | 0777u) << 16);
    EXPECT_EQ(zip_close(z), 0);
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
                                               {QStringLiteral("pages/"), {}},
                                               {QStringLiteral("pages/p1.json"), "page"},
                                               {QStringLiteral("images/deep/x.png"), QByteArray(3000, '\x89')},
                                               {QStringLiteral("empty/"), {}}});
    const QString dest = dir.filePath(QStringLiteral("out"));
    writeFileBytes(dest + QStringLiteral("/document.json"), "old contents that are longer");
    QString error;
    ASSERT_TRUE(platform::unzipArchive(archive, dest, &error)) << error.toStdString();
    EXPECT_EQ(readFileBytes(dest + QStringLiteral("/document.json")), QByteArray("{\"a\":1}"));
    EXPECT_EQ(readFileBytes(dest + QStringLiteral("/pages/p1.json")), QByteArray("page"));
    EXPECT_EQ(readFileBytes(dest + QStringLiteral("/images/deep/x.png")), QByteArray(3000, '\x89'));
    EXPECT_TRUE(QFileInfo(dest + QStringLiteral("/empty")).isDir());
}

TEST(Archive, UnpacksTheSketchFixtures)
{
    const QDir fixtures(fixturePath(QStringLiteral("sketch")));
    const auto files = fixtures.entryList({QStringLiteral("*.sketch")}, QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const auto& f : files) {
        QTemporaryDir dir;
        QString error;
        EXPECT_TRUE(platform::unzipArchive(fixtures.filePath(f), dir.path(), &error)) << f.toStdString() << ": " << error.toStdString();
        EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("document.json")))) << f.toStdString();
    }
}

TEST(Archive, EntriesThatCouldEscapeAreRefused)
{
    const char* names[] = {"../evil.txt", "a/../../evil.txt", "/tmp/evil.txt", "..\\evil.txt", "a\\..\\..\\evil.txt",
                           "\\evil.txt", "C:/evil.txt", "ok/../.."};
    for (const char* name : names) {
        QTemporaryDir dir;
        const QString archive = writeRawArchive(dir, name, "owned", false);
        const QString dest = dir.filePath(QStringLiteral("inner/out"));
        QString error;
        EXPECT_FALSE(platform::unzipArchive(archive, dest, &error)) << name;
        EXPECT_FALSE(error.isEmpty()) << name;
        EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("inner/evil.txt")))) << name;
        EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("evil.txt")))) << name;
        EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/tmp/evil.txt"))) << name;
    }
}

TEST(Archive, HarmlessDotComponentsAndBackslashFoldersAreAccepted)
{
    QTemporaryDir dir;
    const QString archive = writeRawArchive(dir, "./folder\\file.txt", "fine", false);
    QString error;
    ASSERT_TRUE(platform::unzipArchive(archive, dir.filePath(QStringLiteral("out")), &error)) << error.toStdString();
    EXPECT_EQ(readFileBytes(dir.filePath(QStringLiteral("out/folder/file.txt"))), QByteArray("fine"));
}

TEST(Archive, SymbolicLinkEntriesAreRefused)
{
    QTemporaryDir dir;
    const QString archive = writeRawArchive(dir, "link", "/etc/passwd", true);
    const QString dest = dir.filePath(QStringLiteral("out"));
    QString error;
    EXPECT_FALSE(platform::unzipArchive(archive, dest, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("symbolic link")));
    EXPECT_FALSE(QFileInfo(dest + QStringLiteral("/link")).exists());
    EXPECT_FALSE(QFileInfo(dest + QStringLiteral("/link")).isSymLink());
}

TEST(Archive, DoesNotWriteThroughALinkAlreadyInTheDestination)
{
    QTemporaryDir dir;
    const QString outside = dir.filePath(QStringLiteral("outside"));
    QDir().mkpath(outside);
    const QString dest = dir.filePath(QStringLiteral("out"));
    QDir().mkpath(dest);
    ASSERT_TRUE(QFile::link(outside, dest + QStringLiteral("/pages")));
    const QString archive = writeArchive(dir, {{QStringLiteral("pages/p.json"), "x"}});
    QString error;
    EXPECT_FALSE(platform::unzipArchive(archive, dest, &error));
    EXPECT_FALSE(QFileInfo::exists(outside + QStringLiteral("/p.json")));
}

TEST(Archive, LimitsAreCheckedBeforeWriting)
{
    QTemporaryDir dir;
    const QString archive = writeArchive(dir, {{QStringLiteral("a"), QByteArray(600, 'a')},
                                               {QStringLiteral("b"), QByteArray(600, 'b')},
                                               {QStringLiteral("c"), "c"}});
    struct Case {
        UnzipLimits limits;
        bool ok;
    } cases[] = {{{1201, 3}, true}, {{1200, 3}, false}, {{100000, 2}, false}};
    for (const auto& c : cases) {
        QTemporaryDir out;
        QString error;
        EXPECT_EQ(platform::unzipArchive(archive, out.path(), &error, c.limits), c.ok) << c.limits.maxTotalBytes << "/" << c.limits.maxEntries;
        if (!c.ok) {
            EXPECT_FALSE(error.isEmpty());
            EXPECT_TRUE(QDir(out.path()).isEmpty()) << "wrote files before refusing";
        }
    }
}

TEST(Archive, EntryLyingAboutItsSizeCannotExceedTheLimit)
{
    QTemporaryDir dir;
    const QString archive = writeArchive(dir, {{QStringLiteral("bomb"), QByteArray(1024 * 1024, '\0')}});
    falsifyUncompressedSize(archive, 10);
    const QString dest = dir.filePath(QStringLiteral("out"));
    QString error;
    EXPECT_FALSE(platform::unzipArchive(archive, dest, &error, {4096, 10}));
    EXPECT_LE(QFileInfo(dest + QStringLiteral("/bomb")).size(), 4096);
}

TEST(Archive, BrokenArchivesFailWithAReason)
{
    QTemporaryDir dir;
    const QString good = writeArchive(dir, {{QStringLiteral("x.json"), QByteArray(5000, 'q')}});
    const QByteArray bytes = readFileBytes(good);
    struct Case {
        const char* name;
        QByteArray content;
    } cases[] = {{"empty", {}}, {"text", "this is not a zip"}, {"truncated", bytes.left(bytes.size() / 2)}};
    for (const auto& c : cases) {
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        writeFileBytes(path, c.content);
        QString error;
        EXPECT_FALSE(platform::unzipArchive(path, dir.filePath(QStringLiteral("out-") + QString::fromLatin1(c.name)), &error)) << c.name;
        EXPECT_FALSE(error.isEmpty()) << c.name;
        EXPECT_FALSE(platform::readZipEntry(path, QStringLiteral("x.json"))) << c.name;
    }
    QString error;
    EXPECT_FALSE(platform::unzipArchive(dir.filePath(QStringLiteral("missing.zip")), dir.filePath(QStringLiteral("o")), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(Archive, CorruptEntryDataFailsAndLeavesNoHalfFile)
{
    QTemporaryDir dir;
    QByteArray payload;
    for (int i = 0; i < 20000; ++i) payload += QByteArray::number(i * 7919 % 10007);
    const QString archive = writeArchive(dir, {{QStringLiteral("data.txt"), payload}});
    QByteArray bytes = readFileBytes(archive);
    // Flip bytes in the middle of the compressed data.
    for (qsizetype i = 200; i < 260; ++i) bytes[i] = static_cast<char>(bytes[i] ^ 0x5A);
    writeFileBytes(archive, bytes);
    const QString dest = dir.filePath(QStringLiteral("out"));
    QString error;
    EXPECT_FALSE(platform::unzipArchive(archive, dest, &error));
    EXPECT_FALSE(QFileInfo::exists(dest + QStringLiteral("/data.txt")));
}

TEST(Archive, ZipFileStoresOneFileUnderItsName)
{
    QTemporaryDir dir;
    const QString doc = dir.filePath(QStringLiteral("My Design.sketch"));
    const QByteArray content(100000, 'd');
    writeFileBytes(doc, content);
    const QString archive = dir.filePath(QStringLiteral("MyDesign.zip"));
    QString error;
    ASSERT_TRUE(platform::zipFile(doc, archive, &error)) << error.toStdString();
    EXPECT_EQ(platform::readZipEntry(archive, QStringLiteral("My Design.sketch")), std::optional<QByteArray>(content));
    EXPECT_FALSE(platform::readZipEntry(archive, QStringLiteral("other")));
    EXPECT_FALSE(platform::zipFile(dir.filePath(QStringLiteral("missing")), dir.filePath(QStringLiteral("m.zip")), &error));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("m.zip"))));
}

TEST(Archive, GzipRoundTripsAndRefusesBadInput)
{
    QByteArray text;
    for (int i = 0; i < 10000; ++i) text += "line " + QByteArray::number(i) + "\n";
    const auto packed = platform::gzipData(text);
    ASSERT_TRUE(packed);
    EXPECT_TRUE(platform::isGzipData(*packed));
    EXPECT_FALSE(platform::isGzipData(text));
    EXPECT_EQ(platform::gunzipData(*packed), std::optional<QByteArray>(text));
    const auto empty = platform::gzipData({});
    ASSERT_TRUE(empty);
    EXPECT_EQ(platform::gunzipData(*empty), std::optional<QByteArray>(QByteArray()));

    struct Case {
        const char* name;
        QByteArray input;
        qint64 max;
    } cases[] = {{"empty", {}, 1 << 20},
                 {"not gzip", "plain bytes", 1 << 20},
                 {"truncated", packed->left(packed->size() / 2), 1 << 20},
                 {"over the cap", *packed, text.size() - 1},
                 {"trailing garbage", *packed + "garbage", 1 << 20}};
    for (const auto& c : cases) EXPECT_FALSE(platform::gunzipData(c.input, c.max)) << c.name;
    EXPECT_TRUE(platform::gunzipData(*packed, text.size()));
}

TEST(Archive, ConcatenatedGzipMembersUnpackInOrder)
{
    const auto a = platform::gzipData("first,");
    const auto b = platform::gzipData("second");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(platform::gunzipData(*a + *b), std::optional<QByteArray>(QByteArray("first,second")));
}
