#pragma once

#include "Projects/ProjectDisplayInfo.h"

#include <QString>
#include <QWidget>

#include <vector>

class QLabel;
class QTableWidget;

// A read-only list of projects, one row each, with a note in its place while there are none.
// Both project screens show one; they differ in their columns.
class ProjectTable : public QWidget {
    Q_OBJECT

public:
    struct Column {
        const char* titleKey; // localised header text
        QString (*text)(const ProjectDisplayInfo&);
    };
    // Column texts.
    static QString name(const ProjectDisplayInfo& project);
    static QString platform(const ProjectDisplayInfo& project);
    static QString artboardCount(const ProjectDisplayInfo& project);
    static QString updateTime(const ProjectDisplayInfo& project);

    ProjectTable(std::vector<Column> columns, const char* emptyKey, QWidget* parent);

    void setProjects(const std::vector<ProjectDisplayInfo>& projects);

    QTableWidget* tableView() const { return m_table; }
    QLabel* emptyLabel() const { return m_emptyLabel; }

private:
    std::vector<Column> m_columns;
    QTableWidget* m_table = nullptr; // owned by the layout
    QLabel* m_emptyLabel = nullptr;  // owned by the layout
};
