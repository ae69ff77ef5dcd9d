#pragma once

#include "App/ui/ViewController.h"
#include "Components/ComponentTypeDisplayInfo.h"

#include <optional>
#include <vector>

class ComponentTypeListModel;
class NoDataView;
class QListView;
class QStackedLayout;

// First page of making or converting a component: the kinds of component to choose from.
class ComponentTypeSelectionViewController : public ViewController {
    Q_OBJECT

public:
    static ComponentTypeSelectionViewController* instantiate();

    void update(const std::vector<ComponentTypeDisplayInfo>& componentTypeList);
    const std::vector<ComponentTypeDisplayInfo>& componentTypeList() const;
    std::optional<ComponentTypeDisplayInfo> selectedType() const;

    QListView* listView() const { return m_list; }

Q_SIGNALS:
    void typeChosen();

private:
    ComponentTypeSelectionViewController();

    ComponentTypeListModel* m_types = nullptr; // owned by this widget
    QStackedLayout* m_body = nullptr;          // owned by this widget
    QListView* m_list = nullptr;               // owned by the layout
    NoDataView* m_noData = nullptr;            // owned by the layout
};
