#include "Editor/ui/MainEditorDesignSplitViewController.h"

#include "Editor/Canvas/ui/MainEditorDesignViewController.h"

#include <QVBoxLayout>

MainEditorDesignSplitViewController* MainEditorDesignSplitViewController::instantiate()
{
    return new MainEditorDesignSplitViewController;
}

MainEditorDesignSplitViewController::MainEditorDesignSplitViewController()
{
    setObjectName(QStringLiteral("MainEditorDesignSplitViewController"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* canvas = MainEditorDesignViewController::instantiate();
    layout->addWidget(canvas);
    addChildController(canvas);
}
