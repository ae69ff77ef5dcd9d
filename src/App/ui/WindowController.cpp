#include "App/ui/WindowController.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>

WindowController::WindowController(QWidget* parent)
    : QMainWindow(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    // The application keeps running without windows (a design tool may hand over a file at any
    // time), so every window offers the way out.
    auto* quit = new QAction(this);
    quit->setShortcut(QKeySequence::Quit);
    quit->setShortcutContext(Qt::WindowShortcut);
    connect(quit, &QAction::triggered, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    addAction(quit);
}

void WindowController::setContentViewController(ViewController* controller)
{
    if (controller == m_content) return;
    if (QWidget* previous = takeCentralWidget()) {
        previous->hide();
        previous->setParent(nullptr);
        previous->deleteLater();
    }
    m_content = controller;
    if (!controller) return;
    setCentralWidget(controller);
    if (!controller->windowTitle().isEmpty()) setWindowTitle(controller->windowTitle());
    controller->show();
}

QString WindowController::contentClassName() const
{
    if (!m_content) return {};
    return QString::fromLatin1(m_content->metaObject()->className());
}

void WindowController::bringToFront()
{
    if (isMinimized()) showNormal();
    else show();
    raise();
    activateWindow();
}
