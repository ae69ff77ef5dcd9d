#include "Projects/ui/ProjectSelectionViewController.h"

#include "App/ui/WindowController.h"
#include "Import/Plugin/ExportHelper.h"
#include "Projects/ui/CreateNewProjectViewController.h"
#include "platform/Localization.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <utility>

namespace {
QString text(const std::string& s)
{
    return QString::fromStdString(s);
}
} // namespace

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
    reloadTable();
}

void ProjectSelectionViewController::buildLayout()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->setSpacing(12);

    auto* header = new QLabel(platform::localized("projectSelection.header"), this);
    header->setWordWrap(true);
    layout->addWidget(header);

    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("projectTable"));
    m_table->setColumnCount(2);
    m_table->setHorizontalHeaderLabels(
        {platform::localized("projectSelection.column.name"), platform::localized("projectSelection.column.platform")});
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setMinimumHeight(200);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { tableViewDoubleClick(row); });
    layout->addWidget(m_table, 1);

    m_emptyLabel = new QLabel(platform::localized("projectSelection.empty"), this);
    m_emptyLabel->setObjectName(QStringLiteral("emptyLabel"));
    m_emptyLabel->setAlignment(Qt::AlignCenter);
    m_emptyLabel->setWordWrap(true);
    layout->addWidget(m_emptyLabel);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_newProjectButton = new QPushButton(platform::localized("projectSelection.newProjectButton"), this);
    m_newProjectButton->setObjectName(QStringLiteral("newProjectButton"));
    connect(m_newProjectButton, &QPushButton::clicked, this, &ProjectSelectionViewController::openCreateNewProject);
    buttons->addWidget(m_newProjectButton);
    layout->addLayout(buttons);
}

void ProjectSelectionViewController::reloadTable()
{
    const auto& projects = m_response.projects;
    m_table->setRowCount(static_cast<int>(projects.size()));
    for (int row = 0; row < static_cast<int>(projects.size()); ++row) {
        const auto& project = projects[static_cast<std::size_t>(row)];
        m_table->setItem(row, 0, new QTableWidgetItem(text(project.name)));
        m_table->setItem(row, 1, new QTableWidgetItem(text(project.platform)));
    }
    const bool empty = projects.empty();
    m_table->setVisible(!empty);
    m_emptyLabel->setVisible(empty);
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
