#pragma once

#include "App/ui/ViewController.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

class QCloseEvent;

// A top-level window that shows one content screen at a time. Windows delete themselves when
// closed, so anybody holding one keeps a QPointer.
class WindowController : public QMainWindow {
    Q_OBJECT

public:
    explicit WindowController(QWidget* parent = nullptr);

    // Makes `controller` the window's content (the window owns it). The previous content is
    // hidden at once and deleted on a later event-loop turn, because the switch is often asked
    // for from inside one of its own signal handlers.
    void setContentViewController(ViewController* controller);
    ViewController* contentViewController() const { return m_content.data(); }

    // Class name of the content screen, "" without one.
    QString contentClassName() const;

    // Shows the window, raises it and makes it the active window. The first time, the window is
    // fitted into its screen's available area and centred on it.
    void bringToFront();

private:
    QPointer<ViewController> m_content;
    bool m_placed = false; // placed on its screen at the first showing
};
