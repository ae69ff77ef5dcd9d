#include "App/ui/WindowTestSupport.h"

#include "Account/ui/LoginViewController.h"
#include "Projects/ui/ProjectMainWindowController.h"
#include "Projects/ui/ProjectsViewController.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <string>
#include <vector>

using namespace windowtest;

namespace {

using Paths = std::vector<std::string>;

class LoginTest : public WindowTest {
protected:
    static bool projectWindowShown()
    {
        const bool shown = waitUntil([] { return shownContent<ProjectsViewController>() != nullptr; });
        flushDeletions();
        return shown;
    }
};

TEST_F(LoginTest, FormExplainsWhatCannotSignInAndSendsNothing)
{
    const struct {
        const char* email;
        const char* password;
        const char* message;
    } cases[] = {
        {"", "demo", "Please enter your e-mail address."},
        {"   ", "demo", "Please enter your e-mail address."},
        {"demo.example.com", "demo", "Please enter a valid e-mail address."},
        {"demo@example", "demo", "Please enter a valid e-mail address."},
        {"de mo@example.com", "demo", "Please enter a valid e-mail address."},
        {"demo@example.com", "", "Please enter your password."},
    };
    StandinService& standin = startService();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.email);
        closeEveryWindow();
        LoginViewController* login = submitLoginForm(QString::fromUtf8(c.email), QString::fromUtf8(c.password));
        ASSERT_NE(login, nullptr);
        QCoreApplication::processEvents();
        EXPECT_EQ(login->messageLabel()->text(), QString::fromUtf8(c.message));
        EXPECT_FALSE(login->messageLabel()->isHidden());
        EXPECT_TRUE(login->loginButton()->isEnabled());
    }
    EXPECT_TRUE(standin.records().empty());
}

TEST_F(LoginTest, SignInSavesTheSessionAndReplacesTheLoginWindowWithTheProjectList)
{
    StandinService& standin = startService();
    Navigator::share().showLoginViewController();
    auto* login = shownContent<LoginViewController>();
    ASSERT_NE(login, nullptr);
    QTest::keyClicks(login->emailField(), QStringLiteral("  demo@example.com "));
    QTest::keyClicks(login->passwordField(), QStringLiteral("demo"));
    QTest::keyClick(login->passwordField(), Qt::Key_Return);
    login->login(); // a second submit while the first is on its way sends nothing
    ASSERT_TRUE(projectWindowShown());

    EXPECT_EQ(openWindows().size(), 1u);
    EXPECT_TRUE(UserProfile::isLoggedInBefore());
    const auto records = standin.records();
    ASSERT_EQ(standin.recordedPaths(), (Paths{"user/login", "project/getAll"}));
    EXPECT_EQ(StandinService::bodyString(records[0], "email"), "demo@example.com");
    EXPECT_EQ(StandinService::bodyString(records[0], "password"), "demo");
    ASSERT_TRUE(records[0].at("body").as_object().contains("macAddress"));
    EXPECT_EQ(StandinService::header(records[1], "Authorization"), UserProfile::shared().accessDto->accessToken);

    auto* projects = shownContent<ProjectsViewController>();
    EXPECT_EQ(projects->tableView()->rowCount(), 2);
    EXPECT_EQ(projects->userLabel()->text(), QStringLiteral("Signed in as demo@example.com"));
}

TEST_F(LoginTest, FailedSignInIsExplainedInTheFormAndKeepsTheUserSignedOut)
{
    const struct {
        const char* script;
        const char* password;
        const char* message;
    } cases[] = {
        {"", "wrong", "Wrong e-mail or password."},
        // a reply without a token must not be saved as a session
        {R"([{"path":"user/login","body":{"userInfo":{"email":"x@y.z"}}}])", "demo",
         "Sign-in failed. Please check your e-mail address and password."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        closeEveryWindow();
        StandinService& standin = startService(c.script);
        LoginViewController* login = submitLoginForm(QStringLiteral("demo@example.com"), QString::fromUtf8(c.password));
        ASSERT_NE(login, nullptr);
        ASSERT_TRUE(waitUntil([&] { return login->loginButton()->isEnabled(); }));

        EXPECT_EQ(login->messageLabel()->text(), QString::fromUtf8(c.message));
        EXPECT_FALSE(UserProfile::isLoggedInBefore());
        EXPECT_EQ(standin.recordedPaths(), Paths{"user/login"});
        EXPECT_EQ(windowsShowing<LoginViewController>().size(), 1u);
        EXPECT_TRUE(dialogs->shown().empty()); // in the form only, not in a dialog as well
    }
}

TEST_F(LoginTest, SignOutFromTheProjectWindowForgetsTheSessionAndShowsOneLoginWindow)
{
    startService();
    ASSERT_NE(submitLoginForm(QStringLiteral("demo@example.com"), QStringLiteral("demo")), nullptr);
    ASSERT_TRUE(projectWindowShown());

    auto* window = qobject_cast<ProjectMainWindowController*>(windowsShowing<ProjectsViewController>().front());
    ASSERT_NE(window, nullptr);
    window->signOutAction()->trigger();
    flushDeletions();

    EXPECT_FALSE(UserProfile::isLoggedInBefore());
    EXPECT_FALSE(UserProfile::shared().isSignedIn());
    EXPECT_EQ(windowsShowing<LoginViewController>().size(), 1u);
    EXPECT_EQ(openWindows().size(), 1u);
    // the new form starts empty: the password of the last user is not left in it
    EXPECT_TRUE(shownContent<LoginViewController>()->passwordField()->text().isEmpty());
}

} // namespace
