#pragma once

#include "App/ui/ViewController.h"
#include "Components/ComponentDisplayInfo.h"

#include <optional>

class NoDataView;
class QLabel;
class QStackedLayout;

// The component-information page: what is known of the component it was opened with.
class ComponentInfoViewController : public ViewController {
    Q_OBJECT

public:
    static ComponentInfoViewController* instantiate();

    void update(const std::optional<ComponentDisplayInfo>& component);
    const std::optional<ComponentDisplayInfo>& component() const { return m_component; }
    QLabel* nameLabel() const { return m_name; }

private:
    ComponentInfoViewController();

    std::optional<ComponentDisplayInfo> m_component;
    QStackedLayout* m_body = nullptr; // owned by this widget
    QLabel* m_name = nullptr;         // owned by the layout
    QLabel* m_details = nullptr;      // owned by the layout
    NoDataView* m_noData = nullptr;   // owned by the layout
};
