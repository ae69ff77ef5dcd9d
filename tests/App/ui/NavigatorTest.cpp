#include "App/ui/WindowTestSupport.h"
#include "Editor/ui/EditorTestKit.h"

#include "Account/ui/LoginViewController.h"
#include "Projects/ui/ProjectSelectionViewController.h"
#include "Projects/ui/ProjectWindowController.h"
#include "Projects/ui/ProjectsViewController.h"
#include <QCloseEvent>

using namespace windowtest;

namespace {

// A window whose closing signs out again, as a reply failing while the windows close would.
class ReenteringWindow : public WindowController {
    Q_OBJECT

protected:
    void closeEvent(QCloseEvent* event) override
    {
        Navigator::share().closeAllWindowsAndBackToLogin();
        WindowController::closeEvent(event);
    }
};

class NavigatorTest : public WindowTest {
protected:
    static void expectOnlyOneLoginWindow()
    {
        flushDeletions();
        EXPECT_EQ(windowsShowing<LoginViewController>().size(), 1u);
        EXPECT_EQ(openWindows().size(), 1u);
    }

    // The completion's answer once a project selection is asked for without a window.
    static std::optional<bool> showSelection()
    {
        std::optional<bool> shown;
        Navigator::share().showProjectSelectionViewController(nullptr, [&](bool s) { shown = s; });
        waitUntil([&] { return shown.has_value(); });
        return shown;
    }
};

TEST_F(NavigatorTest, SignOutLeavesExactlyOneLoginWindow)
{
    enum class Before { projectWindows, loginAlreadyOpen, reenteringWindows };
    const struct {
        const char* name;
        Before before;
        int signOuts;
    } cases[] = {
        {"once", Before::projectWindows, 1},
        {"five times", Before::projectWindows, 5},
        {"keeps the open login window", Before::loginAlreadyOpen, 2},
        {"from inside a closing window", Before::reenteringWindows, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        closeEveryWindow();
        Navigator::share().mainWindowController = nullptr;
        QPointer<WindowController> earlierLogin;
        switch (c.before) {
        case Before::loginAlreadyOpen:
            Navigator::share().showLoginViewController();
            earlierLogin = windowsShowing<LoginViewController>().at(0);
            [[fallthrough]];
        case Before::projectWindows:
            Navigator::share().openProjectsMainWindow(nullptr);
            (new ProjectWindowController)->bringToFront();
            break;
        case Before::reenteringWindows:
            (new ReenteringWindow)->bringToFront();
            (new ReenteringWindow)->bringToFront();
            break;
        }

        for (int i = 0; i < c.signOuts; ++i) Navigator::share().closeAllWindowsAndBackToLogin();

        expectOnlyOneLoginWindow();
        EXPECT_EQ(Navigator::share().mainWindowController, nullptr);
        if (earlierLogin) {
            EXPECT_EQ(windowsShowing<LoginViewController>().at(0), earlierLogin.data());
        }
    }
}

class SelectionFlag : public NavigatorTest, public ::testing::WithParamInterface<bool> {};

TEST_P(SelectionFlag, NewSelectionWindowListsProjectsAndCopiesTheUploadFlag)
{
    StandinService::Options options;
    options.shouldUploadSketch = GetParam();
    startService(options);
    ASSERT_TRUE(signInDemoUser());
    ExportHelper::importer().shouldUploadSketch = !GetParam();

    EXPECT_EQ(showSelection(), true);
    EXPECT_EQ(ExportHelper::importer().shouldUploadSketch, GetParam());
    const auto windows = windowsShowing<ProjectSelectionViewController>();
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_NE(qobject_cast<ProjectWindowController*>(windows.front()), nullptr);
    EXPECT_EQ(ExportHelper::importer().windowController.data(), windows.front());
    EXPECT_EQ(tableColumn(shownContent<ProjectSelectionViewController>()->tableView(), 0),
              (std::vector<std::string>{"Demo iOS", "Demo Android"}));
}

INSTANTIATE_TEST_SUITE_P(Table, SelectionFlag, ::testing::Bool());

TEST_F(NavigatorTest, FailedListLoadOpensNothingAndReportsIt)
{
    startService(R"([{"path":"project/getAll","body":{"errorModel":{"errorId":50001,"errorMsg":"Unavailable"}}}])");
    ASSERT_TRUE(signInDemoUser());

    EXPECT_EQ(showSelection(), false);
    EXPECT_TRUE(openWindows().empty());
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown().front().text, QStringLiteral("Unavailable"));
}

// The reloaded list went behind a project's screens or the editor, which stayed on screen: at
// the end of an upload the new artboards showed only after a click on "All Projects".
TEST_F(NavigatorTest, ProjectsMainControllerShowsTheListInTheProjectWindowWhateverItShowed)
{
    enum class Before { noWindow, list, screens, editor };
    for (const Before before : {Before::noWindow, Before::list, Before::screens, Before::editor}) {
        SCOPED_TRACE(static_cast<int>(before));
        closeEveryWindow();
        Navigator::share().mainWindowController = nullptr;
        startService(boost::json::serialize(
            boost::json::array{editortest::scripted("main/detailInfo", editortest::detailReply()), editortest::noPreviews()}));
        ASSERT_TRUE(signInDemoUser());
        QPointer<ProjectMainWindowController> open;
        if (before != Before::noWindow) open = Navigator::share().openProjectsMainWindow(nullptr);
        if (before == Before::screens) open->openProject(editortest::project());
        if (before == Before::editor) {
            QPointer<MainEditorViewController> editor = open->openScreen(editortest::project(), "artboard-1");
            ASSERT_TRUE(waitUntil([&editor] { return editor && editor->response; }));
        }

        std::vector<bool> completions;
        Navigator::share().showProjectsMainController([&](bool shown) { completions.push_back(shown); });
        ASSERT_TRUE(waitUntil([&] { return !completions.empty(); }));
        flushDeletions();

        EXPECT_EQ(completions, std::vector<bool>{true});
        ASSERT_EQ(windowsShowing<ProjectsViewController>(), openWindows());
        ASSERT_EQ(openWindows().size(), 1u);
        EXPECT_EQ(openWindows().front(), Navigator::share().mainWindowController.data());
        if (open) {
            EXPECT_EQ(openWindows().front(), open.data()) << "the open project window is reused";
        }
        EXPECT_EQ(tableColumn(shownContent<ProjectsViewController>()->tableView(), 0),
                  (std::vector<std::string>{"Demo iOS", "Demo Android"}));
    }
}

} // namespace

#include "NavigatorTest.moc"
