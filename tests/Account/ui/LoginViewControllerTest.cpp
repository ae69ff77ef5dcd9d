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

#include <ostream>
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

// ---- the form refuses to send what cannot sign in ---------------------------------------------

struct FormCase {
    const char* name;
    const char* email;
    const char* password;
    const char* message;
};
void PrintTo(const FormCase& c, std::ostream* os) { *os << c.name; }

class LoginForm : public LoginTest, public ::testing::WithParamInterface<FormCase> {};

TEST_P(LoginForm, ExplainsTheProblemAndSendsNothing)
{
    const FormCase& c = GetParam();
    StandinService& standin = startService();
    LoginViewController* login = submitLoginForm(QString::fromUtf8(c.email), QString::fromUtf8(c.password));
    ASSERT_NE(login, nullptr);
    QCoreApplication::processEvents();

    EXPECT_EQ(login->messageLabel()->text(), QString::fromUtf8(c.message));
    EXPECT_FALSE(login->messageLabel()->isHidden());
    EXPECT_TRUE(login->loginButton()->isEnabled());
    EXPECT_TRUE(standin.records().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, LoginForm,
    ::testing::Values(FormCase{"noEmail", "", "demo", "Please enter your e-mail address."},
                      FormCase{"blankEmail", "   ", "demo", "Please enter your e-mail address."},
                      FormCase{"noAtSign", "demo.example.com", "demo", "Please enter a valid e-mail address."},
                      FormCase{"noDomainDot", "demo@example", "demo", "Please enter a valid e-mail address."},
                      FormCase{"spaceInside", "de mo@example.com", "demo", "Please enter a valid e-mail address."},
                      FormCase{"noPassword", "demo@example.com", "", "Please enter your password."}),
    ::testing::PrintToStringParamName());

// ---- sign-in against the service --------------------------------------------------------------

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

    EXPECT_TRUE(windowsShowing<LoginViewController>().empty());
    EXPECT_EQ(openWindows().size(), 1u);
    EXPECT_TRUE(UserProfile::isLoggedInBefore());
    ASSERT_TRUE(UserProfile::shared().userInfo.has_value());
    EXPECT_EQ(UserProfile::shared().userInfo->email, "demo@example.com");

    const auto records = standin.records();
    ASSERT_EQ(standin.recordedPaths(), (Paths{"user/login", "project/getAll"}));
    EXPECT_EQ(StandinService::bodyString(records[0], "email"), "demo@example.com");
    EXPECT_EQ(StandinService::bodyString(records[0], "password"), "demo");
    ASSERT_TRUE(records[0].at("body").as_object().contains("macAddress"));
    // The list request carries the token the sign-in gave.
    EXPECT_EQ(StandinService::header(records[1], "Authorization"), UserProfile::shared().accessDto->accessToken);

    auto* projects = shownContent<ProjectsViewController>();
    EXPECT_EQ(projects->tableView()->rowCount(), 2);
    EXPECT_EQ(projects->userLabel()->text(), QStringLiteral("Signed in as demo@example.com"));
}

struct FailureCase {
    const char* name;
    const char* script;
    const char* password;
    const char* message;
};
void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class FailedSignIn : public LoginTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailedSignIn, IsExplainedInTheFormAndKeepsTheUserSignedOut)
{
    const FailureCase& c = GetParam();
    StandinService& standin = startService(c.script);
    LoginViewController* login = submitLoginForm(QStringLiteral("demo@example.com"), QString::fromUtf8(c.password));
    ASSERT_NE(login, nullptr);
    ASSERT_TRUE(waitUntil([&] { return login->loginButton()->isEnabled(); }));

    EXPECT_EQ(login->messageLabel()->text(), QString::fromUtf8(c.message));
    EXPECT_FALSE(login->messageLabel()->isHidden());
    EXPECT_FALSE(UserProfile::isLoggedInBefore());
    EXPECT_EQ(standin.recordedPaths(), Paths{"user/login"});
    EXPECT_EQ(windowsShowing<LoginViewController>().size(), 1u);
    EXPECT_TRUE(dialogs->shown().empty()); // in the form only, not in a dialog as well
}

INSTANTIATE_TEST_SUITE_P(
    Table, FailedSignIn,
    ::testing::Values(FailureCase{"wrongPassword", "", "wrong", "Wrong e-mail or password."},
                      // A reply without a token must not be saved as a session.
                      FailureCase{"replyWithoutAToken", R"([{"path":"user/login","body":{"userInfo":{"email":"x@y.z"}}}])",
                                  "demo", "Sign-in failed. Please check your e-mail address and password."}),
    ::testing::PrintToStringParamName());

TEST_F(LoginTest, SignInWhoseListFailsStillOpensTheProjectWindow)
{
    startService(R"([{"path":"project/getAll","body":{"errorModel":{"errorId":50001,"errorMsg":"Busy"}}}])");
    ASSERT_NE(submitLoginForm(QStringLiteral("demo@example.com"), QStringLiteral("demo")), nullptr);
    ASSERT_TRUE(projectWindowShown());

    EXPECT_TRUE(windowsShowing<LoginViewController>().empty());
    EXPECT_TRUE(UserProfile::isLoggedInBefore());
    EXPECT_EQ(shownContent<ProjectsViewController>()->tableView()->rowCount(), 0);
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
    // The new form starts empty: the password of the last user is not left in it.
    EXPECT_TRUE(shownContent<LoginViewController>()->passwordField()->text().isEmpty());
}

} // namespace
