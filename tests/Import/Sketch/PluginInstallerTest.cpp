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

namespace {

const QString kPluginName = QStringLiteral("zendaqvusk.sketchplugin");
const QString kScript = QStringLiteral("/Contents/Sketch/export.js");

class PluginInstallerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(resources.isValid() && library.isValid());
        savedResources = platform::resourceDirectory();
        savedVersion = platform::shortVersionString();
        platform::setResourceDirectory(resources.path());
        platform::overrideUserLibraryDirectory(library.path());
        platform::setDebugCapture([this](const QString& line) { lines.append(line); });
        for (const char* version : {"2.0", "2.1"}) platform::UserDefaults::standard().removeObject(key(version));
    }
    void TearDown() override
    {
        platform::setDebugCapture(nullptr);
        platform::clearUserLibraryOverride();
        platform::setResourceDirectory(savedResources);
        platform::setShortVersionString(savedVersion);
    }

    // The install key is the fixed text followed by the version, without a separator.
    static QString key(const char* version) { return QStringLiteral("SketchPluginInstalled") + QString::fromLatin1(version); }
    static bool flag(const char* version) { return platform::UserDefaults::standard().boolForKey(key(version)); }
    QString bundle() const { return resources.path() + QLatin1Char('/') + kPluginName; }
    void writeResourcePlugin(const QByteArray& scriptText)
    {
        QDir(bundle()).removeRecursively();
        ASSERT_TRUE(writeFileBytes(bundle() + QStringLiteral("/Contents/Sketch/manifest.json"), R"({"name":"Zendaq Vusk"})"));
        ASSERT_TRUE(writeFileBytes(bundle() + kScript, scriptText));
    }
    QString pluginsFolder() const
    {
        return library.path() + QStringLiteral("/Application Support/com.bohemiancoding.sketch3/Plugins");
    }
    QString installed(const QString& relative = {}) const { return pluginsFolder() + QLatin1Char('/') + kPluginName + relative; }
    QByteArray installedScript() const { return readFileBytes(installed(kScript)); }
    void install(const char* version)
    {
        platform::setShortVersionString(QString::fromLatin1(version));
        GSketchTerminalManager::terminalManager().installSketchPluginIfNeeded();
    }
    bool logged(const QString& prefix) const
    {
        return std::any_of(lines.begin(), lines.end(), [&](const QString& l) { return l.startsWith(prefix); });
    }

    QTemporaryDir resources;
    QTemporaryDir library;
    QString savedResources;
    QString savedVersion;
    QStringList lines;
};

} // namespace

TEST_F(PluginInstallerTest, EachVersionInstallsOnceAndReplacesTheOldPlugin)
{
    writeResourcePlugin("v2.0");
    ASSERT_TRUE(QDir().mkpath(pluginsFolder()));
    install("2.0");
    EXPECT_EQ(installedScript(), "v2.0");
    EXPECT_EQ(readFileBytes(installed(QStringLiteral("/Contents/Sketch/manifest.json"))), R"({"name":"Zendaq Vusk"})");
    EXPECT_TRUE(flag("2.0"));

    // The second launch of the same version leaves whatever is installed alone.
    ASSERT_TRUE(writeFileBytes(installed(kScript), "edited by the user"));
    ASSERT_TRUE(writeFileBytes(installed(QStringLiteral("/stale.js")), "left by 2.0"));
    install("2.0");
    EXPECT_EQ(installedScript(), "edited by the user");

    writeResourcePlugin("v2.1");
    install("2.1");
    EXPECT_EQ(installedScript(), "v2.1");
    EXPECT_FALSE(QFileInfo::exists(installed(QStringLiteral("/stale.js"))));
    EXPECT_TRUE(flag("2.0") && flag("2.1"));
}

TEST_F(PluginInstallerTest, MissingResourceIsLoggedAndInstallsNothing)
{
    ASSERT_TRUE(QDir().mkpath(pluginsFolder()));
    install("2.0");
    EXPECT_TRUE(logged(QStringLiteral("Sketch plug-in resource is missing: ")));
    EXPECT_FALSE(QFileInfo::exists(installed()));
    EXPECT_FALSE(platform::UserDefaults::standard().contains(key("2.0")));
}

TEST_F(PluginInstallerTest, MissingPluginsFolderFailsUntilSketchCreatesIt)
{
    writeResourcePlugin("v2.0");
    install("2.0");
    EXPECT_TRUE(logged(QStringLiteral("move errro ")));
    EXPECT_FALSE(QFileInfo::exists(pluginsFolder())) << "the Plugins folder is Sketch's to create";
    EXPECT_FALSE(flag("2.0"));

    ASSERT_TRUE(QDir().mkpath(pluginsFolder()));
    install("2.0");
    EXPECT_EQ(installedScript(), "v2.0");
    EXPECT_TRUE(flag("2.0"));
}

TEST_F(PluginInstallerTest, ReplacingALinkedPluginKeepsTheLinkTargetIntact)
{
    // A developer links the plug-in to a working copy; a new version replaces the link only.
    QTemporaryDir workingCopy;
    ASSERT_TRUE(writeFileBytes(workingCopy.path() + kScript, "work in progress"));
    ASSERT_TRUE(QDir().mkpath(pluginsFolder()));
    ASSERT_TRUE(QFile::link(workingCopy.path(), installed()));
    writeResourcePlugin("v2.0");
    install("2.0");
    EXPECT_EQ(readFileBytes(workingCopy.path() + kScript), "work in progress");
    EXPECT_FALSE(QFileInfo(installed()).isSymLink());
    EXPECT_EQ(installedScript(), "v2.0");
}

TEST_F(PluginInstallerTest, FailedCopyLeavesNoHalfPlugin)
{
    writeResourcePlugin("v2.0");
    ASSERT_EQ(::mkfifo(QFile::encodeName(bundle() + QStringLiteral("/Contents/zz-pipe")).constData(), 0600), 0);
    ASSERT_TRUE(QDir().mkpath(pluginsFolder()));
    install("2.0");
    EXPECT_TRUE(logged(QStringLiteral("move errro ")));
    EXPECT_FALSE(QFileInfo::exists(installed()));
    EXPECT_FALSE(flag("2.0"));
}
