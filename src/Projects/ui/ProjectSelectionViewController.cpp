#include "Projects/ui/ProjectSelectionViewController.h"

#include "App/ui/WindowController.h"
#include "Import/Plugin/ExportHelper.h"
#include "Projects/ui/CreateNewProjectViewController.h"
#include "Projects/ui/ProjectTable.h"
#include "platform/Localization.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <utility>

ProjectSelectionViewController* ProjectSelectionViewController::instantiate(const AllProjectResponse& response)
{
    return new ProjectSelectionViewController(response);
}

ProjectSelectionViewController::ProjectSelectionViewController(AllProjectResponse response)
    : m_response(std::move(response))
{
    setObjectName(QStringLiteral("ProjectSelectionViewController"));
    setWindowTitle(platform::localized("projectSelection.title"));
    buildLayout();
    m_projects->setProjects(m_response.projects);
}

void ProjectSelectionViewController::buildLayout()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->setSpacing(12);

    auto* header = new QLabel(platform::localized("projectSelection.header"), this);
    header->setWordWrap(true);
    layout->addWidget(header);

    m_projects = new ProjectTable({{"projectSelection.column.name", &ProjectTable::name},
                                   {"projectSelection.column.platform", &ProjectTable::platform}},
                                  "projectSelection.empty", this);
    m_projects->tableView()->setMinimumHeight(200);
    connect(m_projects->tableView(), &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { tableViewDoubleClick(row); });
    layout->addWidget(m_projects, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_newProjectButton = new QPushButton(platform::localized("projectSelection.newProjectButton"), this);
    m_newProjectButton->setObjectName(QStringLiteral("newProjectButton"));
    connect(m_newProjectButton, &QPushButton::clicked, this, &ProjectSelectionViewController::openCreateNewProject);
    buttons->addWidget(m_newProjectButton);
    layout->addLayout(buttons);
}

QTableWidget* ProjectSelectionViewController::tableView() const
{
    return m_projects->tableView();
}

QLabel* ProjectSelectionViewController::emptyLabel() const
{
    return m_projects->emptyLabel();
}

void ProjectSelectionViewController::tableViewDoubleClick(int row)
{
    if (row < 0 || row >= static_cast<int>(m_response.projects.size())) return;
    // Copied: starting the upload replaces this screen.
    const ProjectDisplayInfo project = m_response.projects[static_cast<std::size_t>(row)];
    ExportHelper::importer().startExportProcess(project);
}

void ProjectSelectionViewController::openCreateNewProject()
{
    auto* window = qobject_cast<WindowController*>(this->window());
    if (!window) return;
    window->setContentViewController(CreateNewProjectViewController::instantiate(m_response));
}
