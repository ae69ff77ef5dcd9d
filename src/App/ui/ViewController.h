#pragma once

#include <QPointer>
#include <QWidget>

#include <cstddef>
#include <vector>

// Base of every screen. Screens that need to find each other keep an explicit, ordered list of
// child controllers and a link to their parent controller; the widget tree (and its child order)
// is never used for that. A link that is missing, gone or of another class answers nullptr.
class ViewController : public QWidget {
    Q_OBJECT

public:
    explicit ViewController(QWidget* parent = nullptr);
    ~ViewController() override;

    ViewController* parentController() const { return m_parentController.data(); }

    // Appends `child` to the ordered child list and makes this its parent controller. The widget
    // parent is left alone: the caller places the child in a layout, which owns it.
    void addChildController(ViewController* child); // not owned
    void removeChildController(ViewController* child);
    std::size_t childControllerCount() const { return m_childControllers.size(); }

    template <class T>
    T* parentAs() const
    {
        return qobject_cast<T*>(m_parentController.data());
    }

    template <class T>
    T* childAs(std::size_t index) const
    {
        if (index >= m_childControllers.size()) return nullptr;
        return qobject_cast<T*>(m_childControllers[index].data());
    }

private:
    QPointer<ViewController> m_parentController;
    // Entries turn null when a child is destroyed; positions stay as they were added.
    std::vector<QPointer<ViewController>> m_childControllers;
};
