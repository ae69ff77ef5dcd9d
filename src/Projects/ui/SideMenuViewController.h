#pragma once

#include "App/ui/ViewController.h"

class QSplitter;
class SideMenuContentViewController;
class SideMenuItemsViewController;

// The side menu: the column of page buttons (child 0) and the pane with the pages (child 1).
class SideMenuViewController : public ViewController {
    Q_OBJECT

public:
    // The widest the content pane may be while a resource page shows.
    static constexpr int SIDE_MENU_CONTENT_MAX_WIDTH = 300;

    static SideMenuViewController* instantiate();

    SideMenuItemsViewController* itemsViewController() const;
    SideMenuContentViewController* contentViewController() const;

    // Collapses the content pane unless it is collapsed already; the menu then takes only the
    // width of its buttons, none of which shows as checked.
    void closeMenuContent();
    // Shows the content pane again (a page was opened), as wide as it was before it was folded.
    void openMenuContent();
    bool isMenuContentCollapsed() const;
    // The widest the content pane may be.
    void setContentMaximumWidth(int width);
    // Widens the open content pane to `width` (within its limits) when it is narrower; the room
    // comes from the widget beside the menu. The user may still drag it narrower afterwards.
    void widenContent(int width);

private:
    SideMenuViewController();
    // Gives the menu `width` in the window's splitter, when it sits in one.
    void resizeInWindowSplitter(int width);

    QSplitter* m_splitter = nullptr; // owned by the layout
    int m_openWidth = 0;             // the menu's width when its pane was last folded
};
