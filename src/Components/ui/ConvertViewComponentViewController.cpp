#include "Components/ui/ConvertViewComponentViewController.h"

ConvertViewComponentViewController* ConvertViewComponentViewController::instantiate()
{
    return new ConvertViewComponentViewController;
}

ConvertViewComponentViewController::ConvertViewComponentViewController()
    : ComponentFlowViewController("convertView.title")
{
    setObjectName(QStringLiteral("ConvertViewComponentViewController"));
}
