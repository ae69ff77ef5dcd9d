#pragma once

#include "App/ui/ViewController.h"

class QSplitter;

// Holder of the design canvas (child 0) in the editor's design half.
class MainEditorDesignSplitViewController : public ViewController {
    Q_OBJECT

public:
    static MainEditorDesignSplitViewController* instantiate();

private:
    MainEditorDesignSplitViewController();
};
