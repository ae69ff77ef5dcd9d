#pragma once

#include <QFrame>
#include <QSize>

// The drag tutorial: a card beside the canvas that tells how to select views by dragging a band
// over them. It lies inside the editor's window (not a separate window), to the right of the
// canvas when there is room, and closes with its button.
class DragTutorialPopover : public QFrame {
    Q_OBJECT

public:
    // Shown over `host`, next to `anchor` (its right side) and within `relativeTo`.
    // The popover is owned by `host`.
    static DragTutorialPopover* open(QWidget* host, QWidget* relativeTo, QWidget* anchor, const QSize& size);

private:
    explicit DragTutorialPopover(QWidget* host);
};
