#include "Projects/ui/ProjectWindowController.h"

#include "platform/Localization.h"

ProjectWindowController::ProjectWindowController(QWidget* parent)
    : WindowController(parent)
{
    setObjectName(QStringLiteral("ProjectWindowController"));
    setWindowTitle(platform::localized("projectSelection.title"));
    setMinimumSize(520, 420);
    resize(640, 480);
}
