#include "Editor/ui/EditorTestKit.h"

#include "App/ui/MainContentViewController.h"
#include "App/ui/SearchableListHeader.h"
#include "App/ui/TutorialManager.h"
#include "Projects/ui/MainViewController.h"
#include "Projects/ui/ProjectScreensViewController.h"
#include "Projects/ui/ProjectsViewController.h"
#include "Projects/ui/SideMenuContentViewController.h"
#include "Projects/ui/SideMenuItemsViewController.h"
#include "Projects/ui/SideMenuViewController.h"
#include "Editor/Canvas/ui/MainEditorDesignViewController.h"
#include "Editor/Pages/ui/ViewsViewController.h"
#include "platform/Localization.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTableWidget>
#include <QToolButton>

#include <utility>

using namespace editortest;
using windowtest::waitUntil;

namespace {

class ProjectWindowHomeTest : public EditorTest {
protected:
    std::vector<std::string> gridLabels(const ProjectScreensViewController* screens) const
    {
        std::vector<std::string> labels;
        for (int i = 0; i < screens->gridView()->count(); ++i) labels.push_back(screens->gridView()->item(i)->text().toStdString());
        return labels;
    }

    // The titles of the side menu's checked buttons.
    std::vector<std::string> checkedSideMenuButtons() const
    {
        std::vector<std::string> titles;
        for (const QToolButton* button : window->mainViewController()->sideMenu()->findChildren<QToolButton*>())
            if (button->isChecked()) titles.push_back(button->text().toStdString());
        return titles;
    }
    std::vector<std::string> titleOf(SideMenuContentType type) const
    {
        return {window->mainViewController()->sideMenu()->itemsViewController()->button(type)->text().toStdString()};
    }
    // The room between the side menu's buttons and the content beside the menu, less the splitter's handle.
    int emptyBesideTheSideMenuButtons() const
    {
        QApplication::processEvents();
        MainViewController* root = window->mainViewController();
        const QWidget* buttons = root->sideMenu()->itemsViewController();
        return root->contentStack()->geometry().left() - root->findChild<QSplitter*>()->handleWidth() -
               (root->sideMenu()->geometry().left() + buttons->width());
    }
};

TEST_F(ProjectWindowHomeTest, ProjectOpensItsScreensAndTheWayBackLeadsToTheList)
{
    startService(boost::json::serialize(boost::json::array{noPreviews()}));
    window = new ProjectMainWindowController;
    AllProjectResponse response;
    ProjectDisplayInfo twoScreens = project();
    twoScreens.artboardIds = {"artboard-1", "artboard-2"};
    response.projects = {twoScreens};
    window->updateProjects(response);
    window->bringToFront();
    EXPECT_FALSE(window->backAction()->isEnabled());

    auto* list = window->projectsViewController();
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.data()));
    const QPoint cell = list->tableView()->visualItemRect(list->tableView()->item(0, 0)).center();
    QTest::mouseClick(list->tableView()->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(list->tableView()->viewport(), Qt::LeftButton, {}, cell);
    ASSERT_NE(window->contentStack(), nullptr);
    auto* screens = qobject_cast<ProjectScreensViewController*>(window->contentStack()->currentViewController());
    ASSERT_NE(screens, nullptr);
    EXPECT_EQ(gridLabels(screens), (std::vector<std::string>{"Screen 1", "Screen 2"}));
    ASSERT_TRUE(waitForRequests("resource/downloadArtboardPreview", 2));
    EXPECT_TRUE(window->backAction()->isEnabled());
    EXPECT_TRUE(window->signOutAction()->isEnabled());
    EXPECT_FALSE(window->mainViewController()->sideMenu()->isVisible()) << "no side menu without an open screen";

    window->backAction()->trigger();
    EXPECT_NE(window->projectsViewController(), nullptr);
    EXPECT_EQ(windowtest::tableColumn(window->projectsViewController()->tableView(), 0), (std::vector<std::string>{"Demo"}));
}

TEST_F(ProjectWindowHomeTest, OpenedScreenShowsTheSideMenuAndNamesItsThumbnail)
{
    ASSERT_TRUE(openEditor());
    EXPECT_TRUE(window->mainViewController()->sideMenu()->isVisible());
    // Opened straight from a test, the editor has nothing below it: back leads to the list.
    window->goBack();
    ASSERT_NE(window->projectsViewController(), nullptr);
    // The project's grid names the screen after its detail.
    window->openProject(project());
    ASSERT_TRUE(waitForRequests("resource/downloadArtboardPreview", 2));
    auto* screens = qobject_cast<ProjectScreensViewController*>(window->contentStack()->currentViewController());
    ASSERT_NE(screens, nullptr);
    EXPECT_EQ(gridLabels(screens), (std::vector<std::string>{"Home"}));
    EXPECT_FALSE(window->mainViewController()->sideMenu()->isVisible());
}

// Only a finished upload brings the list forward; the window's own refresh leaves the editor be.
TEST_F(ProjectWindowHomeTest, RefreshReloadsTheListBehindTheOpenEditor)
{
    ASSERT_TRUE(openEditor());
    window->refreshAction()->trigger();
    ASSERT_TRUE(waitUntil([this] { return window->projects().projects.size() == 2; }));
    EXPECT_EQ(window->mainEditor(), editor.data());
}

TEST_F(ProjectWindowHomeTest, NewWindowLiesWithinTheScreensAvailableArea)
{
    window = new ProjectMainWindowController;
    window->bringToFront();
    const QRect available = window->screen()->availableGeometry();
    const QRect frame = window->frameGeometry();
    EXPECT_TRUE(available.contains(frame.topLeft()));
    if (frame.width() <= available.width() && frame.height() <= available.height()) {
        EXPECT_TRUE(available.contains(frame));
        EXPECT_LE(std::abs(frame.center().x() - available.center().x()), 1);
    }
}

TEST_F(ProjectWindowHomeTest, SideMenuButtonsOpenTheirPagesAndASecondClickFoldsThePane)
{
    ASSERT_TRUE(openEditor());
    auto* side = window->mainViewController()->sideMenu();
    auto* items = side->itemsViewController();
    auto* content = side->contentViewController();
    // The pane opens on the views page.
    EXPECT_EQ(content->activeType(), SideMenuContentType::views);
    EXPECT_FALSE(side->isMenuContentCollapsed());
    const std::vector<SideMenuContentType> order = {SideMenuContentType::components, SideMenuContentType::colors,
                                                    SideMenuContentType::textStyles, SideMenuContentType::images,
                                                    SideMenuContentType::views};
    for (SideMenuContentType type : order) {
        QTest::mouseClick(items->button(type), Qt::LeftButton);
        EXPECT_EQ(content->activeType(), type);
        EXPECT_EQ(content->getActiveVC(), content->getVC(type));
        EXPECT_FALSE(side->isMenuContentCollapsed());
    }
    QTest::mouseClick(items->button(SideMenuContentType::views), Qt::LeftButton);
    EXPECT_TRUE(side->isMenuContentCollapsed());
    EXPECT_FALSE(items->button(SideMenuContentType::views)->isChecked());
    side->closeMenuContent(); // already collapsed: stays so
    EXPECT_TRUE(side->isMenuContentCollapsed());
    EXPECT_EQ(SideMenuViewController::SIDE_MENU_CONTENT_MAX_WIDTH, 300);
}

// A page opened from another page used to leave the button of the page before checked; folding
// the pane left its page's button checked and the pane's width empty beside the buttons.
TEST_F(ProjectWindowHomeTest, SideMenuButtonsFollowTheShownPageAndAFoldedPaneGivesItsWidthBack)
{
    using Type = SideMenuContentType;
    ASSERT_TRUE(openEditor());
    window->resize(1200, 800);
    SideMenuViewController* side = window->mainViewController()->sideMenu();
    SideMenuContentViewController* content = side->contentViewController();
    auto* views = qobject_cast<ViewsViewController*>(content->getVC(Type::views));
    ASSERT_NE(views, nullptr);
    QTest::mouseClick(views->header()->rightActionButton(), Qt::LeftButton); // "Convert to .."
    EXPECT_EQ(checkedSideMenuButtons(), titleOf(Type::convertView));
    content->open(Type::componentInfo); // one of the components pages
    EXPECT_EQ(checkedSideMenuButtons(), titleOf(Type::components));

    QTest::mouseClick(side->itemsViewController()->button(Type::colors), Qt::LeftButton);
    int paneWidth = -1; // once the layout has settled: the same on two turns of the event loop
    ASSERT_TRUE(waitUntil([&] {
        const int now = emptyBesideTheSideMenuButtons();
        return std::exchange(paneWidth, now) == now && now > 0;
    }));
    QTest::mouseClick(content->getVC(Type::colors)->findChild<SearchableListHeader*>()->closeButton(), Qt::LeftButton);
    EXPECT_EQ(checkedSideMenuButtons(), std::vector<std::string>{});
    // The splitters lay out on later turns of the event loop; a loaded machine may need several.
    EXPECT_TRUE(waitUntil([&] { return emptyBesideTheSideMenuButtons() == 0; })) << emptyBesideTheSideMenuButtons();
    QTest::mouseClick(side->itemsViewController()->button(Type::colors), Qt::LeftButton);
    EXPECT_EQ(checkedSideMenuButtons(), titleOf(Type::colors));
    EXPECT_TRUE(waitUntil([&] { return emptyBesideTheSideMenuButtons() == paneWidth; }))
        << emptyBesideTheSideMenuButtons() << " vs " << paneWidth << ": the pane opens again as wide as it was";
}

TEST_F(ProjectWindowHomeTest, TutorialPopupOpensBesideItsAnchorAndRunsItsCloseHandler)
{
    ASSERT_TRUE(openEditor());
    int closed = 0;
    QWidget* anchor = editor->getDesignViewController();
    TutorialManager::instance().openTutorial(TutorialType::drag, anchor, anchor, QSize(316, 338), Qt::RightEdge,
                                             [&closed] { ++closed; });
    QFrame* popup = TutorialManager::instance().openPopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->size(), QSize(316, 338));
    EXPECT_EQ(popup->findChild<QLabel*>(QStringLiteral("tutorialText"))->text(), platform::localized("tutorial.drag"));
    TutorialManager::instance().closeTutorial();
    windowtest::flushDeletions();
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(TutorialManager::instance().openPopup(), nullptr);
}

} // namespace
