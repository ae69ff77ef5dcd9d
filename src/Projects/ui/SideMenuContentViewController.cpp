#include "Projects/ui/SideMenuContentViewController.h"

#include "Components/ui/ComponentInfoViewController.h"
#include "Components/ui/ComponentsViewController.h"
#include "Components/ui/ConvertViewComponentViewController.h"
#include "Components/ui/CreateComponentViewController.h"
#include "Editor/Pages/ui/ColorsViewController.h"
#include "Editor/Pages/ui/ImagesViewController.h"
#include "Editor/Pages/ui/TextStylesViewController.h"
#include "Editor/Pages/ui/ViewsViewController.h"
#include "Projects/ui/SideMenuItemsViewController.h"
#include "Projects/ui/SideMenuViewController.h"

#include <QStackedLayout>

SideMenuContentViewController* SideMenuContentViewController::instantiate()
{
    return new SideMenuContentViewController;
}

SideMenuContentViewController::SideMenuContentViewController()
{
    setObjectName(QStringLiteral("SideMenuContentViewController"));
    m_tabs = new QStackedLayout(this);
    createViewControllers();
}

void SideMenuContentViewController::createViewControllers()
{
    // Tab order is the order of SideMenuContentType.
    ViewController* pages[kSideMenuContentTypeCount] = {
        ViewsViewController::instantiate(),
        ComponentsViewController::instantiate(),
        ComponentInfoViewController::instantiate(),
        CreateComponentViewController::instantiate(),
        ConvertViewComponentViewController::instantiate(),
        ColorsViewController::instantiate(),
        TextStylesViewController::instantiate(),
        ImagesViewController::instantiate(),
    };
    for (ViewController* page : pages) {
        m_tabs->addWidget(page);
        addChildController(page);
    }
}

void SideMenuContentViewController::open(SideMenuContentType menuType, const std::optional<ComponentDisplayInfo>& componentData)
{
    ViewController* page = getVC(menuType);
    if (!page) return;
    if (menuType == SideMenuContentType::componentInfo) {
        if (auto* info = qobject_cast<ComponentInfoViewController*>(page)) info->update(componentData);
    }
    m_tabs->setCurrentWidget(page);
    if (auto* side = parentAs<SideMenuViewController>()) {
        const bool resourcePage = menuType == SideMenuContentType::colors || menuType == SideMenuContentType::textStyles
                                  || menuType == SideMenuContentType::images;
        // Resource lists are narrow; the other pages may use more room.
        side->setContentMaximumWidth(resourcePage ? SideMenuViewController::SIDE_MENU_CONTENT_MAX_WIDTH : 420);
        side->openMenuContent();
        // a card of the resource grids needs about all of the narrow pane
        if (resourcePage) side->widenContent(SideMenuViewController::SIDE_MENU_CONTENT_MAX_WIDTH);
        // however the page was reached (its button, another page, the canvas), its button shows it
        if (auto* items = side->itemsViewController()) items->showOpenPage(menuType);
    }
}

ViewController* SideMenuContentViewController::getVC(std::size_t type) const
{
    if (type >= kSideMenuContentTypeCount) return nullptr;
    return childAs<ViewController>(type);
}

ViewController* SideMenuContentViewController::getActiveVC() const
{
    return qobject_cast<ViewController*>(m_tabs->currentWidget());
}

std::optional<SideMenuContentType> SideMenuContentViewController::activeType() const
{
    const int index = m_tabs->currentIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= kSideMenuContentTypeCount) return std::nullopt;
    return static_cast<SideMenuContentType>(index);
}
