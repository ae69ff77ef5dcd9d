#pragma once

#include "Components/ui/ComponentFlowViewController.h"

// The side page for making a component from layers picked on the canvas.
class CreateComponentViewController : public ComponentFlowViewController {
    Q_OBJECT

public:
    static CreateComponentViewController* instantiate();

private:
    CreateComponentViewController();
};
