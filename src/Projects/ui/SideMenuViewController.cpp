#include "Projects/ui/SideMenuViewController.h"

#include "Projects/ui/SideMenuContentViewController.h"
#include "Projects/ui/SideMenuItemsViewController.h"

#include <QHBoxLayout>
#include <QSplitter>

#include <algorithm>

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
    m_openWidth = width();
    if (auto* content = contentViewController()) content->hide();
    if (auto* items = itemsViewController()) {
        // no wider than the buttons, also when the user drags the window's splitter
        setMaximumWidth(items->sizeHint().width());
        resizeInWindowSplitter(items->sizeHint().width());
        items->showOpenPage(std::nullopt);
    }
}

void SideMenuViewController::openMenuContent()
{
    if (!isMenuContentCollapsed()) return;
    setMaximumWidth(QWIDGETSIZE_MAX);
    if (auto* content = contentViewController()) content->show();
    resizeInWindowSplitter(std::max(m_openWidth, minimumSizeHint().width()));
}

void SideMenuViewController::resizeInWindowSplitter(int width)
{
    // The splitter that holds the menu keeps the width it gave it, whatever the menu's own
    // limits say: a folded pane would stay as an empty panel beside the buttons. The room goes
    // to (or comes from) the widget after the menu.
    auto* splitter = qobject_cast<QSplitter*>(parentWidget());
    if (!splitter) return;
    const int index = splitter->indexOf(this);
    QList<int> sizes = splitter->sizes();
    if (index < 0 || index + 1 >= sizes.size()) return;
    sizes[index + 1] += sizes[index] - width;
    sizes[index] = width;
    splitter->setSizes(sizes);
}

void SideMenuViewController::setContentMaximumWidth(int width)
{
    if (auto* content = contentViewController()) content->setMaximumWidth(width);
}

void SideMenuViewController::widenContent(int width)
{
    auto* content = contentViewController();
    if (!content || isMenuContentCollapsed()) return;
    const int wanted = std::clamp(width, content->minimumWidth(), content->maximumWidth());
    if (content->width() >= wanted) return;
    resizeInWindowSplitter(this->width() + wanted - content->width());
}
