#pragma once

#include "App/NavigatorInterface.h"

#include <QPointer>
#include <QString>

#include <functional>

class ProjectMainWindowController;
class QWidget;
class WindowController;
struct AllProjectResponse;

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
    void showProjectsMainController(std::function<void(bool shown)> completion) override;
    void addIndicator(QObject* target) override;
    void removeIndicator() override;

    // Shows `response` in the project window, creating the window when there is none.
    ProjectMainWindowController* openProjectsMainWindow(const AllProjectResponse* response);

private:
    Navigator() = default;
    // Loads the project list; `show` gets it, then completion(true); a failure answers completion(false).
    void loadProjects(std::function<void(const AllProjectResponse&)> show, std::function<void(bool shown)> completion);
    void showProjectSelection(QPointer<WindowController> window, const AllProjectResponse& response);

    // Guards against a sign-out that is asked for again while its windows are still closing.
    bool m_closingAllWindows = false;
};
