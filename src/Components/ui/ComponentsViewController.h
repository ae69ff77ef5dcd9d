#pragma once

#include "App/ui/ViewController.h"
#include "Components/ComponentDisplayInfo.h"
#include "Editor/Pages/SubstringSearch.h"

#include <string>
#include <vector>

class NoDataView;
class QPushButton;
class QStackedLayout;
class QTableWidget;
class SearchableListHeader;

// The components page: the project's components, searchable, each one deletable.
class ComponentsViewController : public ViewController {
    Q_OBJECT

public:
    static ComponentsViewController* instantiate();

    // Replaces the list and shows it.
    void update(const std::vector<ComponentDisplayInfo>& componentlist);
    const std::vector<ComponentDisplayInfo>& components() const { return m_components; }

    // Asks for confirmation and, on the first button, has the editor delete the component of `row`.
    void removeRow(int row);

    QTableWidget* tableView() const { return m_table; }
    QPushButton* deleteButton() const { return m_delete; }
    NoDataView* noDataView() const { return m_noData; }

private:
    ComponentsViewController();
    void reload();

    std::vector<ComponentDisplayInfo> m_components;
    std::vector<std::string> m_lowerCasedNames; // of m_components, as UTF-8
    SubstringSearch m_filter;                   // the search text, lower-cased; empty shows all
    SearchableListHeader* m_header = nullptr; // owned by the layout
    QStackedLayout* m_body = nullptr;         // owned by its widget
    QTableWidget* m_table = nullptr;          // owned by the layout
    NoDataView* m_noData = nullptr;           // owned by the layout
    QPushButton* m_delete = nullptr;          // owned by the layout
};
