#include "Projects/ui/SideMenuItemsViewController.h"

#include "Components/CreateComponentSession.h"
#include "Components/ui/ConvertViewComponentViewController.h"
#include "Components/ui/CreateComponentViewController.h"
#include "Projects/ui/SideMenuContentViewController.h"
#include "Projects/ui/SideMenuViewController.h"
#include "platform/Dialogs.h"
#include "platform/Localization.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace {

struct Item {
    SideMenuContentType type;
    const char* titleKey;
};

// Component information is reached from the components page, not from a button of its own.
constexpr Item kItems[] = {
    {SideMenuContentType::views, "sideMenu.views"},
    {SideMenuContentType::components, "sideMenu.components"},
    {SideMenuContentType::createComponent, "sideMenu.createComponent"},
    {SideMenuContentType::convertView, "sideMenu.convertView"},
    {SideMenuContentType::colors, "sideMenu.colors"},
    {SideMenuContentType::textStyles, "sideMenu.textStyles"},
    {SideMenuContentType::images, "sideMenu.images"},
};

SideMenuContentViewController* contentOf(const SideMenuItemsViewController* items)
{
    auto* side = items->parentAs<SideMenuViewController>();
    return side ? side->contentViewController() : nullptr;
}

} // namespace

SideMenuItemsViewController* SideMenuItemsViewController::instantiate()
{
    return new SideMenuItemsViewController;
}

SideMenuItemsViewController::SideMenuItemsViewController()
{
    setObjectName(QStringLiteral("SideMenuItemsViewController"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 8, 4, 8);
    layout->setSpacing(4);
    for (const Item& item : kItems) {
        auto* button = new QToolButton(this);
        button->setText(platform::localized(item.titleKey));
        button->setCheckable(true);
        button->setAutoExclusive(false);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setMinimumWidth(132);
        button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        button->setObjectName(QString::fromLatin1(item.titleKey));
        layout->addWidget(button);
        const SideMenuContentType type = item.type;
        connect(button, &QToolButton::clicked, this, [this, type] { buttonClicked(type); });
        m_buttons.emplace(type, button);
    }
    layout->addStretch(1);
    // The pane opens on the views page.
    if (QToolButton* views = button(SideMenuContentType::views)) views->setChecked(true);
}

QToolButton* SideMenuItemsViewController::button(SideMenuContentType type) const
{
    const auto found = m_buttons.find(type);
    return found == m_buttons.end() ? nullptr : found->second;
}

void SideMenuItemsViewController::buttonClicked(SideMenuContentType type)
{
    auto* side = parentAs<SideMenuViewController>();
    SideMenuContentViewController* content = contentOf(this);
    if (!side || !content) return;
    // Only a page's own button folds it; both roads set the buttons' checked states.
    if (!side->isMenuContentCollapsed() && content->activeType() == type) {
        side->closeMenuContent();
        return;
    }
    if (type == SideMenuContentType::createComponent) openCreateComponent();
    else if (type == SideMenuContentType::convertView) openConvertView();
    else openPage(type);
}

void SideMenuItemsViewController::openPage(SideMenuContentType type)
{
    if (SideMenuContentViewController* content = contentOf(this)) content->open(type);
}

void SideMenuItemsViewController::showOpenPage(std::optional<SideMenuContentType> type)
{
    if (type == SideMenuContentType::componentInfo) type = SideMenuContentType::components;
    for (const auto& [buttonType, b] : m_buttons) b->setChecked(buttonType == type);
}

bool SideMenuItemsViewController::mayLeaveActiveComponentPage() const
{
    if (CreateComponentSession::session().progress != CreateComponentProgress::active) return true;
    SideMenuContentViewController* content = contentOf(this);
    ViewController* active = content ? content->getActiveVC() : nullptr;
    if (!qobject_cast<CreateComponentViewController*>(active) && !qobject_cast<ConvertViewComponentViewController*>(active))
        return true;
    const int answer = platform::Dialogs::presenter().confirmation(
        platform::localized("sideMenu.leaveComponent.question"),
        {platform::localized("sideMenu.leaveComponent.leave"), platform::localized("common.cancel")}, QString());
    return answer == platform::kAlertFirstButtonReturn;
}

void SideMenuItemsViewController::openCreateComponent()
{
    SideMenuContentViewController* content = contentOf(this);
    if (content && content->activeType() != SideMenuContentType::createComponent && !mayLeaveActiveComponentPage()) return;
    openPage(SideMenuContentType::createComponent);
}

void SideMenuItemsViewController::openConvertView()
{
    SideMenuContentViewController* content = contentOf(this);
    if (content && content->activeType() != SideMenuContentType::convertView && !mayLeaveActiveComponentPage()) return;
    openPage(SideMenuContentType::convertView);
}
