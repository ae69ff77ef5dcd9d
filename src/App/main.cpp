#include "App/AppEnvironment.h"
#include "App/ui/AppDelegate.h"
#include "App/ui/MessageBoxDialogPresenter.h"
#include "App/ui/Navigator.h"
#include "Base/ServiceAddress.h"
#include "Base/ServiceEndPoint.h"
#include "platform/DebugLog.h"
#include "platform/Dialogs.h"
#include "platform/HttpSession.h"
#include "platform/MemoryPolicy.h"
#include "platform/ProcessRunner.h"
#include "platform/SingleInstance.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char** argv)
{
    platform::useSystemPagesForLargeBlocks();
    // A wrong service address is told before anything starts, even without a display.
    const QString serviceVariable = qEnvironmentVariable(ServiceAddress::environmentVariable);
    QStringList rawArguments;
    for (int i = 0; i < argc; ++i) rawArguments.append(QString::fromLocal8Bit(argv[i]));
    if (const auto early = ServiceAddress::fromStart(rawArguments, serviceVariable); !early.problem.isEmpty()) {
        std::fprintf(stderr, "quorvex: %s\n", qUtf8Printable(early.problem));
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quorvex"));
    QApplication::setApplicationName(QStringLiteral("Quorvex"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quorvex"));
    QApplication::setApplicationVersion(AppEnvironment::appVersion());

    // Read again now that Qt has taken its own options out of the command line.
    const ServiceAddress::Choice service = ServiceAddress::fromStart(QApplication::arguments(), serviceVariable);
    ServiceEndPoint::setBaseUrl(service.url);
    const QStringList paths = AppDelegate::filePathsFromArguments(service.arguments, QDir::currentPath());

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
