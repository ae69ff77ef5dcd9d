#include "App/ui/WindowTestSupport.h"

#include "Import/Plugin/ui/ExportViewController.h"
#include "Projects/ui/CreateNewProjectViewController.h"
#include "Projects/ui/ProjectSelectionViewController.h"
#include "Projects/ui/ProjectWindowController.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <string>
#include <vector>

using namespace windowtest;

namespace {

AllProjectResponse twoProjects()
{
    AllProjectResponse response;
    response.projects = {ProjectDisplayInfo{{}, "demo-ios", "iOS", "", "Demo iOS", {}, {}, 0, {}},
                         ProjectDisplayInfo{{}, "demo-android", "Android", "", "Demo Android", {}, {}, 0, {}}};
    return response;
}

class ProjectSelectionTest : public WindowTest {
protected:
    // The selection window of an import, as the navigator leaves it.
    ProjectSelectionViewController* openSelection(const AllProjectResponse& response)
    {
        window = new ProjectWindowController;
        window->setContentViewController(ProjectSelectionViewController::instantiate(response));
        window->bringToFront();
        ExportHelper::importer().windowController = window.data();
        return qobject_cast<ProjectSelectionViewController*>(window->contentViewController());
    }

    ExportViewController* progressScreen() const
    {
        return window ? qobject_cast<ExportViewController*>(window->contentViewController()) : nullptr;
    }

    // The stand-in with the demo user signed in and the creation screen open over the list.
    CreateNewProjectViewController* openCreation(const std::string& script = {})
    {
        startService(script);
        EXPECT_TRUE(signInDemoUser());
        service->clearRecords();
        QTest::mouseClick(openSelection(twoProjects())->newProjectButton(), Qt::LeftButton);
        return qobject_cast<CreateNewProjectViewController*>(window->contentViewController());
    }

    QPointer<ProjectWindowController> window;
};

TEST_F(ProjectSelectionTest, DoubleClickRecordsProjectAndPlatformAndShowsTheProgressScreen)
{
    const struct {
        int row;
        const char* projectId;
        const char* platform;
    } cases[] = {{0, "demo-ios", "iOS"}, {1, "demo-android", "Android"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.projectId);
        closeEveryWindow();
        resetExportHelper();
        QTableWidget* table = openSelection(twoProjects())->tableView();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.data()));
        // a real double click: press, release, then the double-click event on the same cell
        const QPoint cell = table->visualItemRect(table->item(c.row, 0)).center();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell);

        EXPECT_EQ(ExportHelper::importer().projectId, std::optional<std::string>(c.projectId));
        EXPECT_EQ(ExportHelper::importer().platform, c.platform);
        ExportViewController* screen = progressScreen();
        ASSERT_NE(screen, nullptr);
        ASSERT_TRUE(screen->project.has_value());
        EXPECT_EQ(screen->project->projectId, c.projectId);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Uploading Design"));
    }
}

TEST_F(ProjectSelectionTest, ShowsEveryProjectAndADoubleClickOutsideAnyRowStartsNothing)
{
    auto* selection = openSelection(twoProjects());
    EXPECT_EQ(tableColumn(selection->tableView(), 0), (std::vector<std::string>{"Demo iOS", "Demo Android"}));
    EXPECT_EQ(tableColumn(selection->tableView(), 1), (std::vector<std::string>{"iOS", "Android"}));
    selection->tableViewDoubleClick(-1);
    selection->tableViewDoubleClick(2);
    EXPECT_FALSE(ExportHelper::importer().projectId.has_value());
    EXPECT_EQ(progressScreen(), nullptr);

    auto* empty = openSelection(AllProjectResponse{});
    EXPECT_TRUE(empty->tableView()->isHidden());
    EXPECT_FALSE(empty->emptyLabel()->isHidden());
}

TEST_F(ProjectSelectionTest, CreatedProjectTakesNameAndPlatformAndReceivesTheUpload)
{
    CreateNewProjectViewController* create = openCreation();
    ASSERT_NE(create, nullptr);
    QTest::keyClicks(create->nameField(), QStringLiteral("  Weather  "));
    create->platformField()->setCurrentIndex(create->platformField()->findText(QStringLiteral("Android")));
    QTest::mouseClick(create->createButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return progressScreen() != nullptr; }));

    const auto records = service->records();
    ASSERT_EQ(service->recordedPaths(), std::vector<std::string>{"project/create"});
    EXPECT_EQ(StandinService::bodyString(records[0], "name"), "Weather");
    EXPECT_EQ(StandinService::bodyString(records[0], "platform"), "Android");
    ExportViewController* screen = progressScreen();
    ASSERT_TRUE(screen->project.has_value());
    EXPECT_EQ(screen->project->name, "Weather");
    EXPECT_FALSE(screen->project->projectId.empty());
    EXPECT_EQ(ExportHelper::importer().projectId, screen->project->projectId);
    EXPECT_EQ(ExportHelper::importer().platform, "Android");
}

TEST_F(ProjectSelectionTest, BlankProjectNameIsRefusedWithoutARequestAndBackReturnsToTheSameList)
{
    CreateNewProjectViewController* create = openCreation();
    QTest::keyClicks(create->nameField(), QStringLiteral("   "));
    QTest::mouseClick(create->createButton(), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(create->messageLabel()->text(), QStringLiteral("Please enter a name for the project."));
    EXPECT_EQ(window->contentViewController(), create);

    QTest::mouseClick(create->backButton(), Qt::LeftButton);
    auto* selection = qobject_cast<ProjectSelectionViewController*>(window->contentViewController());
    ASSERT_NE(selection, nullptr);
    EXPECT_EQ(selection->tableView()->rowCount(), 2);
    EXPECT_TRUE(service->records().empty());
}

// The service first refuses the name, then answers without a project.
TEST_F(ProjectSelectionTest, CreationReplyWithoutAProjectDoesNotUploadIntoNoProject)
{
    CreateNewProjectViewController* create = openCreation(
        R"([{"path":"project/create","body":{"errorModel":{"errorId":30001,"errorMsg":"A project with this name exists."}}},)"
        R"( {"path":"project/create","body":{"status":true}}])");
    QTest::keyClicks(create->nameField(), QStringLiteral("Demo iOS"));
    QTest::mouseClick(create->createButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return create->createButton()->isEnabled(); }));
    EXPECT_EQ(create->messageLabel()->text(), QStringLiteral("A project with this name exists."));
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_EQ(window->contentViewController(), create);

    QTest::mouseClick(create->createButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return service->records().size() == 2 && create->createButton()->isEnabled(); }));
    EXPECT_EQ(create->messageLabel()->text(), QStringLiteral("An error occurred. Please try again."));
    EXPECT_FALSE(ExportHelper::importer().projectId.has_value());
    EXPECT_EQ(progressScreen(), nullptr);
}

} // namespace
