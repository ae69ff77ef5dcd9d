// The Sketch tool runner against the stand-in tool started as a real process.

#include "Import/Plugin/UploadRunTestKit.h"
#include "Import/Sketch/FileExporter.h"
#include "platform/ProcessRunner.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <functional>
#include <optional>
#include <string>
#include <vector>

using uploadkit::SketchToolStandin;
using Args = std::vector<std::string>;

namespace {

// An artboard of the fixture document, found by the stand-in tool in the stored copy.
const std::string kArtboardId = "9255CD08-AE87-4EB3-817C-30D0A8167DEE";
const std::string kArtboardName = "Example-Circular-icon";

struct CutOutcome {
    std::optional<QString> path;    // handed to the success handler
    std::optional<QString> failure; // handed to the failure handler
    int calls = 0;
};

class ToolRunner : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        copyPath = dir.filePath(QStringLiteral("data/doc.sketch"));
        QDir().mkpath(dir.filePath(QStringLiteral("data/doc")));
        ASSERT_TRUE(QFile::copy(fixturePath(QStringLiteral("sketch/wikimedia-icon-template.sketch")), copyPath));
        document.emplace(copyPath, std::string());
    }

    QString d(const QString& relative) const { return QDir(document->folderPath).filePath(relative); }
    std::string ds(const QString& relative) const { return d(relative).toStdString(); }

    using Start = std::function<void(FileExporter::SuccessHandler, FileExporter::FailureHandler)>;
    CutOutcome cut(const Start& start)
    {
        auto outcome = std::make_shared<CutOutcome>();
        start([outcome](const QString& path) { outcome->path = path, ++outcome->calls; },
              [outcome](const QString& reason) { outcome->failure = reason, ++outcome->calls; });
        uploadkit::waitFor([&] { return outcome->calls > 0; });
        return *outcome;
    }

    CutOutcome cutImage(FileFormats format, double scale, const std::string& item = "I",
                        std::optional<std::string> toolPath = SketchToolStandin::executable())
    {
        return cut([&](auto ok, auto failed) {
            FileExporter::instance().exportAssetForServer(item, item, format, *document, d(QStringLiteral("exportables")),
                                                          toolPath, scale, ok, failed);
        });
    }

    QTemporaryDir dir;
    QString copyPath;
    std::optional<DesignDocument> document;
    SketchToolStandin tool;
};

struct ImageCutCase {
    FileFormats format;
    double scale;
    std::vector<std::string> tail; // the options after --items
    std::string handedBack;        // file name in the output folder
};

TEST_F(ToolRunner, ImageCutsPassTheToolTheirArgumentsAndHandBackTheWrittenFile)
{
    const std::vector<ImageCutCase> cases = {
        {FileFormats::png, 1, {"--filename=I", "--scales=1.0"}, "I.png"},
        {FileFormats::png, 1.5, {"--filename=I@1x", "--scales=1.5"}, "I@1x.png"},
        {FileFormats::pdf, -1, {"--filename=I"}, "I.pdf"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.handedBack);
        const std::size_t before = tool.startedArguments().size();
        const CutOutcome outcome = cutImage(c.format, c.scale);
        ASSERT_TRUE(outcome.path) << outcome.failure.value_or(QString()).toStdString();
        EXPECT_EQ(outcome.path->toStdString(), ds(QStringLiteral("exportables/I.imageset/")) + c.handedBack);
        EXPECT_TRUE(QFileInfo(*outcome.path).size() > 0);

        Args expected = {"export", "layers", copyPath.toStdString(),
                         "--formats=" + std::string(fileFormatRawValue(c.format)),
                         "--output=" + ds(QStringLiteral("exportables/I.imageset")), "--items=I"};
        expected.insert(expected.end(), c.tail.begin(), c.tail.end());
        const auto started = tool.startedArguments();
        ASSERT_EQ(started.size(), before + 1);
        EXPECT_EQ(started.back(), expected);
    }
}

TEST_F(ToolRunner, PreviewCutLetsTheToolNameTheFileAfterTheArtboard)
{
    const CutOutcome outcome = cut([&](auto ok, auto failed) {
        FileExporter::exportAssetFile(*document, SketchElements::artboards, kArtboardId, kArtboardId, kArtboardName,
                                      std::nullopt, "png", "", SketchToolStandin::executable(), ok, failed);
    });
    const std::string output = ds(QStringLiteral("exportables/images/")) + kArtboardId + "/" + kArtboardId;
    ASSERT_TRUE(outcome.path) << outcome.failure.value_or(QString()).toStdString();
    EXPECT_EQ(outcome.path->toStdString(), output + "/" + kArtboardName + ".png");
    ASSERT_EQ(tool.startedArguments().size(), 1u);
    EXPECT_EQ(tool.startedArguments()[0], (Args{"export", "artboards", copyPath.toStdString(), "--formats=png",
                                                 "--output=" + output, "--items=" + kArtboardId}));
}

// Exit statuses and signals fail a cut along the whole upload run (UploadRun tests); here, a cut
// whose file is missing when the tool ended fails even when an earlier run left a file of its name.
TEST_F(ToolRunner, CutFailsUnlessTheToolWroteTheFileBeforeItEnded)
{
    const QString stale = d(QStringLiteral("exportables/I.imageset/I@3x.png"));
    const struct {
        std::string name;
        boost::json::object rule;
        double scale;
        bool staleFile;
    } cases[] = {
        {"file written after the tool ended", {{"mode", "late"}, {"delayMs", 300}}, 2, false},
        {"StaleFileFromAnEarlierRunIsNotTakenForAFailedCut", {{"mode", "nofile"}}, 3, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.staleFile) {
            ASSERT_TRUE(writeFileBytes(stale, QByteArrayLiteral("picture of an earlier run")));
        }
        tool.setControl({{"items", {{"I", c.rule}}}});
        const CutOutcome outcome = cutImage(FileFormats::png, c.scale);
        EXPECT_EQ(outcome.calls, 1);
        EXPECT_FALSE(outcome.path);
        EXPECT_EQ(outcome.failure, QStringLiteral("Sketch's command-line tool did not write the expected file."));
        if (c.staleFile) {
            EXPECT_FALSE(QFileInfo::exists(stale));
        }
    }
    tool.setControl({});
    EXPECT_TRUE(cutImage(FileFormats::png, 2).path);
}

TEST_F(ToolRunner, NamesFromTheDocumentCannotLeadACutOutOfItsFolder)
{
    // A file beside the data folder, where "../../../../../outside" would lead.
    const QString outside = QDir(dir.path()).filePath(QStringLiteral("outside.png"));
    ASSERT_TRUE(writeFileBytes(outside, "user file"));

    const CutOutcome preview = cut([&](auto ok, auto failed) {
        FileExporter::exportAssetFile(*document, SketchElements::artboards, "A", "A", "../../../../../outside",
                                      std::nullopt, "png", "", SketchToolStandin::executable(), ok, failed);
    });
    EXPECT_TRUE(preview.failure);
    const CutOutcome image = cutImage(FileFormats::png, 1, "../../../outside");
    EXPECT_TRUE(image.failure);
    // An artboard id holding "../" was reported under the artboard's name: the id is named.
    const CutOutcome byId = cut([&](auto ok, auto failed) {
        FileExporter::exportAssetFile(*document, SketchElements::artboards, "../../../../../x", "../../../../../x", "Home",
                                      std::nullopt, "png", "", SketchToolStandin::executable(), ok, failed);
    });
    EXPECT_EQ(byId.failure, QStringLiteral("The name “../../../../../x” cannot be used for an exported file."));

    EXPECT_EQ(readFileBytes(outside), QByteArray("user file"));
    EXPECT_FALSE(QFileInfo::exists(QDir(dir.path()).filePath(QStringLiteral("outside.imageset"))));
    EXPECT_TRUE(tool.startedArguments().empty());
}

} // namespace
