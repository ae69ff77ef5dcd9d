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
using Titles = std::vector<std::string>;

// The project window's root with the side menu beside the content stack, as the user sees it.
class SideMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root.reset(MainViewController::instantiate());
        root->resize(1200, 800);
        root->show();
        side = root->sideMenu();
        items = side->itemsViewController();
        content = side->contentViewController();
        views = qobject_cast<ViewsViewController*>(content->getVC(Type::views));
        ASSERT_NE(views, nullptr);
        views->update({}, viewtree::screenTree());
        QApplication::processEvents();
    }

    Titles checked() const
    {
        Titles result;
        for (const QToolButton* button : items->findChildren<QToolButton*>()) {
            if (button->isChecked()) result.push_back(button->text().toStdString());
        }
        return result;
    }
    Titles titleOf(Type type) const { return {items->button(type)->text().toStdString()}; }
    void clickButton(Type type) { QTest::mouseClick(items->button(type), Qt::LeftButton); }

    // The room between the menu's buttons and the content beside the menu, less the splitter's handle.
    int emptyBesideTheButtons() const
    {
        QApplication::processEvents();
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
        {"row menu's Convert to ..",
         [this] {
             ViewTreeOutlineView* outline = views->outlineView();
             std::unique_ptr<QMenu> menu(views->outlineViewMenuForItem(outline, outline->indexAtRow(1), 1));
             menu->actions().constLast()->trigger(); // "Convert to .." comes last
         },
         Type::convertView},
        {"create from rows", [this] { views->createComponentItems({}); }, Type::createComponent},
        {"the button", [this] { clickButton(Type::colors); }, Type::colors},
    };
    for (const auto& c : cases) {
        content->open(Type::views);
        ASSERT_EQ(checked(), titleOf(Type::views)) << c.road;
        c.open();
        EXPECT_EQ(content->activeType(), c.page) << c.road;
        EXPECT_EQ(checked(), titleOf(c.page)) << c.road;
    }
    // the information page is one of the components pages
    content->open(Type::componentInfo);
    EXPECT_EQ(checked(), titleOf(Type::components));
}

// Closing used to hide the page but leave its button checked and the pane's width empty.
TEST_F(SideMenuTest, ClosingAPageUnchecksItsButtonAndGivesThePaneWidthBack)
{
    // the pane opens on the views page, whose button would fold it
    side->closeMenuContent();
    EXPECT_EQ(emptyBesideTheButtons(), 0);
    for (const Type type : {Type::views, Type::components, Type::createComponent, Type::convertView, Type::colors,
                            Type::textStyles}) {
        const auto name = tabIndex(type);
        clickButton(type);
        ASSERT_EQ(checked(), titleOf(type)) << name;
        EXPECT_GE(emptyBesideTheButtons(), content->minimumWidth()) << name;

        QTest::mouseClick(content->getVC(type)->findChild<SearchableListHeader*>()->closeButton(), Qt::LeftButton);
        EXPECT_TRUE(side->isMenuContentCollapsed()) << name;
        EXPECT_EQ(checked(), Titles{}) << name;
        EXPECT_EQ(emptyBesideTheButtons(), 0) << name;
    }
    // a second click on the open page's button folds the pane the same way
    clickButton(Type::colors);
    clickButton(Type::colors);
    EXPECT_EQ(checked(), Titles{});
    EXPECT_EQ(emptyBesideTheButtons(), 0);
}

} // namespace
