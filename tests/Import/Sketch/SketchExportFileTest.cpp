#include "Import/Sketch/SketchDesignImporter.h"

#include "platform/PropertyList.h"
#include "platform/ScriptedDialogPresenter.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <string>
#include <vector>

namespace {

using platform::PropertyListFormat;
using Strings = std::vector<std::string>;

class SketchExportFileTest : public ::testing::Test {
protected:
    QString writeExport(const char* name, const boost::json::value& root, PropertyListFormat format)
    {
        const QString path = m_dir.filePath(QString::fromUtf8(name));
        QString error;
        EXPECT_TRUE(platform::writePropertyList(path, root, format, &error)) << error.toStdString();
        return path;
    }

    QTemporaryDir m_dir;
    platform::ScriptedDialogPresenter m_dialogs;
};

const boost::json::object kComplete = {
    {"sketchFilePath", "/Users/ada/Designs/Shop.sketch"},
    {"artboardIds", boost::json::array{"A1", "B2", "C3"}},
    {"artboardNames", boost::json::array{"Home", "Cart", "Checkout"}},
    {"version", "93"},
    {"sketchtoolPath", "/Applications/Sketch.app/Contents/MacOS/sketchtool"},
    {"sketchmigratePath", "/Applications/Sketch.app/Contents/MacOS/sketchmigrate"},
};

boost::json::object with(boost::json::object base, std::initializer_list<std::pair<const char*, boost::json::value>> changes,
                         std::initializer_list<const char*> removed = {})
{
    for (const char* key : removed) base.erase(key);
    for (const auto& [key, value] : changes) base[key] = value;
    return base;
}

TEST_F(SketchExportFileTest, ReadsExportFilesInBothFormats)
{
    const boost::json::object noOptionals = with(kComplete, {{"artboardNames", boost::json::array{}}, {"version", nullptr},
                                                             {"sketchtoolPath", nullptr}, {"sketchmigratePath", nullptr}});
    const struct {
        const char* name;
        boost::json::object file;
        boost::json::object expected; // the record, written back with every key
    } cases[] = {
        {"complete", kComplete, kComplete},
        {"optional keys absent", with(kComplete, {}, {"artboardNames", "version", "sketchtoolPath", "sketchmigratePath"}),
         noOptionals},
        {"unknown keys ignored", with(kComplete, {{"pluginBuild", 7}, {"extra", boost::json::object{{"a", "b"}}}}), kComplete},
        {"wrong types keep defaults",
         with(kComplete, {{"version", 93}, {"artboardNames", "Home"}, {"sketchtoolPath", boost::json::array{"x"}},
                          {"sketchmigratePath", true}}),
         noOptionals},
        {"artboard ids of the wrong type", with(kComplete, {{"artboardIds", "A1"}}),
         with(kComplete, {{"artboardIds", boost::json::array{}}})},
    };
    for (const auto& c : cases) {
        for (PropertyListFormat format : {PropertyListFormat::Xml, PropertyListFormat::Binary}) {
            SCOPED_TRACE(std::string(c.name) + (format == PropertyListFormat::Xml ? " (xml)" : " (binary)"));
            SketchDesignImporter importer;
            ASSERT_TRUE(importer.doBeforeProjectSelection(writeExport("export.zvusk", c.file, format).toStdString()));
            ASSERT_TRUE(importer.pluginExportInfo.has_value());
            EXPECT_EQ(jsonmap::toJsonObject(*importer.pluginExportInfo), c.expected);
            EXPECT_EQ(importer.getArtboardIds(), jsonmap::fromJson<Strings>(c.expected.at("artboardIds")));
            EXPECT_TRUE(m_dialogs.shown().empty());
        }
    }
}

// Every unusable export file is refused with a dialog naming it and what is wrong. Regression rows
// (ExportFilesBeyondTheCapsAreRefusedSayingWhy): an export file nested 100,000 levels deep crashed
// the application, one with 300,000 ids kept it busy for minutes, and a fifo hung it; each is
// refused before it is parsed.
TEST_F(SketchExportFileTest, UnusableExportFilesAreRefusedSayingWhy)
{
    const QString garbage = m_dir.filePath(QStringLiteral("garbage.zvusk"));
    ASSERT_TRUE(writeFileBytes(garbage, "this is not a property list"));
    boost::json::array manyIds;
    for (std::size_t i = 0; i <= SketchDesignImporter::kMaxArtboardIds; ++i) manyIds.emplace_back("id" + std::to_string(i));
    const QString deep = m_dir.filePath(QStringLiteral("deep.zvusk"));
    ASSERT_TRUE(writeFileBytes(deep, QByteArray("<plist><dict><key>x</key>") + QByteArray("<array>").repeated(100000)
                                         + QByteArray("</array>").repeated(100000) + QByteArray("</dict></plist>")));
    const QString large = m_dir.filePath(QStringLiteral("large.zvusk"));
    ASSERT_TRUE(writeFileBytes(large, QByteArray(SketchDesignImporter::kMaxExportFileBytes + 1, ' ')));
    const QString fifo = m_dir.filePath(QStringLiteral("fifo.zvusk"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const struct {
        const char* name;
        QString path;
        QString reason; // empty: the general "could not be read"
    } cases[] = {
        {"no such file", m_dir.filePath(QStringLiteral("missing.zvusk")), {}},
        {"not a property list", garbage, {}},
        {"root is an array", writeExport("array.zvusk", boost::json::array{"A1"}, PropertyListFormat::Xml), {}},
        {"no document named", writeExport("nodoc.zvusk", with(kComplete, {}, {"sketchFilePath"}), PropertyListFormat::Binary), {}},
        {"document path of the wrong type",
         writeExport("numdoc.zvusk", with(kComplete, {{"sketchFilePath", 12}}), PropertyListFormat::Xml), {}},
        {"ExportFilesBeyondTheCapsAreRefusedSayingWhy: too many ids",
         writeExport("many.zvusk", with(kComplete, {{"artboardIds", manyIds}}), PropertyListFormat::Binary),
         QStringLiteral("it names more than 20000 artboards")},
        {"ExportFilesBeyondTheCapsAreRefusedSayingWhy: too deep", deep, QStringLiteral("it nests deeper than 16 levels")},
        {"ExportFilesBeyondTheCapsAreRefusedSayingWhy: too large", large, QStringLiteral("it is larger than 16384 KB")},
        {"ExportFilesBeyondTheCapsAreRefusedSayingWhy: a fifo", fifo, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_dialogs.clear();
        SketchDesignImporter importer;
        EXPECT_FALSE(importer.doBeforeProjectSelection(c.path.toStdString()));
        EXPECT_FALSE(importer.pluginExportInfo.has_value());
        ASSERT_EQ(m_dialogs.shown().size(), 1u);
        EXPECT_EQ(m_dialogs.shown()[0].kind, platform::ScriptedDialogPresenter::Kind::Alert);
        const QString expected =
            c.reason.isEmpty()
                ? QStringLiteral("The export file “%1” could not be read or does not name a Sketch document. Export the "
                                 "artboards from Sketch again.").arg(c.path)
                : QStringLiteral("The export file “%1” cannot be used: %2. Export the artboards from Sketch again.").arg(c.path, c.reason);
        EXPECT_EQ(m_dialogs.shown()[0].informativeText, expected);
    }
}

// An unreadable hand-off used to leave the earlier export in place, so the next upload sent the
// earlier design into the newly chosen project.
TEST_F(SketchExportFileTest, UnreadableExportAfterGoodOneDoesNotReuseTheEarlierDesign)
{
    SketchDesignImporter importer;
    EXPECT_TRUE(importer.getArtboardIds().empty());
    ASSERT_TRUE(importer.doBeforeProjectSelection(writeExport("first.zvusk", kComplete, PropertyListFormat::Xml).toStdString()));
    ASSERT_EQ(importer.getArtboardIds(), (Strings{"A1", "B2", "C3"}));
    EXPECT_EQ(importer.getEventCode(), MixPanelEventCode::SKETCH_UPLOAD);

    EXPECT_FALSE(importer.doBeforeProjectSelection(m_dir.filePath(QStringLiteral("second.zvusk")).toStdString()));

    EXPECT_FALSE(importer.pluginExportInfo.has_value());
    EXPECT_TRUE(importer.getArtboardIds().empty());
}

} // namespace
