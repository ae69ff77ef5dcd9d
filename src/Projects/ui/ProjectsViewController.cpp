#include "Projects/ui/ProjectsViewController.h"

#include "Account/UserProfile.h"
#include "platform/Localization.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
QString text(const std::string& s)
{
    return QString::fromStdString(s);
}
} // namespace

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

    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("projectTable"));
    m_table->setColumnCount(4);
    m_table->setHorizontalHeaderLabels({platform::localized("projectMain.column.name"),
                                        platform::localized("projectMain.column.platform"),
                                        platform::localized("projectMain.column.artboards"),
                                        platform::localized("projectMain.column.updated")});
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < 4; ++column)
        m_table->horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(m_table, 1);

    m_emptyLabel = new QLabel(platform::localized("projectMain.empty"), this);
    m_emptyLabel->setObjectName(QStringLiteral("emptyLabel"));
    m_emptyLabel->setAlignment(Qt::AlignCenter);
    m_emptyLabel->setWordWrap(true);
    layout->addWidget(m_emptyLabel);

    updateProjects(AllProjectResponse{});
}

void ProjectsViewController::refreshUser()
{
    const auto& user = UserProfile::shared().userInfo;
    m_userLabel->setText(user ? platform::localizedFormat("projectMain.signedInAs", {text(user->email)}) : QString());
}

void ProjectsViewController::updateProjects(const AllProjectResponse& response)
{
    m_response = response;
    refreshUser();
    const auto& projects = m_response.projects;
    m_table->setRowCount(static_cast<int>(projects.size()));
    for (int row = 0; row < static_cast<int>(projects.size()); ++row) {
        const auto& project = projects[static_cast<std::size_t>(row)];
        m_table->setItem(row, 0, new QTableWidgetItem(text(project.name)));
        m_table->setItem(row, 1, new QTableWidgetItem(text(project.platform)));
        m_table->setItem(row, 2, new QTableWidgetItem(QString::number(project.artboardCount)));
        m_table->setItem(row, 3, new QTableWidgetItem(text(project.updateTime)));
    }
    const bool empty = projects.empty();
    m_table->setVisible(!empty);
    m_emptyLabel->setVisible(empty);
}
