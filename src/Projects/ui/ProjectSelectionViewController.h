#pragma once

#include "App/ui/ViewController.h"
#include "Projects/AllProjectResponse.h"

class ProjectTable;
class QLabel;
class QPushButton;
class QTableWidget;

// The project list of an import: a double click on a project uploads the design into it; "New
// Project" creates one for the upload instead.
class ProjectSelectionViewController : public ViewController {
    Q_OBJECT

public:
    static ProjectSelectionViewController* instantiate(const AllProjectResponse& response);

    const AllProjectResponse& response() const { return m_response; }

    // The row's project starts the upload; rows out of range (a click on empty space) do nothing.
    void tableViewDoubleClick(int row);
    // Replaces this screen with the project creation in the same window.
    void openCreateNewProject();

    QTableWidget* tableView() const;
    QPushButton* newProjectButton() const { return m_newProjectButton; }
    QLabel* emptyLabel() const;

private:
    explicit ProjectSelectionViewController(AllProjectResponse response);
    void buildLayout();

    AllProjectResponse m_response;
    ProjectTable* m_projects = nullptr;        // owned by the layout
    QPushButton* m_newProjectButton = nullptr; // owned by the layout
};
