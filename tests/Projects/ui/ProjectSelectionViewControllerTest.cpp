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

#include <ostream>
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

    static void doubleClickRow(QTableWidget* table, int row)
    {
        const QRect cell = table->visualItemRect(table->item(row, 0));
        // A real double click: press, release, then the double-click event on the same cell.
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    }

    ExportViewController* progressScreen() const
    {
        return window ? qobject_cast<ExportViewController*>(window->contentViewController()) : nullptr;
    }

    QPointer<ProjectWindowController> window;
};

// ---- choosing a project -----------------------------------------------------------------------

struct ChoiceCase {
    const char* name;
    int row;
    const char* projectId;
    const char* platform;
};
void PrintTo(const ChoiceCase& c, std::ostream* os) { *os << c.name; }

class DoubleClickChoice : public ProjectSelectionTest, public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(DoubleClickChoice, RecordsProjectAndPlatformAndShowsTheProgressScreen)
{
    const ChoiceCase& c = GetParam();
    auto* selection = openSelection(twoProjects());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.data()));

    doubleClickRow(selection->tableView(), c.row);

    EXPECT_EQ(ExportHelper::importer().projectId, std::optional<std::string>(c.projectId));
    EXPECT_EQ(ExportHelper::importer().platform, c.platform);
    ExportViewController* screen = progressScreen();
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(screen->project.has_value());
    EXPECT_EQ(screen->project->projectId, c.projectId);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Uploading Design"));
}

INSTANTIATE_TEST_SUITE_P(Table, DoubleClickChoice,
                         ::testing::Values(ChoiceCase{"iosRow", 0, "demo-ios", "iOS"},
                                           ChoiceCase{"androidRowReplacesDefaultPlatform", 1, "demo-android", "Android"}),
                         ::testing::PrintToStringParamName());

TEST_F(ProjectSelectionTest, ShowsEveryProjectAndADoubleClickOutsideAnyRowStartsNothing)
{
    auto* selection = openSelection(twoProjects());
    EXPECT_EQ(tableColumn(selection->tableView(), 0), (std::vector<std::string>{"Demo iOS", "Demo Android"}));
    EXPECT_EQ(tableColumn(selection->tableView(), 1), (std::vector<std::string>{"iOS", "Android"}));
    EXPECT_TRUE(selection->emptyLabel()->isHidden());
    selection->tableViewDoubleClick(-1);
    selection->tableViewDoubleClick(2);
    EXPECT_FALSE(ExportHelper::importer().projectId.has_value());
    EXPECT_EQ(progressScreen(), nullptr);

    auto* empty = openSelection(AllProjectResponse{});
    EXPECT_TRUE(empty->tableView()->isHidden());
    EXPECT_FALSE(empty->emptyLabel()->isHidden());
}

// ---- creating a project for the import --------------------------------------------------------

class CreateProjectTest : public ProjectSelectionTest {
protected:
    void SetUp() override
    {
        ProjectSelectionTest::SetUp();
        startService(script);
        ASSERT_TRUE(signInDemoUser());
        service->clearRecords();
    }

    CreateNewProjectViewController* openCreation()
    {
        auto* selection = openSelection(twoProjects());
        QTest::mouseClick(selection->newProjectButton(), Qt::LeftButton);
        return qobject_cast<CreateNewProjectViewController*>(window->contentViewController());
    }

    std::string script;
};

class CreateForPlatform : public CreateProjectTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(CreateForPlatform, CreatesTheProjectAndUploadsIntoIt)
{
    const char* platform = GetParam();
    CreateNewProjectViewController* create = openCreation();
    ASSERT_NE(create, nullptr);
    QTest::keyClicks(create->nameField(), QStringLiteral("  Weather  "));
    create->platformField()->setCurrentIndex(create->platformField()->findText(QString::fromLatin1(platform)));
    QTest::mouseClick(create->createButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return progressScreen() != nullptr; }));

    const auto records = service->records();
    ASSERT_EQ(service->recordedPaths(), std::vector<std::string>{"project/create"});
    EXPECT_EQ(StandinService::bodyString(records[0], "name"), "Weather");
    EXPECT_EQ(StandinService::bodyString(records[0], "platform"), platform);

    ExportViewController* screen = progressScreen();
    ASSERT_TRUE(screen->project.has_value());
    EXPECT_EQ(screen->project->name, "Weather");
    EXPECT_FALSE(screen->project->projectId.empty());
    EXPECT_EQ(ExportHelper::importer().projectId, screen->project->projectId);
    EXPECT_EQ(ExportHelper::importer().platform, platform);
}

INSTANTIATE_TEST_SUITE_P(Table, CreateForPlatform, ::testing::Values("iOS", "Android"));

TEST_F(CreateProjectTest, BlankNameIsRefusedWithoutARequestAndBackReturnsToTheSameList)
{
    CreateNewProjectViewController* create = openCreation();
    QTest::keyClicks(create->nameField(), QStringLiteral("   "));
    QTest::mouseClick(create->createButton(), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(create->messageLabel()->text(), QStringLiteral("Please enter a name for the project."));
    EXPECT_FALSE(create->messageLabel()->isHidden());
    EXPECT_EQ(window->contentViewController(), create);

    QTest::mouseClick(create->backButton(), Qt::LeftButton);
    auto* selection = qobject_cast<ProjectSelectionViewController*>(window->contentViewController());
    ASSERT_NE(selection, nullptr);
    EXPECT_EQ(selection->tableView()->rowCount(), 2);
    EXPECT_TRUE(service->records().empty());
}

class CreateProjectFailureTest : public CreateProjectTest {
protected:
    void SetUp() override
    {
        script =
            R"([{"path":"project/create","body":{"errorModel":{"errorId":30001,"errorMsg":"A project with this name exists."}}},)"
            R"( {"path":"project/create","body":{"status":true}}])";
        CreateProjectTest::SetUp();
    }
};

// The service first refuses the name, then answers without a project.
TEST_F(CreateProjectFailureTest, ReplyWithoutAProjectDoesNotUploadIntoNoProject)
{
    CreateNewProjectViewController* create = openCreation();
    QTest::keyClicks(create->nameField(), QStringLiteral("Demo iOS"));
    QTest::mouseClick(create->createButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return create->createButton()->isEnabled(); }));
    EXPECT_EQ(create->messageLabel()->text(), QStringLiteral("A project with this name exists."));
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_EQ(window->contentViewController(), create);

    // Second try: no project in the reply.
    QTest::mouseClick(create->createButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return service->records().size() == 2 && create->createButton()->isEnabled(); }));
    EXPECT_EQ(create->messageLabel()->text(), QStringLiteral("An error occurred. Please try again."));
    EXPECT_FALSE(ExportHelper::importer().projectId.has_value());
    EXPECT_EQ(progressScreen(), nullptr);
}

} // namespace
