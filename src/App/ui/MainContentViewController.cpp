#include "App/ui/MainContentViewController.h"

#include "Editor/ui/EditorHierarchy.h"

#include <QStackedLayout>

MainContentViewController* MainContentViewController::instantiate()
{
    return new MainContentViewController;
}

MainContentViewController::MainContentViewController()
{
    setObjectName(QStringLiteral("MainContentViewController"));
    m_layout = new QStackedLayout(this);
}

void MainContentViewController::push(ViewController* screen)
{
    if (!screen) return;
    if (ViewController* top = currentViewController()) removeChildController(top);
    m_stack.emplace_back(screen);
    m_layout->addWidget(screen);
    showTop();
}

bool MainContentViewController::pop()
{
    if (m_stack.size() < 2) return false;
    QPointer<ViewController> top = m_stack.back();
    m_stack.pop_back();
    if (top) {
        removeChildController(top);
        m_layout->removeWidget(top);
        top->hide();
        top->deleteLater();
    }
    showTop();
    return true;
}

void MainContentViewController::popToRoot()
{
    while (pop()) {
    }
}

void MainContentViewController::setRoot(ViewController* screen)
{
    for (const QPointer<ViewController>& old : m_stack) {
        if (!old) continue;
        removeChildController(old);
        m_layout->removeWidget(old);
        old->hide();
        old->deleteLater();
    }
    m_stack.clear();
    push(screen);
}

void MainContentViewController::showTop()
{
    // Screens deleted from elsewhere leave gaps; the top is the last one still alive.
    while (!m_stack.empty() && !m_stack.back()) m_stack.pop_back();
    ViewController* top = currentViewController();
    if (top) {
        addChildController(top);
        m_layout->setCurrentWidget(top);
    }
    Q_EMIT currentChanged(top);
}

MainEditorDesignViewController* MainContentViewController::getDesignVC() const
{
    return editorhierarchy::designCanvasOf(currentViewController());
}
