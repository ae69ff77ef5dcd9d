#pragma once

#include "App/ui/ViewController.h"
#include "Components/ComponentDisplayInfo.h"
#include "Projects/SideMenuContentType.h"

#include <cstddef>
#include <optional>

class QStackedLayout;

// The pages of the side menu, one tab each in the order of SideMenuContentType; the direct
// parent controller of every page.
class SideMenuContentViewController : public ViewController {
    Q_OBJECT

public:
    static SideMenuContentViewController* instantiate();

    // Selects the page of `menuType`; `data` goes to the component-information page only.
    void open(SideMenuContentType menuType, const std::optional<ComponentDisplayInfo>& componentData = std::nullopt);
    // The page of a tab index; none when out of range.
    ViewController* getVC(std::size_t type) const;
    ViewController* getVC(SideMenuContentType type) const { return getVC(tabIndex(type)); }
    // The selected page, or none.
    ViewController* getActiveVC() const;
    std::optional<SideMenuContentType> activeType() const;

private:
    SideMenuContentViewController();
    void createViewControllers();

    QStackedLayout* m_tabs = nullptr; // owned by this widget
};
