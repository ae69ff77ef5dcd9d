#pragma once

#include "App/NavigatorInterface.h"

#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <string>

class ProjectMainWindowController;
class QWidget;
class WindowController;
struct AllProjectResponse;
struct ArtboardDetailInfoResponse;

// Opens windows and screens for every part of the application. Installed as the core's
// NavigatorInterface at start (install()); tests may install their own navigator instead.
class Navigator final : public NavigatorInterface {
public:
    static Navigator& share();
    // Makes this navigator the one the core reaches through NavigatorInterface::share().
    static void install();

    // The open project window after sign-in, or none.
    QPointer<ProjectMainWindowController> mainWindowController;

    // The first window whose content screen's class name equals `className`.
    static WindowController* findWindow(const QString& className);

    void activateApplication() override;
    void showLoginViewController() override;
    void closeAllWindowsAndBackToLogin() override;
    void showProjectSelectionViewController(QObject* window, std::function<void(bool shown)> completion) override;
    void openExportArtboards(QObject* window, const ProjectDisplayInfo& project) override;
    void bringWindowToFront(QObject* window) override;
    // Shows the reloaded list in the project window, whatever it showed, or in a new one.
    void showProjectsMainController(std::function<void(bool shown)> completion) override;
    // Reloads the project list into `window` without changing what it shows.
    void reloadProjects(ProjectMainWindowController* window, std::function<void(bool shown)> completion);
    void addIndicator(QObject* target) override;
    void removeIndicator() override;

    // Asks for an artboard's detail ("main/detailInfo", with the loading indicator). The completion
    // runs later on the main thread, only with a reply; a failed call is reported by the service
    // client and calls nothing back. No request goes out for an empty artboard id.
    void callMainEditorService(const std::string& projectId, const std::string& artboardId, bool isSample,
                               const std::string& platform,
                               std::function<void(const std::shared_ptr<ArtboardDetailInfoResponse>&)> completion);

    // Shows `response` as the list of the project window, creating the window when there is
    // none; without a response the window shows whatever it showed.
    ProjectMainWindowController* openProjectsMainWindow(const AllProjectResponse* response);

private:
    Navigator() = default;
    // Loads the project list; `show` gets it, then completion(true); a failure answers completion(false).
    void loadProjects(std::function<void(const AllProjectResponse&)> show, std::function<void(bool shown)> completion);
    void showProjectSelection(QPointer<WindowController> window, const AllProjectResponse& response);

    // Guards against a sign-out that is asked for again while its windows are still closing.
    bool m_closingAllWindows = false;
};
