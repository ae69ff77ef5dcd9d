#pragma once

#include "App/ui/ViewController.h"
#include "Editor/ColorModel.h"

#include <memory>
#include <vector>

class NoDataView;

// The colours page of the open project (empty state until its list arrives).
class ColorsViewController : public ViewController {
    Q_OBJECT

public:
    static ColorsViewController* instantiate();

    void update(const std::vector<std::shared_ptr<ColorModel>>& projectList, const std::vector<std::shared_ptr<ColorModel>>& screenList);

    NoDataView* noDataView() const { return m_noData; }

private:
    ColorsViewController();

    NoDataView* m_noData = nullptr; // owned by the layout
};
