#include "Projects/ui/MainViewController.h"

#include "App/ui/MainContentViewController.h"
#include "Projects/ui/SideMenuViewController.h"

#include <QHBoxLayout>
#include <QSplitter>

MainViewController* MainViewController::instantiate()
{
    return new MainViewController;
}

MainViewController::MainViewController()
{
    setObjectName(QStringLiteral("MainViewController"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setChildrenCollapsible(false);
    layout->addWidget(m_splitter);

    auto* side = SideMenuViewController::instantiate();
    auto* content = MainContentViewController::instantiate();
    m_splitter->addWidget(side);
    m_splitter->addWidget(content);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    addChildController(side);
    addChildController(content);
}

SideMenuViewController* MainViewController::sideMenu() const
{
    return childAs<SideMenuViewController>(0);
}

MainContentViewController* MainViewController::contentStack() const
{
    return childAs<MainContentViewController>(1);
}

void MainViewController::setSideMenuVisible(bool visible)
{
    if (auto* side = sideMenu()) side->setVisible(visible);
}
