#pragma once

#include "App/ui/ViewController.h"

#include <QPointer>

#include <vector>

class MainEditorDesignViewController;
class QStackedLayout;

// The project window's content stack: the screen on top is shown, the ones below wait for the
// way back. Only the screen on top is a child controller, so a screen that has been covered or
// taken out no longer finds the window through its parent.
class MainContentViewController : public ViewController {
    Q_OBJECT

public:
    static MainContentViewController* instantiate();

    // The screen on top, or none.
    ViewController* currentViewController() const { return m_stack.empty() ? nullptr : m_stack.back().data(); }

    // Puts `screen` on top (the stack owns it).
    void push(ViewController* screen);
    // Takes the screen on top out and deletes it on a later turn; the one below shows again.
    // False when nothing lies below it.
    bool pop();
    // Takes every screen down to the first one.
    void popToRoot();
    // Replaces the whole stack by `screen`.
    void setRoot(ViewController* screen);
    std::size_t depth() const { return m_stack.size(); }
    // The screen at the bottom of the stack, or none.
    ViewController* rootViewController() const { return m_stack.empty() ? nullptr : m_stack.front().data(); }

    // The design canvas of the editor on top, or none when the top screen is not the editor.
    MainEditorDesignViewController* getDesignVC() const;

Q_SIGNALS:
    // The screen on top changed.
    void currentChanged(ViewController* current);

private:
    MainContentViewController();
    void showTop();

    QStackedLayout* m_layout = nullptr; // owned by this widget
    std::vector<QPointer<ViewController>> m_stack;
};
