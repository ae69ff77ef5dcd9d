#include "App/ui/WindowController.h"

#include "App/WindowPlacement.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMargins>
#include <QScreen>

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
    if (!m_placed) {
        m_placed = true;
        // Placed once it shows, when the window system has told us the size of its frame.
        QScreen* target = screen() ? screen() : QGuiApplication::primaryScreen();
        if (target) {
            const QRect outer = frameGeometry();
            const QRect inner = geometry();
            const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                                 outer.bottom() - inner.bottom());
            const QSize extra(frame.left() + frame.right(), frame.top() + frame.bottom());
            const QRect placed =
                WindowPlacement::centred(size() + extra, minimumSize() + extra, target->availableGeometry());
            setGeometry(placed.marginsRemoved(frame));
        }
    }
    raise();
    activateWindow();
}
