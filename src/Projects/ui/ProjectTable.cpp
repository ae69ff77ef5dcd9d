#include "Projects/ui/ProjectTable.h"

#include "App/DisplayDate.h"
#include "platform/Localization.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include <utility>

ProjectTable::ProjectTable(std::vector<Column> columns, const char* emptyKey, QWidget* parent)
    : QWidget(parent)
    , m_columns(std::move(columns))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("projectTable"));
    m_table->setColumnCount(static_cast<int>(m_columns.size()));
    QStringList titles;
    for (const Column& column : m_columns) titles.append(platform::localized(column.titleKey));
    m_table->setHorizontalHeaderLabels(titles);
    // The name takes the room; the other columns are short.
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(m_table, 1);

    m_emptyLabel = new QLabel(platform::localized(emptyKey), this);
    m_emptyLabel->setObjectName(QStringLiteral("emptyLabel"));
    m_emptyLabel->setAlignment(Qt::AlignCenter);
    m_emptyLabel->setWordWrap(true);
    layout->addWidget(m_emptyLabel);

    setProjects({});
}

QString ProjectTable::name(const ProjectDisplayInfo& project)
{
    return QString::fromStdString(project.name);
}

QString ProjectTable::platform(const ProjectDisplayInfo& project)
{
    return QString::fromStdString(project.platform);
}

QString ProjectTable::artboardCount(const ProjectDisplayInfo& project)
{
    return QString::number(project.artboardCount);
}

QString ProjectTable::updateTime(const ProjectDisplayInfo& project)
{
    return DisplayDate::text(project.updateTime);
}

void ProjectTable::setProjects(const std::vector<ProjectDisplayInfo>& projects)
{
    const int rows = static_cast<int>(projects.size());
    m_table->setRowCount(rows);
    for (int row = 0; row < rows; ++row) {
        for (std::size_t column = 0; column < m_columns.size(); ++column) {
            m_table->setItem(row, static_cast<int>(column),
                             new QTableWidgetItem(m_columns[column].text(projects[static_cast<std::size_t>(row)])));
        }
    }
    m_table->setVisible(rows > 0);
    m_emptyLabel->setVisible(rows == 0);
}
