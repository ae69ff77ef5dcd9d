#include "App/ui/WindowTestSupport.h"

#include "Account/ui/LoginViewController.h"
#include "Account/ui/LoginWindowController.h"
#include "Projects/ui/ProjectMainWindowController.h"
#include "Projects/ui/ProjectsViewController.h"
#include "support/StandinService.h"

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

class LoginTest : public WindowTest {
protected:
    LoginViewController* openLogin()
    {
        Navigator::share().showLoginViewController();
        return shownContent<LoginViewController>();
    }

    static void type(LoginViewController* login, const QString& email, const QString& password)
    {
        QTest::keyClicks(login->emailField(), email);
        QTest::keyClicks(login->passwordField(), password);
    }
};

// ---- the form refuses to send what cannot sign in ---------------------------------------------

struct FormCase {
    const char* name;
    const char* email;
    const char* password;
    const char* message;
};

class LoginForm : public LoginTest, public ::testing::WithParamInterface<FormCase> {};

TEST_P(LoginForm, ExplainsTheProblemAndSendsNothing)
{
    const FormCase& c = GetParam();
    StandinService service;
    ASSERT_TRUE(service.isRunning()) << service.errorText().toStdString();
    LoginViewController* login = openLogin();
    ASSERT_NE(login, nullptr);

    type(login, QString::fromUtf8(c.email), QString::fromUtf8(c.password));
    QTest::mouseClick(login->loginButton(), Qt::LeftButton);
    QCoreApplication::processEvents();

    EXPECT_EQ(login->messageLabel()->text(), QString::fromUtf8(c.message));
    EXPECT_FALSE(login->messageLabel()->isHidden());
    EXPECT_TRUE(login->loginButton()->isEnabled());
    EXPECT_TRUE(service.records().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, LoginForm,
    ::testing::Values(FormCase{"noEmail", "", "demo", "Please enter your e-mail address."},
                      FormCase{"blankEmail", "   ", "demo", "Please enter your e-mail address."},
                      FormCase{"noAtSign", "demo.example.com", "demo", "Please enter a valid e-mail address."},
                      FormCase{"noDomainDot", "demo@example", "demo", "Please enter a valid e-mail address."},
                      FormCase{"spaceInside", "de mo@example.com", "demo", "Please enter a valid e-mail address."},
                      FormCase{"noPassword", "demo@example.com", "", "Please enter your password."}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- sign-in against the service --------------------------------------------------------------

TEST_F(LoginTest, SignInSavesTheSessionAndReplacesTheLoginWindowWithTheProjectList)
{
    StandinService service;
    ASSERT_TRUE(service.isRunning()) << service.errorText().toStdString();
    LoginViewController* login = openLogin();
    ASSERT_NE(login, nullptr);

    type(login, QStringLiteral("  demo@example.com "), QStringLiteral("demo"));
    QTest::keyClick(login->passwordField(), Qt::Key_Return);
    login->login(); // a second submit while the first is on its way sends nothing
    ASSERT_TRUE(waitUntil([] { return shownContent<ProjectsViewController>() != nullptr; }));
    flushDeletions();

    EXPECT_TRUE(windowsShowing<LoginViewController>().empty());
    EXPECT_EQ(openWindows().size(), 1u);
    EXPECT_TRUE(UserProfile::isLoggedInBefore());
    ASSERT_TRUE(UserProfile::shared().userInfo.has_value());
    EXPECT_EQ(UserProfile::shared().userInfo->email, "demo@example.com");

    const auto records = service.records();
    ASSERT_EQ(service.recordedPaths(), (std::vector<std::string>{"user/login", "project/getAll"}));
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

class FailedSignIn : public LoginTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailedSignIn, IsExplainedInTheFormAndKeepsTheUserSignedOut)
{
    const FailureCase& c = GetParam();
    StandinService::Options options;
    options.scriptJson = c.script;
    StandinService service(options);
    ASSERT_TRUE(service.isRunning()) << service.errorText().toStdString();
    LoginViewController* login = openLogin();
    type(login, QStringLiteral("demo@example.com"), QString::fromUtf8(c.password));
    QTest::mouseClick(login->loginButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return login->loginButton()->isEnabled(); }));

    EXPECT_EQ(login->messageLabel()->text(), QString::fromUtf8(c.message));
    EXPECT_FALSE(login->messageLabel()->isHidden());
    EXPECT_FALSE(UserProfile::isLoggedInBefore());
    EXPECT_EQ(service.recordedPaths(), std::vector<std::string>{"user/login"});
    EXPECT_EQ(windowsShowing<LoginViewController>().size(), 1u);
    EXPECT_TRUE(dialogs->shown().empty()); // in the form only, not in a dialog as well
}

INSTANTIATE_TEST_SUITE_P(
    Table, FailedSignIn,
    ::testing::Values(FailureCase{"wrongPassword", "", "wrong", "Wrong e-mail or password."},
                      // A reply without a token must not be saved as a session.
                      FailureCase{"replyWithoutAToken", R"([{"path":"user/login","body":{"userInfo":{"email":"x@y.z"}}}])",
                                  "demo", "Sign-in failed. Please check your e-mail address and password."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LoginTest, SignInWhoseListFailsStillOpensTheProjectWindow)
{
    StandinService::Options options;
    options.scriptJson = R"([{"path":"project/getAll","body":{"errorModel":{"errorId":50001,"errorMsg":"Busy"}}}])";
    StandinService service(options);
    ASSERT_TRUE(service.isRunning()) << service.errorText().toStdString();
    LoginViewController* login = openLogin();
    type(login, QStringLiteral("demo@example.com"), QStringLiteral("demo"));
    QTest::mouseClick(login->loginButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([] { return shownContent<ProjectsViewController>() != nullptr; }));
    flushDeletions();

    EXPECT_TRUE(windowsShowing<LoginViewController>().empty());
    EXPECT_TRUE(UserProfile::isLoggedInBefore());
    EXPECT_EQ(shownContent<ProjectsViewController>()->tableView()->rowCount(), 0);
}

TEST_F(LoginTest, SignOutFromTheProjectWindowForgetsTheSessionAndShowsOneLoginWindow)
{
    StandinService service;
    ASSERT_TRUE(service.isRunning()) << service.errorText().toStdString();
    LoginViewController* login = openLogin();
    type(login, QStringLiteral("demo@example.com"), QStringLiteral("demo"));
    QTest::mouseClick(login->loginButton(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([] { return shownContent<ProjectsViewController>() != nullptr; }));
    flushDeletions();

    auto* window = qobject_cast<ProjectMainWindowController*>(windowsShowing<ProjectsViewController>().front());
    ASSERT_NE(window, nullptr);
    window->signOutAction()->trigger();
    window = nullptr;
    flushDeletions();

    EXPECT_FALSE(UserProfile::isLoggedInBefore());
    EXPECT_FALSE(UserProfile::shared().isSignedIn());
    EXPECT_EQ(windowsShowing<LoginViewController>().size(), 1u);
    EXPECT_EQ(openWindows().size(), 1u);
    // The new form starts empty: the password of the last user is not left in it.
    EXPECT_TRUE(shownContent<LoginViewController>()->passwordField()->text().isEmpty());
}

} // namespace
