#include "Import/Sketch/GSketchTerminalManager.h"
#include "platform/AppInfo.h"
#include "platform/DebugLog.h"
#include "platform/Paths.h"
#include "platform/UserDefaults.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <string>
#include <vector>

namespace {

const QString kPluginName = QStringLiteral("zendaqvusk.sketchplugin");

class PluginInstallerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(resources.isValid() && library.isValid());
        savedResources = platform::resourceDirectory();
        savedVersion = platform::shortVersionString();
        platform::setResourceDirectory(resources.path());
        platform::overrideUserLibraryDirectory(library.path());
        platform::setDebugCapture([this](const QString& line) { lines.push_back(line.toStdString()); });
        for (const char* version : {"", "2.0", "2.1"}) forgetFlag(QString::fromLatin1(version));
    }
    void TearDown() override
    {
        platform::setDebugCapture(nullptr);
        platform::clearUserLibraryOverride();
        platform::setResourceDirectory(savedResources);
        platform::setShortVersionString(savedVersion);
    }

    static void forgetFlag(const QString& version)
    {
        platform::UserDefaults::standard().removeObject(QStringLiteral("SketchPluginInstalled") + version);
    }
    static bool flag(const QString& version)
    {
        return platform::UserDefaults::standard().boolForKey(QStringLiteral("SketchPluginInstalled") + version);
    }
    void writeResourcePlugin(const QByteArray& scriptText)
    {
        const QString bundle = resources.path() + QLatin1Char('/') + kPluginName;
        QDir(bundle).removeRecursively();
        ASSERT_TRUE(writeFileBytes(bundle + QStringLiteral("/Contents/Sketch/manifest.json"), R"({"name":"Zendaq Vusk"})"));
        ASSERT_TRUE(writeFileBytes(bundle + QStringLiteral("/Contents/Sketch/export.js"), scriptText));
    }
    QString pluginsFolder() const
    {
        return library.path() + QStringLiteral("/Application Support/com.bohemiancoding.sketch3/Plugins");
    }
    QString installed(const QString& relative = {}) const
    {
        return pluginsFolder() + QLatin1Char('/') + kPluginName + (relative.isEmpty() ? QString() : QLatin1Char('/') + relative);
    }
    void install(const char* version)
    {
        platform::setShortVersionString(QString::fromLatin1(version));
        GSketchTerminalManager::terminalManager().installSketchPluginIfNeeded();
    }
    bool logged(const std::string& prefix) const
    {
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    }

    QTemporaryDir resources;
    QTemporaryDir library;
    QString savedResources;
    QString savedVersion;
    std::vector<std::string> lines;
};

} // namespace

TEST_F(PluginInstallerTest, InstallKeyCarriesTheVersionWithoutSeparator)
{
    const struct {
        const char* version;
        const char* key;
    } cases[] = {{"1.4.2", "SketchPluginInstalled1.4.2"}, {"2.0", "SketchPluginInstalled2.0"}, {"", "SketchPluginInstalled"}};
    for (const auto& c : cases) {
        platform::setShortVersionString(QString::fromLatin1(c.version));
        EXPECT_EQ(GSketchTerminalManager::terminalManager().getSketchPluginInstallKey().toStdString(), c.key);
    }
}

TEST_F(PluginInstallerTest, FirstLaunchCopiesThePluginAndSetsTheFlagOnce)
{
    writeResourcePlugin("v2.0");
    ASSERT_TRUE(QDir().mkpath(pluginsFolder()));
    install("2.0");
    EXPECT_EQ(readFileBytes(installed(QStringLiteral("Contents/Sketch/export.js"))), "v2.0");
    EXPECT_EQ(readFileBytes(installed(QStringLiteral("Contents/Sketch/manifest.json"))), R"({"name":"Zendaq Vusk"})");
    EXPECT_TRUE(flag(QStringLiteral("2.0")));

    // The second launch of the same version leaves whatever is installed alone.
    ASSERT_TRUE(writeFileBytes(installed(QStringLiteral("Contents/Sketch/export.js")), "edited by the user"));
    install("2.0");
    EXPECT_EQ(readFileBytes(installed(QStringLiteral("Contents/Sketch/export.js"))), "edited by the user");
}

TEST_F(PluginInstallerTest, NewVersionReplacesTheOldPluginAndKeepsBothFlags)
{
    writeResourcePlugin("v2.0");
    ASSERT_TRUE(QDir().mkpath(pluginsFolder()));
    install("2.0");
    ASSERT_TRUE(writeFileBytes(installed(QStringLiteral("Contents/Sketch/stale.js")), "left by 2.0"));

    writeResourcePlugin("v2.1");
    install("2.1");
    EXPECT_EQ(readFileBytes(installed(QStringLiteral("Contents/Sketch/export.js"))), "v2.1");
    EXPECT_FALSE(QFileInfo::exists(installed(QStringLiteral("Contents/Sketch/stale.js"))));
    EXPECT_TRUE(flag(QStringLiteral("2.0")));
    EXPECT_TRUE(flag(QStringLiteral("2.1")));
}

TEST_F(PluginInstallerTest, MissingResourceIsLoggedAndInstallsNothing)
{
    ASSERT_TRUE(QDir().mkpath(pluginsFolder()));
    install("2.0");
    EXPECT_TRUE(logged("Sketch plug-in resource is missing: "));
    EXPECT_FALSE(QFileInfo::exists(installed()));
    EXPECT_FALSE(flag(QStringLiteral("2.0")));
    EXPECT_FALSE(platform::UserDefaults::standard().contains(QStringLiteral("SketchPluginInstalled2.0")));
}

TEST_F(PluginInstallerTest, MissingPluginsFolderFailsUntilSketchCreatesIt)
{
    writeResourcePlugin("v2.0");
    install("2.0");
    EXPECT_TRUE(logged("move errro "));
    EXPECT_FALSE(QFileInfo::exists(pluginsFolder())) << "the Plugins folder is Sketch's to create";
    EXPECT_FALSE(flag(QStringLiteral("2.0")));

    ASSERT_TRUE(QDir().mkpath(pluginsFolder()));
    install("2.0");
    EXPECT_EQ(readFileBytes(installed(QStringLiteral("Contents/Sketch/export.js"))), "v2.0");
    EXPECT_TRUE(flag(QStringLiteral("2.0")));
}

TEST_F(PluginInstallerTest, ReplacingALinkedPluginKeepsTheLinkTargetIntact)
{
    // A developer links the plug-in to a working copy; a new version replaces the link only.
    QTemporaryDir workingCopy;
    ASSERT_TRUE(writeFileBytes(workingCopy.path() + QStringLiteral("/Contents/Sketch/export.js"), "work in progress"));
    ASSERT_TRUE(QDir().mkpath(pluginsFolder()));
    ASSERT_TRUE(QFile::link(workingCopy.path(), installed()));
    writeResourcePlugin("v2.0");
    install("2.0");
    EXPECT_EQ(readFileBytes(workingCopy.path() + QStringLiteral("/Contents/Sketch/export.js")), "work in progress");
    EXPECT_FALSE(QFileInfo(installed()).isSymLink());
    EXPECT_EQ(readFileBytes(installed(QStringLiteral("Contents/Sketch/export.js"))), "v2.0");
}

TEST_F(PluginInstallerTest, FailedCopyLeavesNoHalfPlugin)
{
    writeResourcePlugin("v2.0");
    const QString pipe = resources.path() + QLatin1Char('/') + kPluginName + QStringLiteral("/Contents/zz-pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    ASSERT_TRUE(QDir().mkpath(pluginsFolder()));
    install("2.0");
    EXPECT_TRUE(logged("move errro "));
    EXPECT_FALSE(QFileInfo::exists(installed()));
    EXPECT_FALSE(flag(QStringLiteral("2.0")));
}
