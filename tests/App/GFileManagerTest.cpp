#include "App/GFileManager.h"

#include "platform/Archive.h"
#include "platform/MainQueue.h"
#include "platform/Paths.h"
#include "platform/RawZip.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <optional>
#include <vector>

namespace {

const std::vector<std::pair<QString, QByteArray>> kDocument = {
    {QStringLiteral("document.json"), QByteArrayLiteral("{\"_class\":\"document\"}")},
    {QStringLiteral("pages/page-1.json"), QByteArrayLiteral("{\"_class\":\"page\"}")},
};

class GFileManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_library.isValid());
        ASSERT_TRUE(m_outside.isValid());
        platform::overrideUserLibraryDirectory(m_library.path());
    }
    void TearDown() override { platform::clearUserLibraryOverride(); }

    QString dataFolder() const { return m_library.path() + QStringLiteral("/Quorvex/Sketch"); }
    QString outside(const QString& name) const { return m_outside.filePath(name); }

    // A small design document at `path`.
    static QString writeDocument(const QString& path)
    {
        QString error;
        EXPECT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        EXPECT_TRUE(platform::zipEntries(path, kDocument, &error)) << error.toStdString();
        return path;
    }

    // Runs the copy and waits for its completion on the main queue.
    FileReadyResult ready(const QString& path, const platform::UnzipLimits& limits = GFileManager::defaultUnzipLimits())
    {
        std::optional<FileReadyResult> result;
        GFileManager::makeFileReadyToGo(path, [&result](const FileReadyResult& r) { result = r; }, limits);
        EXPECT_FALSE(result.has_value()) << "the completion must not run inside the call";
        EXPECT_TRUE(platform::runMainLoopUntil([&result] { return result.has_value(); }, 10000));
        return result.value_or(FileReadyResult{});
    }

    QTemporaryDir m_library;
    QTemporaryDir m_outside;
};

TEST_F(GFileManagerTest, MissingLibraryFolderIsReportedNotSilent)
{
    const QString document = writeDocument(outside(QStringLiteral("design.sketch")));
    platform::overrideUserLibraryDirectory(std::nullopt);
    EXPECT_FALSE(GFileManager::getFileStorageURL(QStringLiteral("design.sketch")).has_value());
    const FileReadyResult result = ready(document);
    EXPECT_FALSE(result.succeeded());
    EXPECT_EQ(result.error, QStringLiteral("The application's data folder could not be found or created."));
}

TEST_F(GFileManagerTest, CopiesZipsAndUnpacksTheDocument)
{
    const QString document = writeDocument(outside(QStringLiteral("design.sketch")));
    const FileReadyResult result = ready(document);

    ASSERT_TRUE(result.succeeded()) << result.error.toStdString();
    EXPECT_EQ(*result.copyPath, dataFolder() + QStringLiteral("/design.sketch"));
    EXPECT_EQ(result.archivePath, dataFolder() + QStringLiteral("/design.zip"));
    EXPECT_EQ(result.unpackedFolderPath, dataFolder() + QStringLiteral("/design"));
    EXPECT_EQ(readFileBytes(*result.copyPath), readFileBytes(document));
    EXPECT_EQ(readFileBytes(result.archivePath), readFileBytes(document));
    EXPECT_EQ(readFileBytes(result.unpackedFolderPath + QStringLiteral("/pages/page-1.json")), kDocument[1].second);
    EXPECT_TRUE(QFileInfo::exists(document)) << "the user's document stays where it was";
}

// Unpacking used to go over the folder of an earlier document, mixing its pages into this one.
TEST_F(GFileManagerTest, EarlierDocumentIsMovedAsideAndNotMixedIntoTheNewOne)
{
    ASSERT_TRUE(writeFileBytes(dataFolder() + QStringLiteral("/design.sketch"), "previous copy"));
    ASSERT_TRUE(writeFileBytes(dataFolder() + QStringLiteral("/design_old.sketch"), "copy before that"));
    ASSERT_TRUE(writeFileBytes(dataFolder() + QStringLiteral("/design.zip"), "previous archive"));
    ASSERT_TRUE(writeFileBytes(dataFolder() + QStringLiteral("/design/pages/stale-page.json"), "{}"));
    const QString document = writeDocument(outside(QStringLiteral("design.sketch")));

    const FileReadyResult result = ready(document);

    ASSERT_TRUE(result.succeeded()) << result.error.toStdString();
    EXPECT_EQ(readFileBytes(dataFolder() + QStringLiteral("/design_old.sketch")), QByteArrayLiteral("previous copy"));
    EXPECT_EQ(readFileBytes(dataFolder() + QStringLiteral("/design_old.zip")), QByteArrayLiteral("previous archive"));
    EXPECT_EQ(readFileBytes(dataFolder() + QStringLiteral("/design.sketch")), readFileBytes(document));
    EXPECT_FALSE(QFileInfo::exists(result.unpackedFolderPath + QStringLiteral("/pages/stale-page.json")));
    EXPECT_TRUE(QFileInfo::exists(result.unpackedFolderPath + QStringLiteral("/document.json")));
}

TEST_F(GFileManagerTest, DocumentOpenedFromTheDataFolderIsNotLost)
{
    const QString inPlace = writeDocument(dataFolder() + QStringLiteral("/design.sketch"));
    const QByteArray bytes = readFileBytes(inPlace);

    const FileReadyResult result = ready(inPlace);

    ASSERT_TRUE(result.succeeded()) << result.error.toStdString();
    EXPECT_EQ(readFileBytes(inPlace), bytes);
    EXPECT_FALSE(QFileInfo::exists(dataFolder() + QStringLiteral("/design_old.sketch")));
    EXPECT_TRUE(QFileInfo::exists(result.unpackedFolderPath + QStringLiteral("/document.json")));
}

TEST_F(GFileManagerTest, FailedCopyStopsBeforeUnpacking)
{
    ASSERT_TRUE(writeFileBytes(dataFolder() + QStringLiteral("/design/document.json"), "earlier document"));

    const FileReadyResult result = ready(outside(QStringLiteral("design.sketch"))); // never written

    EXPECT_FALSE(result.succeeded());
    EXPECT_TRUE(result.error.contains(QStringLiteral("design.sketch"))) << result.error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(dataFolder() + QStringLiteral("/design.zip")));
    EXPECT_EQ(readFileBytes(dataFolder() + QStringLiteral("/design/document.json")), QByteArrayLiteral("earlier document"))
        << "no later step may run after a failed copy";
}

TEST_F(GFileManagerTest, HostileArchivesAreRefusedAndWriteNothingOutside)
{
    const QByteArray big(64 * 1024, 'x');
    const struct {
        const char* name;
        std::vector<RawZipEntry> entries;
        qint64 maxTotalBytes;
    } cases[] = {
        {"zip slip", {{"document.json", "{}"}, {"../../escaped.txt", "owned"}}, 1 << 20},
        {"absolute path", {{"document.json", "{}"}, {QFile::encodeName(m_outside.path()) + "/escaped.txt", "owned"}}, 1 << 20},
        {"symbolic link", {{"link", QFile::encodeName(m_outside.path()), true}, {"link/escaped.txt", "owned"}}, 1 << 20},
        {"beyond the size limit", {{"document.json", "{}"}, {"images/big.png", big}, {"images/big2.png", big}}, 100 * 1024},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString document = outside(QStringLiteral("hostile.sketch"));
        ASSERT_TRUE(writeRawZip(document, c.entries));
        platform::UnzipLimits limits = GFileManager::defaultUnzipLimits();
        limits.maxTotalBytes = c.maxTotalBytes;

        const FileReadyResult result = ready(document, limits);

        EXPECT_FALSE(result.succeeded());
        EXPECT_FALSE(QFileInfo::exists(outside(QStringLiteral("escaped.txt"))));
        EXPECT_FALSE(QFileInfo::exists(m_library.filePath(QStringLiteral("Quorvex/escaped.txt"))));
        EXPECT_FALSE(QFileInfo::exists(m_library.filePath(QStringLiteral("escaped.txt"))));
        EXPECT_FALSE(QFileInfo::exists(dataFolder() + QStringLiteral("/hostile")))
            << "a refused archive leaves no half-unpacked folder";
    }
}

TEST_F(GFileManagerTest, DeleteFileOnLinkToFolderKeepsTheFolder)
{
    const QString target = outside(QStringLiteral("user-folder"));
    ASSERT_TRUE(writeFileBytes(target + QStringLiteral("/keep.txt"), "user data"));
    ASSERT_TRUE(QDir().mkpath(dataFolder()));
    const QString link = dataFolder() + QStringLiteral("/design");
    ASSERT_TRUE(QFile::link(target, link));

    EXPECT_TRUE(GFileManager::deleteFile(link));

    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readFileBytes(target + QStringLiteral("/keep.txt")), QByteArrayLiteral("user data"));
}

} // namespace

namespace {

// Everything under a folder, by relative path.
QStringList listing(const QString& folder)
{
    QStringList names;
    QDir dir(folder);
    for (const QFileInfo& info : dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
        names << info.fileName();
    names.sort();
    return names;
}

} // namespace

// A fifo named as the document hung the application, and a path ending in "/" moved the whole
// data folder aside as "Sketch_old": anything but a regular file with a usable name is refused
// before anything is opened or moved.
TEST_F(GFileManagerTest, OnlyRegularFilesWithUsableNamesAreCopied)
{
    const QString earlier = writeDocument(dataFolder() + QStringLiteral("/earlier.sketch"));
    const QStringList before = listing(dataFolder());
    const QString fifo = outside(QStringLiteral("pipe.sketch"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QDir().mkpath(outside(QStringLiteral("folder.sketch"))));
    const struct {
        const char* name;
        QString path;
        QString error;
    } cases[] = {
        {"fifo", fifo, QStringLiteral("The design document “%1” is not a regular file.").arg(fifo)},
        {"device", QStringLiteral("/dev/zero"), QStringLiteral("The design document “/dev/zero” is not a regular file.")},
        {"folder", outside(QStringLiteral("folder.sketch")),
         QStringLiteral("The design document “%1” is not a regular file.").arg(outside(QStringLiteral("folder.sketch")))},
        {"trailing slash", outside(QStringLiteral("design.sketch/")),
         QStringLiteral("The design document “%1” has no usable file name.").arg(outside(QStringLiteral("design.sketch/")))},
        {"dot dot", outside(QStringLiteral("..")), QStringLiteral("The design document “%1” has no usable file name.").arg(outside(QStringLiteral("..")))},
        {"empty", QString(), QStringLiteral("The design document “” has no usable file name.")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const FileReadyResult result = ready(c.path);
        EXPECT_FALSE(result.succeeded());
        EXPECT_EQ(result.error, c.error);
        EXPECT_EQ(listing(dataFolder()), before);
    }
    EXPECT_TRUE(QFileInfo(earlier).isFile());
    EXPECT_FALSE(QFileInfo::exists(m_library.path() + QStringLiteral("/Quorvex/Sketch_old")));
}
