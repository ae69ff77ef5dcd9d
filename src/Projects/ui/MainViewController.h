#pragma once

#include "App/ui/ViewController.h"

class MainContentViewController;
class QSplitter;
class SideMenuViewController;

// The project window's root while a project is open: the side menu beside the content stack.
// Child 0 is the side menu, child 1 the content stack.
class MainViewController : public ViewController {
    Q_OBJECT

public:
    static MainViewController* instantiate();

    SideMenuViewController* sideMenu() const;
    MainContentViewController* contentStack() const;
    // The side menu is only of use while an artboard is open.
    void setSideMenuVisible(bool visible);

private:
    MainViewController();

    QSplitter* m_splitter = nullptr; // owned by the layout
};
