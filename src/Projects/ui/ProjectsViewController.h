#pragma once

#include "App/ui/ViewController.h"
#include "Projects/AllProjectResponse.h"

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
    QTableWidget* tableView() const { return m_table; }
    QLabel* userLabel() const { return m_userLabel; }
    QLabel* emptyLabel() const { return m_emptyLabel; }

private:
    ProjectsViewController();
    void refreshUser();

    AllProjectResponse m_response;
    QLabel* m_userLabel = nullptr;   // owned by the layout
    QTableWidget* m_table = nullptr; // owned by the layout
    QLabel* m_emptyLabel = nullptr;  // owned by the layout
};
