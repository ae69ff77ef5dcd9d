#pragma once

#include "App/ui/WindowController.h"
#include "Projects/AllProjectResponse.h"

class ProjectsViewController;
class QAction;

// The project window after sign-in: the project list, a refresh and the sign-out.
class ProjectMainWindowController : public WindowController {
    Q_OBJECT

public:
    explicit ProjectMainWindowController(QWidget* parent = nullptr);

    void updateProjects(const AllProjectResponse& response);
    ProjectsViewController* projectsViewController() const;

    // Forgets the session; every window closes and the login window shows.
    void signOut();
    // Loads the project list again into this window.
    void refresh();

    QAction* signOutAction() const { return m_signOutAction; }
    QAction* refreshAction() const { return m_refreshAction; }

private:
    QAction* m_signOutAction = nullptr; // owned by the window
    QAction* m_refreshAction = nullptr; // owned by the window
};
