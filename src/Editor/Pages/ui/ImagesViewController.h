#pragma once

#include "App/ui/ViewController.h"

// The images page: a tab of the side menu that has no content yet; the project window never
// updates it. Its plain red face marks the unfinished page.
class ImagesViewController : public ViewController {
    Q_OBJECT

public:
    static ImagesViewController* instantiate();

private:
    ImagesViewController();
};
