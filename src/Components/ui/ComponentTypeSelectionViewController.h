#pragma once

#include "App/ui/ViewController.h"
#include "Components/ComponentTypeDisplayInfo.h"

#include <optional>
#include <vector>

class NoDataView;
class QListWidget;
class QStackedLayout;

// First page of making or converting a component: the kinds of component to choose from.
class ComponentTypeSelectionViewController : public ViewController {
    Q_OBJECT

public:
    static ComponentTypeSelectionViewController* instantiate();

    void update(const std::vector<ComponentTypeDisplayInfo>& componentTypeList);
    const std::vector<ComponentTypeDisplayInfo>& componentTypeList() const { return m_types; }
    std::optional<ComponentTypeDisplayInfo> selectedType() const;

    QListWidget* listView() const { return m_list; }

Q_SIGNALS:
    void typeChosen();

private:
    ComponentTypeSelectionViewController();

    std::vector<ComponentTypeDisplayInfo> m_types;
    QStackedLayout* m_body = nullptr; // owned by this widget
    QListWidget* m_list = nullptr;    // owned by the layout
    NoDataView* m_noData = nullptr;   // owned by the layout
};
