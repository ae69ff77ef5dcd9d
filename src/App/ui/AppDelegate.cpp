#include "App/ui/AppDelegate.h"

#include "Account/UserProfile.h"
#include "App/EventLogger.h"
#include "App/ui/Navigator.h"
#include "Import/Plugin/ExportHelper.h"
#include "Import/Plugin/PluginMessageChannel.h"
#include "Import/Sketch/GSketchTerminalManager.h"
#include "platform/DebugLog.h"
#include "platform/SingleInstance.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QWidget>

AppDelegate::AppDelegate(QObject* parent)
    : QObject(parent)
{
}

void AppDelegate::applicationWillFinishLaunching()
{
    checkSession();
}

void AppDelegate::applicationDidFinishLaunching()
{
    EventLogger::instance().configure();
    GSketchTerminalManager::terminalManager().installSketchPluginIfNeeded();
    if (!m_pluginMessageChannel) {
        m_pluginMessageChannel = new PluginMessageChannel(PluginMessageChannel::kDefaultPort, this);
        m_pluginMessageChannel->start();
    }
}

void AppDelegate::applicationShouldHandleReopen(bool hasVisibleWindows)
{
    if (!hasVisibleWindows) {
        checkSession();
        return;
    }
    Navigator::share().activateApplication();
}

bool AppDelegate::application(const QString& openFile)
{
    ExportHelper& helper = ExportHelper::importer();
    if (!helper.canStartImport(openFile)) {
        platform::debugPrint(QStringLiteral("Refused to open ") + openFile);
        return false;
    }
    helper.checkLoginAndStart(openFile);
    return true;
}

void AppDelegate::checkSession()
{
    if (!UserProfile::isLoggedInBefore()) {
        Navigator::share().showLoginViewController();
        return;
    }
    UserProfile::shared().load();
    UserProfile::shared().checkIsAlive([](bool alive) {
        Navigator& navigator = Navigator::share();
        if (!alive) {
            navigator.showLoginViewController();
            return;
        }
        navigator.showProjectsMainController([](bool shown) {
            // The session is good but the list did not load (no network, a service failure):
            // the project window still opens, empty, with its refresh.
            if (!shown && UserProfile::shared().isSignedIn()) Navigator::share().openProjectsMainWindow(nullptr);
        });
    });
}

void AppDelegate::listenForHandOffs(platform::SingleInstance& instance)
{
    connect(&instance, &platform::SingleInstance::pathsReceived, this, &AppDelegate::handOffReceived);
    connect(&instance, &platform::SingleInstance::reopenRequested, this,
            [this] { applicationShouldHandleReopen(hasVisibleWindows()); });
}

void AppDelegate::handOffReceived(const QStringList& paths)
{
    if (paths.isEmpty()) {
        applicationShouldHandleReopen(hasVisibleWindows());
        return;
    }
    for (const QString& path : paths) application(path);
}

bool AppDelegate::hasVisibleWindows()
{
    const auto widgets = QApplication::topLevelWidgets();
    for (const QWidget* w : widgets) {
        if (w->isWindow() && w->isVisible() && !w->isMinimized()) return true;
    }
    return false;
}

QStringList AppDelegate::filePathsFromArguments(const QStringList& arguments, const QString& workingDirectory)
{
    QStringList paths;
    const QDir base(workingDirectory);
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument.isEmpty()) continue;
        // Desktop launchers may hand over file URLs instead of paths.
        const QUrl url(argument);
        if (url.isLocalFile()) {
            paths.append(QDir::cleanPath(url.toLocalFile()));
            continue;
        }
        paths.append(QDir::cleanPath(base.absoluteFilePath(argument)));
    }
    return paths;
}
