#include "EditorDriver.h"

#include "Account/LoginRequest.h"
#include "Account/UserProfile.h"
#include "App/ui/MainContentViewController.h"
#include "Base/ServiceEndPoint.h"
#include "Base/ServiceEndPoints.h"
#include "Base/ServiceManager.h"
#include "Editor/Canvas/HighlightContainerView.h"
#include "Editor/Canvas/ui/CanvasDocumentWidget.h"
#include "Editor/Canvas/ui/MainEditorDesignViewController.h"
#include "Editor/ui/MainEditorViewController.h"
#include "Projects/AllProjectResponse.h"
#include "Projects/ui/MainViewController.h"
#include "Projects/ui/ProjectMainWindowController.h"
#include "Projects/ui/ProjectScreensViewController.h"
#include "platform/MainQueue.h"

#include <QApplication>
#include <QDateTime>
#include <QMenu>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {
std::optional<QPointF> parsePoint(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 2) return std::nullopt;
    bool okX = false;
    bool okY = false;
    const double x = parts[0].toDouble(&okX);
    const double y = parts[1].toDouble(&okY);
    if (!okX || !okY || !std::isfinite(x) || !std::isfinite(y)) return std::nullopt;
    return QPointF(x, y);
}

QString number(double value)
{
    return QString::number(value, 'g', 12);
}

void sendMouse(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers = {})
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, buttons, modifiers);
    QApplication::sendEvent(widget, &event);
}
} // namespace

std::optional<EditorDriver::Options> EditorDriver::parse(const QStringList& arguments, QString* problem)
{
    Options options;
    const auto value = [&](int& i) -> std::optional<QString> {
        if (i + 1 >= arguments.size()) return std::nullopt;
        return arguments[++i];
    };
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument.startsWith(QLatin1String("--"))) {
            const auto text = value(i);
            if (!text) {
                *problem = argument + QStringLiteral(" needs a value");
                return std::nullopt;
            }
            if (argument == QLatin1String("--service")) {
                options.service = *text;
            } else if (argument == QLatin1String("--email")) {
                options.email = *text;
            } else if (argument == QLatin1String("--password")) {
                options.password = *text;
            } else if (argument == QLatin1String("--project")) {
                options.projectId = text->toStdString();
            } else if (argument == QLatin1String("--artboard")) {
                options.artboardId = text->toStdString();
            } else if (argument == QLatin1String("--zoom")) {
                bool ok = false;
                options.zoom = text->toDouble(&ok);
                if (!ok || !std::isfinite(options.zoom) || options.zoom < MainEditorDesignViewController::kMinMagnification
                    || options.zoom > MainEditorDesignViewController::kMaxMagnification) {
                    *problem = QStringLiteral("--zoom takes a number from 0.5 to 4");
                    return std::nullopt;
                }
            } else if (argument == QLatin1String("--pause")) {
                bool ok = false;
                options.pauseSeconds = text->toInt(&ok);
                if (!ok || options.pauseSeconds < 0) {
                    *problem = QStringLiteral("--pause takes a number of seconds");
                    return std::nullopt;
                }
            } else if (argument == QLatin1String("--timeout")) {
                bool ok = false;
                options.timeoutSeconds = text->toInt(&ok);
                if (!ok || options.timeoutSeconds <= 0) {
                    *problem = QStringLiteral("--timeout takes a positive number of seconds");
                    return std::nullopt;
                }
            } else {
                *problem = QStringLiteral("unknown option ") + argument;
                return std::nullopt;
            }
            continue;
        }
        // An action and its point(s).
        Action action;
        if (auto sidePage = SidePageActions::parse(argument, [&] { return value(i); }, problem)) {
            action.sidePage = std::move(sidePage);
            options.actions.push_back(action);
            continue;
        }
        if (!problem->isEmpty()) return std::nullopt;
        if (argument == QLatin1String("click")) {
            action.kind = Action::Kind::click;
        } else if (argument == QLatin1String("cmd-click")) {
            action.kind = Action::Kind::commandClick;
        } else if (argument == QLatin1String("band")) {
            action.kind = Action::Kind::band;
        } else if (argument == QLatin1String("right-click")) {
            action.kind = Action::Kind::rightClick;
        } else if (argument == QLatin1String("hover")) {
            action.kind = Action::Kind::hover;
        } else {
            *problem = QStringLiteral("unknown action ") + argument;
            return std::nullopt;
        }
        const auto text = value(i);
        if (!text) {
            *problem = argument + QStringLiteral(" needs a point");
            return std::nullopt;
        }
        if (action.kind == Action::Kind::band) {
            const QStringList parts = text->split(QLatin1Char(','));
            const auto from = parts.size() == 4 ? parsePoint(parts[0] + QLatin1Char(',') + parts[1]) : std::nullopt;
            const auto to = parts.size() == 4 ? parsePoint(parts[2] + QLatin1Char(',') + parts[3]) : std::nullopt;
            if (!from || !to) {
                *problem = QStringLiteral("band takes X1,Y1,X2,Y2");
                return std::nullopt;
            }
            action.from = *from;
            action.to = *to;
        } else {
            const auto at = parsePoint(*text);
            if (!at) {
                *problem = argument + QStringLiteral(" takes X,Y");
                return std::nullopt;
            }
            action.from = *at;
        }
        options.actions.push_back(action);
    }
    if (options.service.isEmpty() || options.email.isEmpty() || options.password.isEmpty()
        || options.projectId.empty() || options.artboardId.empty()) {
        *problem = QStringLiteral("--service, --email, --password, --project and --artboard are required");
        return std::nullopt;
    }
    const QUrl service(options.service, QUrl::StrictMode);
    if (!service.isValid() || (service.scheme() != QLatin1String("http") && service.scheme() != QLatin1String("https"))) {
        *problem = QStringLiteral("--service takes an http or https URL");
        return std::nullopt;
    }
    return options;
}

EditorDriver::EditorDriver(Options options, std::function<void(const QString&)> print,
                           std::function<void(const QString&)> printDialog)
    : m_options(std::move(options))
    , m_print(std::move(print))
    , m_dialogs(std::move(printDialog))
{
}

EditorDriver::~EditorDriver()
{
    if (!m_window) return;
    // Hidden first, while the window is whole: the editor tells its window on hiding.
    m_window->hide();
    QApplication::processEvents();
    delete m_window;
}

int EditorDriver::remainingMs() const
{
    return static_cast<int>(std::max<qint64>(0, m_deadline - QDateTime::currentMSecsSinceEpoch()));
}

bool EditorDriver::endedBySignOut()
{
    if (!m_signOut.signedOut()) return false;
    m_why = QStringLiteral("the application signed out (the service ended the session)");
    return true;
}

bool EditorDriver::waitFor(const std::function<bool()>& done)
{
    const auto& shownDialogs = m_dialogs.record().shown();
    const std::size_t dialogsBefore = shownDialogs.size();
    const auto alert = [&shownDialogs, dialogsBefore]() -> const platform::ScriptedDialogPresenter::ShownDialog* {
        for (std::size_t i = dialogsBefore; i < shownDialogs.size(); ++i)
            if (shownDialogs[i].kind == platform::ScriptedDialogPresenter::Kind::Alert) return &shownDialogs[i];
        return nullptr;
    };
    // A reply that signs out calls nothing back: without this the wait would last to the limit.
    const bool arrived =
        platform::runMainLoopUntil([&] { return done() || alert() || m_signOut.signedOut(); }, remainingMs());
    if (endedBySignOut()) return false;
    if (const auto* shown = alert()) {
        m_why = shown->informativeText.isEmpty() ? shown->text : shown->text + QStringLiteral(" (") + shown->informativeText + QLatin1Char(')');
        return false;
    }
    if (arrived) return true;
    m_timedOut = true;
    m_why = QStringLiteral("no reply within the time limit");
    return false;
}

int EditorDriver::fail(const QString& what)
{
    m_print(QStringLiteral("failed ") + what + (m_why.isEmpty() ? QString() : QStringLiteral(": ") + m_why));
    return kFailed;
}

int EditorDriver::run()
{
    m_deadline = QDateTime::currentMSecsSinceEpoch() + qint64(m_options.timeoutSeconds) * 1000;
    ServiceEndPoint::setBaseUrl(QUrl(m_options.service));
    if (!signIn()) return fail(QStringLiteral("sign-in"));
    if (const auto failed = openScreen()) return fail(*failed);
    m_canvas->setMagnification(m_options.zoom);
    QObject::connect(m_canvas, &MainEditorDesignViewController::menuOpened, m_canvas, [this](QMenu* menu) {
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator() && !action->text().isEmpty()) m_menuTitles.append(action->text());
        }
    });
    for (const Action& action : m_options.actions) {
        // A reply that came in after the last wait may have signed the application out.
        if (endedBySignOut()) return fail(QStringLiteral("the next action"));
        if (remainingMs() == 0) {
            m_timedOut = true;
            m_why = QStringLiteral("no time left within the time limit");
            return fail(QStringLiteral("the next action"));
        }
        // Each action prints only the menu it opened itself.
        m_menuTitles.clear();
        if (action.sidePage) {
            const auto wait = [this](const std::function<bool()>& done) { return waitFor(done); };
            SidePageActions pages(m_print, wait, m_replies);
            if (const auto failed = pages.perform(m_window->mainEditor(), *action.sidePage)) return fail(*failed);
            // a row selection is shown on the canvas: print it as a canvas action does
            if (action.sidePage->kind == SidePageActions::Kind::rows) printCanvas();
        } else {
            perform(action);
            printCanvas();
        }
        if (m_options.pauseSeconds > 0) {
            const qint64 until = QDateTime::currentMSecsSinceEpoch() + qint64(m_options.pauseSeconds) * 1000;
            platform::runMainLoopUntil(
                [this, until] { return m_signOut.signedOut() || QDateTime::currentMSecsSinceEpoch() >= until; },
                m_options.pauseSeconds * 1000 + 1000);
        }
    }
    if (endedBySignOut()) return fail(QStringLiteral("the last action"));
    m_print(QStringLiteral("finished"));
    return kSucceeded;
}

bool EditorDriver::signIn()
{
    auto done = std::make_shared<bool>(false);
    auto failed = std::make_shared<bool>(false);
    LoginRequest request;
    request.email = m_options.email.toStdString();
    request.password = m_options.password.toStdString();
    ServiceCallOptions options;
    options.ignoreError = true;
    auto why = std::make_shared<QString>();
    auto onError = [done, failed, why](const ErrorModel& error) {
        *why = QString::fromStdString(error.errorMsg);
        *failed = true;
        *done = true;
    };
    ServiceManager::shared().callService<LoginResponse>(
        ServiceEndPoints::User::login, request, options,
        [done](const LoginResponse& response) {
            UserProfile::shared().save(response.userInfo, response.accessDto);
            *done = true;
        },
        onError, onError);
    if (!waitFor([done] { return *done; })) return false;
    if (*failed) m_why = *why;
    return !*failed && UserProfile::shared().isSignedIn();
}

std::optional<QString> EditorDriver::openScreen()
{
    // The project as the project list gives it, then its screens, then the double click.
    auto projects = std::make_shared<std::optional<AllProjectResponse>>();
    auto done = std::make_shared<bool>(false);
    auto why = std::make_shared<QString>();
    ServiceCallOptions options;
    options.ignoreError = true;
    auto onError = [done, why](const ErrorModel& error) {
        *why = QString::fromStdString(error.errorMsg);
        *done = true;
    };
    ServiceManager::shared().callService<AllProjectResponse>(
        ServiceEndPoints::Project::getAll, AllProjectRequest{}, options,
        [projects, done](const AllProjectResponse& response) {
            *projects = response;
            *done = true;
        },
        onError, onError);
    const QString projectList = QStringLiteral("the project list (project/getAll)");
    if (!waitFor([done] { return *done; })) return projectList;
    if (!*projects) {
        m_why = *why;
        return projectList;
    }
    const auto& list = (*projects)->projects;
    const auto project = std::find_if(list.begin(), list.end(),
                                      [this](const ProjectDisplayInfo& p) { return p.projectId == m_options.projectId; });
    if (project == list.end()) {
        m_why = QStringLiteral("no project ") + QString::fromStdString(m_options.projectId);
        return QStringLiteral("opening the screen");
    }
    const auto artboard = std::find(project->artboardIds.begin(), project->artboardIds.end(), m_options.artboardId);
    if (artboard == project->artboardIds.end()) {
        m_why = QStringLiteral("no screen ") + QString::fromStdString(m_options.artboardId);
        return QStringLiteral("opening the screen");
    }

    m_window = new ProjectMainWindowController;
    m_window->updateProjects(**projects);
    m_window->resize(1400, 900);
    m_window->show();
    m_window->openProject(*project);
    MainViewController* root = m_window->mainViewController();
    auto* screens = root ? qobject_cast<ProjectScreensViewController*>(root->contentStack()->currentViewController()) : nullptr;
    if (!screens) return QStringLiteral("opening the screen");
    screens->openScreenAt(static_cast<int>(artboard - project->artboardIds.begin()));
    MainEditorViewController* editor = m_window->mainEditor();
    m_canvas = editor ? editor->getDesignViewController() : nullptr;
    if (!m_canvas) return QStringLiteral("opening the screen");

    // The detail comes first; the canvas asks for the preview's link once it has it, then for
    // the bytes behind the link.
    auto preview = std::make_shared<std::optional<bool>>();
    QObject::connect(m_canvas, &MainEditorDesignViewController::previewUpdated, m_canvas,
                     [preview](bool shown) { *preview = shown; });
    if (!waitFor([editor] { return editor->response != nullptr; }))
        return QStringLiteral("the screen's detail (main/detailInfo)");
    if (!waitFor([preview] { return preview->has_value(); }))
        return QStringLiteral("the preview's link (resource/downloadArtboardPreview)");
    if (!**preview) {
        m_why = QStringLiteral("none could be shown");
        return QStringLiteral("the preview");
    }
    return std::nullopt;
}

void EditorDriver::perform(const Action& action)
{
    QWidget* document = m_canvas->documentView();
    switch (action.kind) {
    case Action::Kind::click:
        sendMouse(document, QEvent::MouseButtonPress, action.from, Qt::LeftButton, Qt::LeftButton);
        sendMouse(document, QEvent::MouseButtonRelease, action.from, Qt::LeftButton, Qt::NoButton);
        break;
    case Action::Kind::commandClick:
        sendMouse(document, QEvent::MouseButtonPress, action.from, Qt::LeftButton, Qt::LeftButton, Qt::ControlModifier);
        sendMouse(document, QEvent::MouseButtonRelease, action.from, Qt::LeftButton, Qt::NoButton, Qt::ControlModifier);
        break;
    case Action::Kind::rightClick:
        sendMouse(document, QEvent::MouseButtonPress, action.from, Qt::RightButton, Qt::RightButton);
        sendMouse(document, QEvent::MouseButtonRelease, action.from, Qt::RightButton, Qt::NoButton);
        break;
    case Action::Kind::hover:
        sendMouse(document, QEvent::MouseMove, action.from, Qt::NoButton, Qt::NoButton);
        break;
    case Action::Kind::band: {
        sendMouse(document, QEvent::MouseButtonPress, action.from, Qt::LeftButton, Qt::LeftButton);
        // Moves every few pixels along the segment; the last one lands on the end point.
        const QPointF delta = action.to - action.from;
        const int steps = std::max(1, static_cast<int>(std::ceil(std::hypot(delta.x(), delta.y()) / 8.0)));
        for (int step = 1; step <= steps; ++step) {
            const QPointF at = action.from + delta * (double(step) / steps);
            sendMouse(document, QEvent::MouseMove, step == steps ? action.to : at, Qt::NoButton, Qt::LeftButton);
        }
        sendMouse(document, QEvent::MouseButtonRelease, action.to, Qt::LeftButton, Qt::NoButton);
        break;
    }
    }
    QApplication::processEvents();
}

void EditorDriver::printCanvas()
{
    const HighlightContainerView& overlay = *m_canvas->highlightContainerView();
    QString selection = QStringLiteral("selection");
    for (const auto& entry : overlay.scannedViews) selection += QLatin1Char(' ') + QString::fromStdString(entry.first);
    m_print(selection);
    for (const auto& entry : overlay.scannedViews) {
        const auto& outline = entry.second.scannedView;
        if (!outline || !outline->superview()) continue;
        const QRectF& f = outline->frame;
        m_print(QStringLiteral("outline ") + QString::fromStdString(entry.first) + QLatin1Char(' ') + number(f.x())
                + QLatin1Char(' ') + number(f.y()) + QLatin1Char(' ') + number(f.width()) + QLatin1Char(' ')
                + number(f.height()));
    }
    if (overlay.pointerViews.size() == 8) {
        // The first handle sits on the top left corner, the last on the bottom right one.
        const double half = HighlightContainerView::kHandleSize / 2.0;
        const QPointF topLeft = overlay.pointerViews.front()->frame.topLeft() + QPointF(half, half);
        const QPointF bottomRight = overlay.pointerViews.back()->frame.topLeft() + QPointF(half, half);
        m_print(QStringLiteral("border ") + number(topLeft.x()) + QLatin1Char(' ') + number(topLeft.y()) + QLatin1Char(' ')
                + number(bottomRight.x() - topLeft.x()) + QLatin1Char(' ') + number(bottomRight.y() - topLeft.y()));
    }
    for (const QString& title : m_menuTitles) m_print(QStringLiteral("menu ") + title);
    if (QMenu* menu = m_canvas->canvasMenu()) menu->close();
}
