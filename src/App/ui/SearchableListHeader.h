#pragma once

#include "Components/ComponentSearchScope.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

class QButtonGroup;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

// The head of a side list: a heading, an optional right action, a close button, a search field
// and, when asked for, a segment per search scope.
class SearchableListHeader : public QWidget {
    Q_OBJECT

public:
    using SearchHandler = std::function<void(ComponentSearchScope scope, const QString& text)>;

    explicit SearchableListHeader(QWidget* parent = nullptr);

    // The search handler gets the selected segment's scope (project when its tag is 1, screen
    // otherwise) and the field's whole text whenever either changes.
    void setupView(const QString& headerText, bool scopeNeeded, const QString& rightActionButtonTitle,
                   bool rightActionButtonNeeded, std::function<void()> rightActionHandler,
                   std::function<void()> closeActionHandler, const std::vector<ComponentSearchScopeItem>& searchScopeTitles,
                   SearchHandler searchHandler);

    ComponentSearchScope selectedScope() const;
    QLabel* headerLabel() const { return m_header; }
    QLineEdit* searchField() const { return m_search; }
    QPushButton* rightActionButton() const { return m_rightAction; }
    QPushButton* closeButton() const { return m_close; }
    // The scope segments in order.
    std::vector<QPushButton*> scopeButtons() const;

private:
    void runSearch();

    QLabel* m_header = nullptr;           // owned by the layout
    QPushButton* m_rightAction = nullptr; // owned by the layout
    QPushButton* m_close = nullptr;       // owned by the layout
    QLineEdit* m_search = nullptr;        // owned by the layout
    QWidget* m_scopeRow = nullptr;        // owned by the layout
    QHBoxLayout* m_scopeLayout = nullptr; // owned by m_scopeRow
    QButtonGroup* m_scopes = nullptr;     // owned by this widget
    std::function<void()> m_rightActionHandler;
    std::function<void()> m_closeActionHandler;
    SearchHandler m_searchHandler;
};
