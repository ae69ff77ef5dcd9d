#pragma once

#include "App/ui/ViewController.h"
#include "Projects/SideMenuContentType.h"

#include <map>
#include <optional>

class QToolButton;

// The side menu's column of page buttons.
class SideMenuItemsViewController : public ViewController {
    Q_OBJECT

public:
    static SideMenuItemsViewController* instantiate();

    // Open the page of `type` (also the one already shown); they never fold the pane. Leaving a
    // component being made on the other component page asks first.
    void openPage(SideMenuContentType type);
    void openCreateComponent();
    void openConvertView();

    QToolButton* button(SideMenuContentType type) const;
    // Checks the button of the page that shows, and only that one; none while the pane is
    // collapsed (nullopt). The component information page belongs to the components button.
    void showOpenPage(std::optional<SideMenuContentType> type);

private:
    SideMenuItemsViewController();
    // A page's button: opens its page, or folds the pane when that page shows already.
    void buttonClicked(SideMenuContentType type);
    // Whether a component being made on an open page may be given up.
    bool mayLeaveActiveComponentPage() const;

    std::map<SideMenuContentType, QToolButton*> m_buttons; // owned by the layout
};
