#pragma once

#include "App/ui/ViewController.h"


#include <memory>
#include <vector>

class NoDataView;

// The images page of the open project (empty state).
class ImagesViewController : public ViewController {
    Q_OBJECT

public:
    static ImagesViewController* instantiate();

    NoDataView* noDataView() const { return m_noData; }

private:
    ImagesViewController();

    NoDataView* m_noData = nullptr; // owned by the layout
};
