#pragma once

#include <QObject>
#include <QPointer>

// A screen named to the service client: the view to cover with the loading indicator, or the
// screen that shows its own HUD. The core only carries it; the UI layer's activity presenter
// resolves it. Made from any QObject pointer, so a screen writes `options.targetIndicatorView = this;`.
// Empty once the screen is gone.
class ScreenHandle {
public:
    ScreenHandle() = default;
    ScreenHandle(QObject* screen) : m_screen(screen) {} // not owned
    template <class T>
    ScreenHandle(const QPointer<T>& screen) : m_screen(screen.data())
    {
    }

    bool isNull() const { return m_screen.isNull(); }
    explicit operator bool() const { return !m_screen.isNull(); }
    bool operator==(const ScreenHandle& other) const { return m_screen == other.m_screen; }

    // For the UI layer that resolves the handle; the core never looks inside.
    QObject* object() const { return m_screen.data(); }

private:
    QPointer<QObject> m_screen;
};
