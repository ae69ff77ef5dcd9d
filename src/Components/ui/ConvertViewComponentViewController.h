#pragma once

#include "Components/ui/ComponentFlowViewController.h"

// The side page for turning views into an instance of an existing component type.
class ConvertViewComponentViewController : public ComponentFlowViewController {
    Q_OBJECT

public:
    static ConvertViewComponentViewController* instantiate();

private:
    ConvertViewComponentViewController();
};
