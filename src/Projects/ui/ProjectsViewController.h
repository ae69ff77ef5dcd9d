#pragma once

#include "App/ui/ViewController.h"
#include "Projects/AllProjectResponse.h"

class ProjectTable;
class QLabel;
class QTableWidget;

// The content of the project window after sign-in: the signed-in user and the project list.
class ProjectsViewController : public ViewController {
    Q_OBJECT

public:
    static ProjectsViewController* instantiate();

    // Shows the projects of the reply.
    void updateProjects(const AllProjectResponse& response);

    const AllProjectResponse& response() const { return m_response; }
    QTableWidget* tableView() const;
    QLabel* userLabel() const { return m_userLabel; }
    QLabel* emptyLabel() const;

    // Opens the project of a row (a double click does the same).
    void openProjectAt(int row);

Q_SIGNALS:
    void projectOpened(const ProjectDisplayInfo& project);

private:
    ProjectsViewController();

    AllProjectResponse m_response;
    QLabel* m_userLabel = nullptr;      // owned by the layout
    ProjectTable* m_projects = nullptr; // owned by the layout
};
