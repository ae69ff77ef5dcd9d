#include "Components/ui/CreateComponentViewController.h"

CreateComponentViewController* CreateComponentViewController::instantiate()
{
    return new CreateComponentViewController;
}

CreateComponentViewController::CreateComponentViewController()
    : ComponentFlowViewController("createComponent.title")
{
    setObjectName(QStringLiteral("CreateComponentViewController"));
}
