// The stand-in Sketch tool names an artboard's preview after the artboard, reading the unpacked
// folder beside the document when there is one and the archive otherwise. The upload tests take
// its answers as the real tool's, so a wrong or missing name there would hide faults elsewhere.

#include "Import/Plugin/UploadRunTestKit.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <string>
#include <vector>

namespace {

using namespace uploadkit;

enum class Folder { none, sameAsArchive, withoutPages, stale };

struct NamingCase {
    std::string name;
    std::string id;
    Folder folder;
    int exitCode;
    std::string fileName; // the one file written, empty when none
};

// Two pages; names that JSON writes escaped; an id used both by a layer nested inside an artboard
// and, on a later page, by a top-level artboard; an id that only a nested layer has.
std::vector<PageFile> pages()
{
    const auto first = page("P1", {artboard("A1", "Quote \" and back\\slash é"),
                                   artboard("A2", "Home", {layer("N1", "nested", frame(0, 0, 1, 1)),
                                                           layer("N2", "only nested", frame(0, 0, 1, 1))}),
                                   layer("R1", "loose rectangle", frame(0, 0, 1, 1))});
    const auto second = page("P2", {artboard("N1", "Top level on page two"), artboard("A3", "Tab\tand ü")});
    return {pageFile("p1.json", first), pageFile("p2.json", second)};
}

void writeFolder(const QString& folder, const std::vector<PageFile>& files)
{
    ASSERT_TRUE(QDir().mkpath(QDir(folder).filePath(QStringLiteral("pages"))));
    for (const auto& [name, bytes] : files) {
        QFile f(QDir(folder).filePath(QStringLiteral("pages/") + name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
}

TEST(SketchToolStandinNaming, NamesAnArtboardAfterTheTopLevelArtboardWithTheIdWhereverItIsRead)
{
    const std::vector<NamingCase> cases = {
        {"escaped name, from the archive", "A1", Folder::none, 0, "Quote \" and back\\slash é.png"},
        {"escaped name, from the folder", "A1", Folder::sameAsArchive, 0, "Quote \" and back\\slash é.png"},
        {"a control character in the name", "A3", Folder::sameAsArchive, 0, "Tab\tand ü.png"},
        {"a nested layer's id is passed over for the artboard on a later page", "N1", Folder::sameAsArchive, 0,
         "Top level on page two.png"},
        {"the same from the archive", "N1", Folder::none, 0, "Top level on page two.png"},
        {"an id only a nested layer has is no artboard", "N2", Folder::sameAsArchive, 2, ""},
        {"a loose top-level layer is no artboard", "R1", Folder::none, 2, ""},
        {"an unknown id", "ZZ", Folder::sameAsArchive, 2, ""},
        {"a folder without pages falls back to the archive", "A2", Folder::withoutPages, 0, "Home.png"},
        {"a folder that lacks the artboard falls back to the archive", "A3", Folder::stale, 0, "Tab\tand ü.png"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString document = dir.filePath(QStringLiteral("Design.sketch"));
        const auto files = pages();
        ASSERT_TRUE(writeSketchDocument(document, files));
        const QString folder = dir.filePath(QStringLiteral("Design"));
        switch (c.folder) {
        case Folder::none: break;
        case Folder::sameAsArchive: writeFolder(folder, files); break;
        case Folder::withoutPages: ASSERT_TRUE(QDir().mkpath(folder)); break;
        case Folder::stale: writeFolder(folder, {files[0]}); break;
        }
        const QString output = dir.filePath(QStringLiteral("out"));

        QProcess tool;
        tool.start(QString::fromStdString(SketchToolStandin::executable()),
                   {QStringLiteral("export"), QStringLiteral("artboards"), document, QStringLiteral("--formats=png"),
                    QStringLiteral("--output=") + output, QStringLiteral("--items=") + QString::fromStdString(c.id)});
        ASSERT_TRUE(tool.waitForFinished(30000));
        EXPECT_EQ(tool.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(tool.exitCode(), c.exitCode) << tool.readAllStandardError().toStdString();

        std::vector<std::string> written;
        for (const QString& name : QDir(output).entryList(QDir::Files)) written.push_back(name.toStdString());
        EXPECT_EQ(written, c.fileName.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.fileName});
        if (!c.fileName.empty()) {
            QFile png(QDir(output).filePath(QString::fromStdString(c.fileName)));
            ASSERT_TRUE(png.open(QIODevice::ReadOnly));
            EXPECT_TRUE(png.readAll().startsWith("\x89PNG\r\n\x1a\n"));
        }
    }
}

} // namespace
