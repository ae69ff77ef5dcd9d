#include "App/ui/Navigator.h"

#include "Account/ui/LoginViewController.h"
#include "Account/ui/LoginWindowController.h"
#include "App/ui/IndicatorManager.h"
#include "App/ui/WidgetServiceActivity.h"
#include "App/ui/WindowController.h"
#include "Base/ServiceEndPoints.h"
#include "Base/ServiceManager.h"
#include "Editor/ArtboardDetailInfoResponse.h"
#include "Editor/GetArtboardInfoRequest.h"
#include "Import/Plugin/ExportHelper.h"
#include "Import/Plugin/ui/ExportViewController.h"
#include "Projects/AllProjectResponse.h"
#include "Projects/ui/ProjectMainWindowController.h"
#include "Projects/ui/ProjectSelectionViewController.h"
#include "Projects/ui/ProjectWindowController.h"
#include "Projects/ui/ProjectsViewController.h"
#include "platform/DebugLog.h"
#include "platform/Localization.h"

#include <QApplication>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <memory>

namespace {

QList<QPointer<QWidget>> openWindows()
{
    QList<QPointer<QWidget>> windows;
    const auto widgets = QApplication::topLevelWidgets();
    for (QWidget* w : widgets) {
        if (w->isWindow() && w->isVisible()) windows.append(w);
    }
    return windows;
}

ServiceCallOptions listOptions()
{
    ServiceCallOptions options;
    options.showIndicatorView = true;
    return options;
}

} // namespace

Navigator& Navigator::share()
{
    static Navigator navigator;
    return navigator;
}

void Navigator::install()
{
    NavigatorInterface::install(&share());
    ServiceActivityPresenter::install(&WidgetServiceActivity::shared());
}

WindowController* Navigator::findWindow(const QString& className)
{
    const auto widgets = QApplication::topLevelWidgets();
    for (QWidget* w : widgets) {
        auto* window = qobject_cast<WindowController*>(w);
        // A closed window waits hidden for its deletion; it no longer counts.
        if (window && !window->isHidden() && window->contentClassName() == className) return window;
    }
    return nullptr;
}

void Navigator::activateApplication()
{
    QWidget* window = QApplication::activeWindow();
    if (!window) {
        const auto windows = openWindows();
        if (!windows.isEmpty()) window = windows.constLast();
    }
    if (!window) return;
    window->raise();
    window->activateWindow();
}

void Navigator::showLoginViewController()
{
    if (WindowController* existing = findWindow(QString::fromLatin1(LoginViewController::staticMetaObject.className()))) {
        existing->bringToFront();
        return;
    }
    auto* window = new LoginWindowController;
    window->bringToFront();
}

void Navigator::closeAllWindowsAndBackToLogin()
{
    if (m_closingAllWindows) return;
    m_closingAllWindows = true;
    IndicatorManager::shared().removeIndicator();

    const QString loginClass = QString::fromLatin1(LoginViewController::staticMetaObject.className());
    QPointer<WindowController> login = findWindow(loginClass);
    for (const QPointer<QWidget>& window : openWindows()) {
        if (!window || window == login) continue;
        // close() may run a nested event loop's end (a modal box) and delete the window.
        window->close();
    }
    m_closingAllWindows = false;
    showLoginViewController();
}

void Navigator::loadProjects(std::function<void(const AllProjectResponse&)> show, std::function<void(bool shown)> completion)
{
    auto done = std::make_shared<std::function<void(bool)>>(std::move(completion));
    auto fail = [done](const ErrorModel&) {
        if (*done) (*done)(false);
    };
    ServiceManager::shared().callService<AllProjectResponse>(
        ServiceEndPoints::Project::getAll, AllProjectRequest{}, listOptions(),
        [show = std::move(show), done](const AllProjectResponse& response) {
            show(response);
            if (*done) (*done)(true);
        },
        fail, fail);
}

void Navigator::showProjectSelectionViewController(QObject* window, std::function<void(bool shown)> completion)
{
    QPointer<WindowController> target = qobject_cast<WindowController*>(window);
    loadProjects([this, target](const AllProjectResponse& response) { showProjectSelection(target, response); },
                 std::move(completion));
}

void Navigator::showProjectSelection(QPointer<WindowController> window, const AllProjectResponse& response)
{
    ExportHelper::importer().shouldUploadSketch = response.shouldUploadSketch;
    auto* selection = ProjectSelectionViewController::instantiate(response);
    // A window closed while the list loaded waits hidden for its deletion: open a new one.
    if (window && !window->isHidden()) {
        window->bringToFront();
        window->setContentViewController(selection);
        return;
    }
    auto* projectWindow = new ProjectWindowController;
    projectWindow->setContentViewController(selection);
    projectWindow->bringToFront();
    ExportHelper::importer().windowController = projectWindow;
}

void Navigator::openExportArtboards(QObject* window, const ProjectDisplayInfo& project)
{
    auto* target = qobject_cast<WindowController*>(window);
    if (!target) return;
    auto* screen = ExportViewController::instantiate();
    screen->project = project;
    target->setContentViewController(screen);
    target->setWindowTitle(platform::localized("exportViewController.title"));
    target->bringToFront();
}

void Navigator::bringWindowToFront(QObject* window)
{
    if (auto* target = qobject_cast<WindowController*>(window)) target->bringToFront();
}

void Navigator::showProjectsMainController(std::function<void(bool shown)> completion)
{
    loadProjects([this](const AllProjectResponse& response) { openProjectsMainWindow(&response); }, std::move(completion));
}

ProjectMainWindowController* Navigator::openProjectsMainWindow(const AllProjectResponse* response)
{
    ProjectMainWindowController* window = mainWindowController.data();
    if (window && window->isHidden()) window = nullptr; // closed, waiting for its deletion
    if (!window) {
        window = qobject_cast<ProjectMainWindowController*>(
            findWindow(QString::fromLatin1(ProjectsViewController::staticMetaObject.className())));
    }
    if (!window) window = new ProjectMainWindowController;
    mainWindowController = window;
    if (response) window->showProjects(*response);
    window->bringToFront();
    return window;
}

void Navigator::reloadProjects(ProjectMainWindowController* window, std::function<void(bool shown)> completion)
{
    QPointer<ProjectMainWindowController> target = window;
    loadProjects(
        [target](const AllProjectResponse& response) {
            if (target) target->updateProjects(response);
        },
        std::move(completion));
}

void Navigator::addIndicator(QObject* target)
{
    IndicatorManager::shared().addIndicator(qobject_cast<QWidget*>(target));
}

void Navigator::removeIndicator()
{
    IndicatorManager::shared().removeIndicator();
}

void Navigator::callMainEditorService(const std::string& projectId, const std::string& artboardId, bool isSample,
                                      const std::string& projectPlatform,
                                      std::function<void(const std::shared_ptr<ArtboardDetailInfoResponse>&)> completion)
{
    if (artboardId.empty()) {
        platform::debugPrint("Navigator.callMainEditorService: no artboard id; no request sent");
        return;
    }
    GetArtboardInfoRequest request;
    request.projectId = projectId;
    request.artboardId = artboardId;
    request.isSample = isSample;
    request.platform = projectPlatform;
    ServiceCallOptions options;
    options.showIndicatorView = true;
    ServiceManager::shared().callService<ArtboardDetailInfoResponse>(
        ServiceEndPoints::Main::detailedInfo, request, options,
        [completion = std::move(completion)](ArtboardDetailInfoResponse reply) {
            if (completion) completion(std::make_shared<ArtboardDetailInfoResponse>(std::move(reply)));
        });
}
