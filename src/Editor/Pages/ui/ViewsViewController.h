#pragma once

#include "App/ui/ViewController.h"

struct TreeViewInfo;
struct ViewInfo;

#include <memory>
#include <vector>

class NoDataView;

// The views page of the open artboard (empty state until its list arrives).
class ViewsViewController : public ViewController {
    Q_OBJECT

public:
    static ViewsViewController* instantiate();

    void update(const std::vector<std::shared_ptr<ViewInfo>>& list, const std::vector<std::shared_ptr<TreeViewInfo>>& treeViewList);

    NoDataView* noDataView() const { return m_noData; }

private:
    ViewsViewController();

    NoDataView* m_noData = nullptr; // owned by the layout
};
