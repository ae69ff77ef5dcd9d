#include "Projects/ui/SideMenuViewController.h"

#include "Projects/ui/SideMenuContentViewController.h"
#include "Projects/ui/SideMenuItemsViewController.h"

#include <QHBoxLayout>
#include <QSplitter>

SideMenuViewController* SideMenuViewController::instantiate()
{
    return new SideMenuViewController;
}

SideMenuViewController::SideMenuViewController()
{
    setObjectName(QStringLiteral("SideMenuViewController"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* items = SideMenuItemsViewController::instantiate();
    layout->addWidget(items);
    m_splitter = new QSplitter(Qt::Horizontal, this);
    layout->addWidget(m_splitter);
    auto* content = SideMenuContentViewController::instantiate();
    m_splitter->addWidget(content);
    m_splitter->setCollapsible(0, true);
    content->setMinimumWidth(220);
    content->setMaximumWidth(SIDE_MENU_CONTENT_MAX_WIDTH);
    addChildController(items);
    addChildController(content);
}

SideMenuItemsViewController* SideMenuViewController::itemsViewController() const
{
    return childAs<SideMenuItemsViewController>(0);
}

SideMenuContentViewController* SideMenuViewController::contentViewController() const
{
    return childAs<SideMenuContentViewController>(1);
}

bool SideMenuViewController::isMenuContentCollapsed() const
{
    auto* content = contentViewController();
    return !content || content->isHidden();
}

void SideMenuViewController::closeMenuContent()
{
    if (isMenuContentCollapsed()) return;
    if (auto* content = contentViewController()) content->hide();
}

void SideMenuViewController::openMenuContent()
{
    if (auto* content = contentViewController()) content->show();
}

void SideMenuViewController::setContentMaximumWidth(int width)
{
    if (auto* content = contentViewController()) content->setMaximumWidth(width);
}
