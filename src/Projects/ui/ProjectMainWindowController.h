#pragma once

#include "App/ui/WindowController.h"
#include "Editor/ui/MainEditorWindowDelegate.h"
#include "Projects/AllProjectResponse.h"

#include <QPointer>

#include <map>
#include <memory>
#include <optional>
#include <string>

class MainContentViewController;
class MainEditorViewController;
class MainViewController;
class ProjectsViewController;
class QAction;
class SketchReaderOnline;
struct AndroidGenerationResponse;
struct ArtboardDetailInfoResponse;
struct ProjectContainerModel;

// The project window after sign-in: the project list, a project's screens, and the editor of an
// opened screen beside the side menu. Also the refresh, the way back and the sign-out.
class ProjectMainWindowController : public WindowController, public MainEditorWindowDelegate {
    Q_OBJECT

public:
    explicit ProjectMainWindowController(QWidget* parent = nullptr);
    ~ProjectMainWindowController() override;

    // Keeps `response` as the project list; the list shows it when it is on screen.
    void updateProjects(const AllProjectResponse& response);
    // Shows `response` as the project list, leaving a project's screens or the editor as
    // "All Projects" does.
    void showProjects(const AllProjectResponse& response);
    // The project list as last loaded.
    const AllProjectResponse& projects() const { return m_projects; }
    ProjectsViewController* projectsViewController() const;
    // The root while a project is open, or none while the project list shows.
    MainViewController* mainViewController() const;
    MainContentViewController* contentStack() const;
    // The editor on top of the content stack, or none.
    MainEditorViewController* mainEditor() const;

    // Forgets the session; every window closes and the login window shows.
    void signOut();
    // Loads the project list again into this window, which stays where it is.
    void refresh();

    // Shows the screens of `project`.
    void openProject(const ProjectDisplayInfo& project);
    // Opens the editor for one screen of `project` and asks for its detail; the first reply goes
    // through updateWindow like every later one.
    MainEditorViewController* openScreen(const ProjectDisplayInfo& project, const std::string& artboardId);
    // One step back: from the editor to the screens, from the screens to the project list.
    void goBack();
    // Straight back to the project list.
    void showProjectList();

    // An artboard detail reply: rebuilds the project container, updates the editor and refills
    // the side pages.
    void updateWindow(const std::shared_ptr<ArtboardDetailInfoResponse>& response, bool withoutDesign);
    void updateData(const ArtboardDetailInfoResponse& response);
    void updateWholeWindowUI(std::size_t newIndex, bool withoutDesign);

    QAction* exportButtonItem() const override { return m_exportButtonItem.data(); }
    // The reader of the artboard last opened in this window.
    SketchReaderOnline* sketchReader() const { return m_sketchReader.get(); }
    const std::shared_ptr<ProjectContainerModel>& projectContainer() const { return m_projectContainer; }
    // The Android layout block of the last reply, kept for the export; none when it had none.
    const std::shared_ptr<AndroidGenerationResponse>& androidGenerationResponse() const { return m_androidGeneration; }

    QAction* signOutAction() const { return m_signOutAction; }
    QAction* refreshAction() const { return m_refreshAction; }
    QAction* backAction() const { return m_backAction; }
    QAction* projectsAction() const { return m_projectsAction; }

private:
    MainViewController* ensureMainViewController();
    void updateNavigationState();
    void exportCode();

    AllProjectResponse m_projects;
    std::map<std::string, QString> m_screenNames; // artboard id -> name, learnt from detail replies
    std::unique_ptr<SketchReaderOnline> m_sketchReader;
    std::shared_ptr<ProjectContainerModel> m_projectContainer;
    std::shared_ptr<AndroidGenerationResponse> m_androidGeneration; // kept for the export
    QAction* m_signOutAction = nullptr;  // owned by the window
    QAction* m_refreshAction = nullptr;  // owned by the window
    QAction* m_backAction = nullptr;     // owned by the window
    QAction* m_projectsAction = nullptr; // owned by the window
    QPointer<QAction> m_exportButtonItem; // owned by the window
};
