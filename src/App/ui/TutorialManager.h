#pragma once

#include "App/TutorialType.h"

#include <QPointer>
#include <QSize>

#include <functional>

class QFrame;
class QWidget;

// Shows a tutorial as a small popup beside the widget it explains.
class TutorialManager {
public:
    static TutorialManager& instance();

    // Anchors the popup to `of` (inside `relativeTo`, the view that scrolls it), on the
    // `preferredEdge` side when the screen has room there, with the given content size.
    // `closeHandler` runs when the popup closes. A tutorial already open is closed first.
    void openTutorial(TutorialType type, QWidget* relativeTo, QWidget* of, const QSize& size, Qt::Edge preferredEdge,
                      std::function<void()> closeHandler = {});
    void closeTutorial();
    // The open popup, or none.
    QFrame* openPopup() const { return m_popup.data(); }

private:
    TutorialManager() = default;

    QPointer<QFrame> m_popup;
};
