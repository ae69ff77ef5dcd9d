#include "App/ui/MainContentViewController.h"
#include "App/ui/SearchableListHeader.h"
#include "Editor/Pages/ViewTreeTestTrees.h"
#include "Editor/Pages/ui/ViewsViewController.h"
#include "Projects/ui/MainViewController.h"
#include "Projects/ui/SideMenuContentViewController.h"
#include "Projects/ui/SideMenuItemsViewController.h"
#include "Projects/ui/SideMenuViewController.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Type = SideMenuContentType;

const std::vector<Type> kButtonTypes{Type::views,  Type::components, Type::createComponent, Type::convertView,
                                     Type::colors, Type::textStyles, Type::images};

// The project window's root with the side menu beside the content stack, as the user sees it.
class SideMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root.reset(MainViewController::instantiate());
        root->resize(1200, 800);
        root->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(root.get()));
        side = root->sideMenu();
        ASSERT_NE(side, nullptr);
        items = side->itemsViewController();
        content = side->contentViewController();
        ASSERT_TRUE(items && content);
        views = qobject_cast<ViewsViewController*>(content->getVC(Type::views));
        ASSERT_NE(views, nullptr);
        views->update({}, viewtree::screenTree());
    }

    // The titles of the buttons that show as checked.
    std::vector<std::string> checked() const
    {
        std::vector<std::string> result;
        for (const Type type : kButtonTypes) {
            if (items->button(type)->isChecked()) result.push_back(items->button(type)->text().toStdString());
        }
        return result;
    }
    std::vector<std::string> titleOf(Type type) const { return {items->button(type)->text().toStdString()}; }

    void clickButton(Type type) { QTest::mouseClick(items->button(type), Qt::LeftButton); }

    void triggerRowMenu(const QString& title)
    {
        QMenu* menu = views->outlineViewMenuForItem(views->outlineView(), views->outlineView()->indexAtRow(1), 1);
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions()) {
            if (action->text() == title) action->trigger();
        }
        delete menu;
    }

    // Settles the layouts of the window's splitters.
    void settle() { QApplication::processEvents(); }

    // The room between the side menu's buttons and the content beside the menu (the screens or
    // the editor), less the splitter's handle.
    int emptyBesideTheButtons() const
    {
        const int handle = root->findChild<QSplitter*>()->handleWidth();
        return root->contentStack()->geometry().left() - handle - (side->geometry().left() + items->width());
    }

    std::unique_ptr<MainViewController> root;
    SideMenuViewController* side = nullptr;
    SideMenuItemsViewController* items = nullptr;
    SideMenuContentViewController* content = nullptr;
    ViewsViewController* views = nullptr;
};

// "Views" used to stay checked while the convert page showed.
TEST_F(SideMenuTest, APageOpenedFromTheViewsPageChecksItsOwnButton)
{
    const struct {
        const char* road;
        std::function<void()> open;
        Type page;
    } cases[] = {
        {"header's Convert to ..", [this] { QTest::mouseClick(views->header()->rightActionButton(), Qt::LeftButton); },
         Type::convertView},
        {"row menu's Convert to ..", [this] { triggerRowMenu(QStringLiteral("Convert to ..")); }, Type::convertView},
        {"create from rows", [this] { views->createComponentItems({}); }, Type::createComponent},
        {"the button", [this] { clickButton(Type::colors); }, Type::colors},
    };
    for (const auto& c : cases) {
        content->open(Type::views);
        ASSERT_EQ(checked(), titleOf(Type::views)) << c.road;
        c.open();
        EXPECT_EQ(content->activeType(), c.page) << c.road;
        EXPECT_EQ(checked(), titleOf(c.page)) << c.road;
        EXPECT_FALSE(side->isMenuContentCollapsed()) << c.road;
    }
    // the information page is one of the components pages
    content->open(Type::componentInfo);
    EXPECT_EQ(checked(), titleOf(Type::components));
}

// Closing used to hide the page but leave its button checked and the pane's width empty.
TEST_F(SideMenuTest, ClosingAPageUnchecksItsButtonAndGivesThePaneWidthBack)
{
    settle();
    // the pane opens on the views page, whose button would fold it
    side->closeMenuContent();
    settle();
    EXPECT_EQ(emptyBesideTheButtons(), 0);
    for (const Type type : {Type::views, Type::components, Type::createComponent, Type::convertView, Type::colors,
                            Type::textStyles}) {
        const std::string name = std::to_string(tabIndex(type));
        clickButton(type);
        settle();
        ASSERT_EQ(checked(), titleOf(type)) << name;
        EXPECT_GE(emptyBesideTheButtons(), content->minimumWidth()) << name;

        auto* header = content->getVC(type)->findChild<SearchableListHeader*>();
        ASSERT_NE(header, nullptr) << name;
        QTest::mouseClick(header->closeButton(), Qt::LeftButton);
        settle();
        EXPECT_TRUE(side->isMenuContentCollapsed()) << name;
        EXPECT_EQ(checked(), std::vector<std::string>{}) << name;
        EXPECT_EQ(emptyBesideTheButtons(), 0) << name;
    }
    // a second click on the open page's button folds the pane the same way
    clickButton(Type::colors);
    clickButton(Type::colors);
    settle();
    EXPECT_TRUE(side->isMenuContentCollapsed());
    EXPECT_EQ(checked(), std::vector<std::string>{});
    EXPECT_EQ(emptyBesideTheButtons(), 0);
}

} // namespace
