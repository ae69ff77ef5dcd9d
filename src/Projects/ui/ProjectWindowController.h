#pragma once

#include "App/ui/WindowController.h"

// The window of an import: it hosts the project selection, the project creation and then the
// upload progress screen, one after another.
class ProjectWindowController : public WindowController {
    Q_OBJECT

public:
    explicit ProjectWindowController(QWidget* parent = nullptr);
};
