#include "App/AppEnvironment.h"
#include "App/ui/AppDelegate.h"
#include "App/ui/MessageBoxDialogPresenter.h"
#include "App/ui/Navigator.h"
#include "platform/DebugLog.h"
#include "platform/Dialogs.h"
#include "platform/HttpSession.h"
#include "platform/MemoryPolicy.h"
#include "platform/ProcessRunner.h"
#include "platform/SingleInstance.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv)
{
    platform::useSystemPagesForLargeBlocks();
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quorvex"));
    QApplication::setApplicationName(QStringLiteral("Quorvex"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quorvex"));
    QApplication::setApplicationVersion(AppEnvironment::appVersion());

    const QStringList paths = AppDelegate::filePathsFromArguments(QApplication::arguments(), QDir::currentPath());

    // One instance per user: a later start hands its files (or, without files, a reopen) to the
    // running one and quits.
    platform::SingleInstance instance(platform::SingleInstance::defaultServerName());
    if (!instance.tryBecomePrimary()) {
        if (instance.sendToPrimary(paths)) return 0;
        // The running instance did not take the hand-off; it may just have quit.
        if (!instance.tryBecomePrimary()) {
            platform::debugPrint(QStringLiteral("Quorvex is already running but did not answer"));
            return 1;
        }
    }

    MessageBoxDialogPresenter dialogs;
    platform::Dialogs::setPresenter(&dialogs);
    Navigator::install();
    QApplication::setQuitOnLastWindowClosed(false);

    AppDelegate delegate;
    delegate.listenForHandOffs(instance);
    delegate.applicationWillFinishLaunching();
    delegate.applicationDidFinishLaunching();
    for (const QString& path : paths) delegate.application(path);

    const int status = QApplication::exec();
    platform::ProcessRunner::shared().terminateAll();
    platform::HttpSession::shared().shutdown();
    platform::Dialogs::setPresenter(nullptr);
    return status;
}
