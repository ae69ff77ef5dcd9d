#include "Projects/ui/ProjectsViewController.h"

#include "Account/UserProfile.h"
#include "Projects/ui/ProjectTable.h"
#include "platform/Localization.h"

#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

ProjectsViewController* ProjectsViewController::instantiate()
{
    return new ProjectsViewController;
}

ProjectsViewController::ProjectsViewController()
{
    setObjectName(QStringLiteral("ProjectsViewController"));
    setWindowTitle(platform::localized("projectMain.title"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 20);
    layout->setSpacing(12);

    m_userLabel = new QLabel(this);
    m_userLabel->setObjectName(QStringLiteral("userLabel"));
    layout->addWidget(m_userLabel);

    m_projects = new ProjectTable({{"projectMain.column.name", &ProjectTable::name},
                                   {"projectMain.column.platform", &ProjectTable::platform},
                                   {"projectMain.column.artboards", &ProjectTable::artboardCount},
                                   {"projectMain.column.updated", &ProjectTable::updateTime}},
                                  "projectMain.empty", this);
    layout->addWidget(m_projects, 1);
    connect(m_projects->tableView(), &QTableWidget::cellDoubleClicked, this, [this](int row, int) { openProjectAt(row); });

    updateProjects(AllProjectResponse{});
}

QTableWidget* ProjectsViewController::tableView() const
{
    return m_projects->tableView();
}

QLabel* ProjectsViewController::emptyLabel() const
{
    return m_projects->emptyLabel();
}

void ProjectsViewController::updateProjects(const AllProjectResponse& response)
{
    m_response = response;
    const auto& user = UserProfile::shared().userInfo;
    m_userLabel->setText(user ? platform::localizedFormat("projectMain.signedInAs", {QString::fromStdString(user->email)})
                              : QString());
    m_projects->setProjects(m_response.projects);
}

void ProjectsViewController::openProjectAt(int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_response.projects.size()) return;
    Q_EMIT projectOpened(m_response.projects[static_cast<std::size_t>(row)]);
}
