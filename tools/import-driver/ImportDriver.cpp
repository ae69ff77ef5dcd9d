#include "ImportDriver.h"

#include "EchoingDialogPresenter.h"
#include "PluginChannelClient.h"
#include "XDExportPlacement.h"

#include "Account/LoginRequest.h"
#include "Account/UserProfile.h"
#include "App/ui/AppDelegate.h"
#include "App/ui/Navigator.h"
#include "App/ui/WindowController.h"
#include "Base/ServiceEndPoint.h"
#include "Base/ServiceEndPoints.h"
#include "Base/ServiceManager.h"
#include "Import/Plugin/ExportHelper.h"
#include "Import/Plugin/PluginMessageChannel.h"
#include "Import/Plugin/ui/ExportViewController.h"
#include "Import/Sketch/FileExporter.h"
#include "Projects/ui/ProjectSelectionViewController.h"
#include "platform/DebugLog.h"
#include "platform/Localization.h"
#include "platform/MainQueue.h"
#include "platform/WebSocketServer.h"

#include <QApplication>
#include <QEventLoop>
#include <QList>
#include <QPointer>
#include <QTableWidget>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <sys/resource.h>

#include <memory>
#include <utility>

ImportDriver::ImportDriver(Options options, std::function<void(const QString& line)> print)
    : m_options(std::move(options))
    , m_print(std::move(print))
    , m_dialogs(new EchoingDialogPresenter(m_print))
{
    m_dialogs->setAnswerTitle(platform::localized(m_options.answerContinue ? "common.continue" : "common.cancel"));
}

ImportDriver::~ImportDriver()
{
    if (m_channelStarted) platform::setDebugCapture(nullptr);
    delete m_dialogs;
}

QString ImportDriver::startMessage()
{
    return QStringLiteral(R"({"actionCode":"start","source":"adobeXd","fileName":"export.xdzvusk"})");
}

int ImportDriver::remainingMs() const
{
    const qint64 left = static_cast<qint64>(m_options.timeoutSeconds) * 1000 - m_clock.elapsed();
    return left > 0 ? static_cast<int>(std::min<qint64>(left, 1 << 30)) : 0;
}

int ImportDriver::failWith(const QString& message)
{
    m_print(QStringLiteral("failed ") + EchoingDialogPresenter::oneLine(message));
    return kFailed;
}

int ImportDriver::run()
{
    m_clock.start();
    ServiceEndPoint::setBaseUrl(m_options.service);
    // A tool that never exits must fail its cut well within our own time limit, so the run ends
    // in the failure screen rather than in a time-out.
    FileExporter::setCutTimeLimitMs(std::min(FileExporter::kDefaultCutTimeLimitMs, m_options.timeoutSeconds * 1000 / 2));
    Navigator::install();
    QApplication::setQuitOnLastWindowClosed(false);

    // Before the sign-in: an export that cannot be put in place needs no service.
    if (m_options.xd && !placeXDExport()) return kFailed;
    if (!signIn()) return remainingMs() == 0 ? kTimedOut : kFailed;

    AppDelegate delegate;
    // An unusable hand-off is told in a dialog from inside the hand-off itself.
    const std::size_t alertsBefore = m_dialogs->alertCount();
    m_sinceHandOff.start();
    if (m_options.xd) {
        if (!handOffOverChannel()) return kFailed;
    } else if (!delegate.application(m_options.file)) {
        return failWith(QStringLiteral("the application does not import ") + m_options.file);
    }

    ProjectSelectionViewController* selection = waitForProjectSelection(alertsBefore);
    if (!selection) {
        if (m_dialogs->alertCount() > alertsBefore) return failWith(QStringLiteral("the project selection did not open"));
        if (m_channelDeclined) return failWith(QStringLiteral("the application started no import for the message"));
        m_print(QStringLiteral("timeout waiting for the project selection"));
        return kTimedOut;
    }
    ExportViewController* screen = doubleClickProject(selection);
    if (!screen) return kFailed;
    const int status = followUpload(screen);
    if (m_options.stats) printStats();
    closeAllWindows();
    return status;
}

bool ImportDriver::signIn()
{
    struct State {
        bool done = false;
        std::optional<std::string> error;
    };
    auto state = std::make_shared<State>();
    LoginRequest request;
    request.email = m_options.email.toStdString();
    request.password = m_options.password.toStdString();
    ServiceCallOptions options;
    options.ignoreError = true; // said below, once, instead of a dialog
    auto onError = [state](const ErrorModel& error) {
        state->error = error.errorMsg.empty() ? std::string("no answer") : error.errorMsg;
        state->done = true;
    };
    ServiceManager::shared().callService<LoginResponse>(
        ServiceEndPoints::User::login, request, options,
        [state](const LoginResponse& response) {
            UserProfile::shared().save(response.userInfo, response.accessDto);
            state->done = true;
        },
        onError, onError);
    if (!platform::runMainLoopUntil([state] { return state->done; }, remainingMs())) {
        m_print(QStringLiteral("timeout signing in"));
        return false;
    }
    if (state->error || !UserProfile::shared().isSignedIn()) {
        failWith(QStringLiteral("sign-in: ") + QString::fromStdString(state->error.value_or("no session")));
        return false;
    }
    return true;
}

bool ImportDriver::placeXDExport()
{
    std::optional<QString> folder;
    if (m_options.file.isEmpty()) {
        // Whatever the home holds, or nothing: the application tells the user about a missing folder.
        folder = XDExportPlacement::pluginFolder();
        if (!folder) {
            failWith(QStringLiteral("the platform names no Library folder for the XD plug-in"));
            return false;
        }
    } else {
        QString error;
        folder = XDExportPlacement::place(m_options.file, &error);
        if (!folder) {
            failWith(QStringLiteral("cannot put the XD export in place: ") + error);
            return false;
        }
    }
    m_print(QStringLiteral("plugin-folder ") + *folder);
    return true;
}

bool ImportDriver::handOffOverChannel()
{
    // The channel the application runs once its launch completed, on a port of our choosing so
    // that runs side by side do not meet.
    m_channel = std::make_unique<PluginMessageChannel>(m_options.wsPort);
    platform::setDebugCapture([this](const QString& line) { channelLine(line); });
    m_channelStarted = true;
    m_channel->start();
    const platform::WebSocketServer* server = m_channel->websocketServer();
    if (!server || !server->isListening()) {
        failWith(QStringLiteral("the plug-in channel cannot listen on port ") + QString::number(m_options.wsPort));
        return false;
    }

    m_channelClient = std::make_unique<PluginChannelClient>();
    QString error;
    if (!m_channelClient->connectTo(server->serverPort(), remainingMs(), &error)) {
        failWith(QStringLiteral("cannot connect to the plug-in channel: ") + error);
        return false;
    }
    if (!m_channelClient->send(m_options.message.value_or(startMessage()), &error)) {
        failWith(QStringLiteral("cannot send to the plug-in channel: ") + error);
        return false;
    }
    return true;
}

void ImportDriver::channelLine(const QString& line)
{
    // The channel runs on the main thread; other threads' lines are none of its business.
    if (QThread::currentThread() != thread()) return;
    static const QString started = QStringLiteral("Plugin export didStart: true");
    static const QString received = QStringLiteral("Server websocket did receive message: ");
    const bool aboutExport = line.startsWith(QLatin1String("Plugin export "));
    if (!aboutExport && !line.startsWith(received)) return;
    m_print(QStringLiteral("channel ") + EchoingDialogPresenter::oneLine(line));
    if (aboutExport && line != started) m_channelDeclined = true;
    // The received line comes last of a message's handling: a message that started nothing
    // has said so by then.
    if (line.startsWith(received) && !m_channelAccepted) m_channelDeclined = true;
    if (line == started) m_channelAccepted = true;
}

ProjectSelectionViewController* ImportDriver::waitForProjectSelection(std::size_t alertsBefore)
{
    const QString className = QString::fromLatin1(ProjectSelectionViewController::staticMetaObject.className());
    ProjectSelectionViewController* found = nullptr;
    platform::runMainLoopUntil(
        [&] {
            if (WindowController* window = Navigator::findWindow(className))
                found = qobject_cast<ProjectSelectionViewController*>(window->contentViewController());
            // A dialog before the list means the road ended there (an unreadable export file,
            // a failed list load); the dialog line has said why.
            return found != nullptr || m_dialogs->alertCount() > alertsBefore || m_channelDeclined;
        },
        remainingMs());
    return found;
}

ExportViewController* ImportDriver::doubleClickProject(ProjectSelectionViewController* selection)
{
    const auto& projects = selection->response().projects;
    int row = -1;
    for (std::size_t i = 0; i < projects.size(); ++i) {
        if (projects[i].projectId == m_options.projectId) {
            row = static_cast<int>(i);
            break;
        }
    }
    if (row < 0) {
        failWith(QStringLiteral("no project with the id ") + QString::fromStdString(m_options.projectId) +
                 QStringLiteral(" in the list"));
        return nullptr;
    }

    QTableWidget* table = selection->tableView();
    QCoreApplication::processEvents(); // lets the shown window lay itself out
    QTableWidgetItem* item = table->item(row, 0);
    if (!item) {
        failWith(QStringLiteral("the project's row is empty"));
        return nullptr;
    }
    table->scrollToItem(item);
    const QPoint where = table->visualItemRect(item).center();
    m_sinceUploadStart.start();
    // What a mouse sends for a double click: press, release, double click, release. The view
    // takes a double click only on the row that the first press went to. The last release goes
    // to a view that is already on its way out (the selection has been replaced).
    QPointer<QWidget> viewport = table->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, where);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, where);
    QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, where);
    if (viewport) QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, where);

    auto* window = qobject_cast<WindowController*>(ExportHelper::importer().windowController.data());
    auto* screen = window ? qobject_cast<ExportViewController*>(window->contentViewController()) : nullptr;
    if (!screen) failWith(QStringLiteral("the double click on the project did not open the progress screen"));
    return screen;
}

int ImportDriver::followUpload(ExportViewController* screen)
{
    QEventLoop loop;
    connect(screen, &ExportViewController::progressShown, &loop, [this](const QString& text, double percentage) {
        m_print(QStringLiteral("progress ") + QString::number(percentage, 'f', 2) + QLatin1Char(' ') +
                EchoingDialogPresenter::oneLine(text));
        if (percentage == 100.0 && !m_handOffToHundredMs) {
            m_handOffToHundredMs = m_sinceHandOff.elapsed();
            m_uploadToHundredMs = m_sinceUploadStart.elapsed();
        }
    });
    connect(screen, &ExportViewController::uploadFinished, &loop, [this, &loop] {
        m_ending = Ending::finished;
        loop.quit();
    });
    connect(screen, &ExportViewController::uploadFailed, &loop, [this, &loop](const QString& shownText) {
        m_print(QStringLiteral("failed ") + EchoingDialogPresenter::oneLine(shownText));
        m_ending = Ending::failed;
        loop.quit();
    });
    connect(screen, &ExportViewController::uploadCancelled, &loop, [this, &loop] {
        m_print(QStringLiteral("cancelled"));
        m_ending = Ending::cancelled;
        loop.quit();
    });
    // The screen was deleted before its run ended.
    connect(screen, &QObject::destroyed, &loop, &QEventLoop::quit);
    QTimer deadline;
    deadline.setSingleShot(true);
    connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    deadline.start(remainingMs());
    loop.exec();

    switch (m_ending) {
    case Ending::finished: {
        // What the finished screen left for a later turn (a warning about the design document)
        // comes before this.
        auto flushed = std::make_shared<bool>(false);
        platform::dispatchMain([flushed] { *flushed = true; });
        platform::runMainLoopUntil([flushed] { return *flushed; }, 10000);
        m_print(QStringLiteral("finished"));
        return kFinished;
    }
    case Ending::failed:
    case Ending::cancelled:
        return kFailed;
    case Ending::none:
        break;
    }
    if (!deadline.isActive()) {
        m_print(QStringLiteral("timeout after %1 seconds").arg(m_options.timeoutSeconds));
        return kTimedOut;
    }
    return failWith(QStringLiteral("the progress screen was closed before the upload ended"));
}

void ImportDriver::printStats()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const std::optional<qint64>& value) {
        return value ? QString::number(*value) : QStringLiteral("-");
    };
    // The driver's own processor time, without the tool runs and the service: what this
    // process spent on the document.
    const qint64 cpuMs = (static_cast<qint64>(usage.ru_utime.tv_sec) + usage.ru_stime.tv_sec) * 1000 +
                         (static_cast<qint64>(usage.ru_utime.tv_usec) + usage.ru_stime.tv_usec) / 1000;
    m_print(QStringLiteral("stats handoff-to-100-ms %1 upload-to-100-ms %2 cpu-ms %3 peak-rss-kb %4")
                .arg(ms(m_handOffToHundredMs), ms(m_uploadToHundredMs), QString::number(cpuMs),
                     QString::number(usage.ru_maxrss)));
}

void ImportDriver::closeAllWindows()
{
    const auto widgets = QApplication::topLevelWidgets();
    for (QWidget* w : widgets) w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // Windows that stay alive when closed (no delete-on-close) would outlive the application.
    QList<QPointer<QWidget>> remaining;
    for (QWidget* w : QApplication::topLevelWidgets()) remaining.append(w);
    for (const QPointer<QWidget>& w : remaining) delete w.data(); // deleting one may take others with it
}
