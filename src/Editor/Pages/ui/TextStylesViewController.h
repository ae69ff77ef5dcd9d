#pragma once

#include "App/ui/ViewController.h"
#include "Editor/FontModel.h"

#include <memory>
#include <vector>

class NoDataView;

// The text styles page of the open project (empty state until its list arrives).
class TextStylesViewController : public ViewController {
    Q_OBJECT

public:
    static TextStylesViewController* instantiate();

    void update(const std::vector<std::shared_ptr<FontModel>>& projectList, const std::vector<std::shared_ptr<FontModel>>& screenList);

    NoDataView* noDataView() const { return m_noData; }

private:
    TextStylesViewController();

    NoDataView* m_noData = nullptr; // owned by the layout
};
