#pragma once

class QAction;

// What the editor needs of the window that hosts it. The implementer is a QObject (the project
// window), so the editor can tell when it is gone.
class MainEditorWindowDelegate {
public:
    virtual ~MainEditorWindowDelegate() = default;
    // The window's export toolbar item, or none.
    virtual QAction* exportButtonItem() const = 0;
};
