#include "App/ui/WindowTestSupport.h"

#include "Account/ui/LoginViewController.h"
#include "App/ui/AppDelegate.h"
#include "Import/Sketch/SketchDesignImporter.h"
#include "Projects/ui/ProjectSelectionViewController.h"
#include "Projects/ui/ProjectsViewController.h"
#include "platform/PropertyList.h"
#include "platform/SingleInstance.h"
#include "support/StandinService.h"

#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QUuid>

#include <string>
#include <vector>

using namespace windowtest;

namespace {

class AppDelegateTest : public WindowTest {};

// ---- command line -----------------------------------------------------------------------------

struct ArgumentsCase {
    const char* name;
    QStringList arguments;
    QStringList expected;
};

class CommandLinePaths : public ::testing::TestWithParam<ArgumentsCase> {};

TEST_P(CommandLinePaths, BecomeAbsoluteForTheRunningInstance)
{
    const ArgumentsCase& c = GetParam();
    EXPECT_EQ(AppDelegate::filePathsFromArguments(c.arguments, QStringLiteral("/work/designs")), c.expected);
}

const QString kProgram = QStringLiteral("quorvex");

INSTANTIATE_TEST_SUITE_P(
    Table, CommandLinePaths,
    ::testing::Values(
        ArgumentsCase{"programOnly", {kProgram}, {}},
        ArgumentsCase{"relative", {kProgram, QStringLiteral("a.zvusk")}, {QStringLiteral("/work/designs/a.zvusk")}},
        ArgumentsCase{"parentFolder", {kProgram, QStringLiteral("../x/b.xdzvusk")}, {QStringLiteral("/work/x/b.xdzvusk")}},
        ArgumentsCase{"absolute", {kProgram, QStringLiteral("/d/c.zvusk")}, {QStringLiteral("/d/c.zvusk")}},
        ArgumentsCase{"fileUrl", {kProgram, QStringLiteral("file:///d/e%20f.zvusk")}, {QStringLiteral("/d/e f.zvusk")}},
        ArgumentsCase{"emptySkipped",
                      {kProgram, QString(), QStringLiteral("g.zvusk")},
                      {QStringLiteral("/work/designs/g.zvusk")}},
        ArgumentsCase{"severalInOrder",
                      {kProgram, QStringLiteral("b.zvusk"), QStringLiteral("a.zvusk")},
                      {QStringLiteral("/work/designs/b.zvusk"), QStringLiteral("/work/designs/a.zvusk")}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- session across application instances -----------------------------------------------------

// What a new process would find: the saved settings, nothing in memory.
void simulateNewProcess()
{
    closeEveryWindow();
    UserProfile::shared().userInfo.reset();
    UserProfile::shared().accessDto.reset();
    platform::UserDefaults::standard().reload();
    Navigator::share().mainWindowController = nullptr;
}

void signInThroughTheLoginWindow(const QString& email, const QString& password)
{
    Navigator::share().showLoginViewController();
    auto* login = shownContent<LoginViewController>();
    ASSERT_NE(login, nullptr);
    login->emailField()->setText(email);
    login->passwordField()->setText(password);
    login->loginButton()->click();
}

TEST_F(AppDelegateTest, SessionSurvivesARestartAndOpensTheProjectWindow)
{
    StandinService service;
    ASSERT_TRUE(service.isRunning()) << service.errorText().toStdString();
    signInThroughTheLoginWindow(QStringLiteral("demo@example.com"), QStringLiteral("demo"));
    ASSERT_TRUE(waitUntil([] { return shownContent<ProjectsViewController>() != nullptr; }));

    simulateNewProcess();
    service.clearRecords();
    AppDelegate second;
    second.applicationWillFinishLaunching();
    ASSERT_TRUE(waitUntil([] { return shownContent<ProjectsViewController>() != nullptr; }));
    flushDeletions();

    EXPECT_TRUE(windowsShowing<LoginViewController>().empty());
    EXPECT_EQ(service.recordedPaths(), (std::vector<std::string>{"user/refreshToken", "project/getAll"}));
    ASSERT_TRUE(UserProfile::shared().userInfo.has_value());
    EXPECT_EQ(UserProfile::shared().userInfo->email, "demo@example.com");
    EXPECT_EQ(shownContent<ProjectsViewController>()->tableView()->rowCount(), 2);
}

TEST_F(AppDelegateTest, SessionTheServiceNoLongerKnowsEndsAtTheLoginWindow)
{
    {
        StandinService first;
        ASSERT_TRUE(first.isRunning()) << first.errorText().toStdString();
        ASSERT_TRUE(signInDemoUser());
    }
    simulateNewProcess();
    StandinService forgetful; // a fresh service: it has never issued the saved tokens
    ASSERT_TRUE(forgetful.isRunning()) << forgetful.errorText().toStdString();

    AppDelegate second;
    second.applicationWillFinishLaunching();
    ASSERT_TRUE(waitUntil([] { return shownContent<LoginViewController>() != nullptr; }));
    flushDeletions();

    EXPECT_TRUE(windowsShowing<ProjectsViewController>().empty());
    EXPECT_FALSE(UserProfile::isLoggedInBefore());
    EXPECT_EQ(forgetful.recordedPaths(), std::vector<std::string>{"user/refreshToken"});
}

// ---- open-file road through a second start of the application ---------------------------------

enum class Expect { login, selection, nothing };

struct HandOffCase {
    const char* name;
    QStringList arguments; // relative to the second start's working folder
    bool signedIn;
    Expect expect;
};

class SecondInstanceHandOff : public AppDelegateTest, public ::testing::WithParamInterface<HandOffCase> {};

void writeExportFile(const QString& path)
{
    boost::json::object document{{"sketchFilePath", "/designs/app.sketch"},
                                 {"artboardIds", boost::json::array{"A1", "A2"}},
                                 {"artboardNames", boost::json::array{"Home", "Login"}},
                                 {"version", "66"},
                                 {"sketchtoolPath", "/bin/false"}};
    ASSERT_TRUE(platform::writePropertyList(path, document, platform::PropertyListFormat::Xml));
}

TEST_P(SecondInstanceHandOff, ReachesTheRunningInstance)
{
    const HandOffCase& c = GetParam();
    StandinService service;
    ASSERT_TRUE(service.isRunning()) << service.errorText().toStdString();
    if (c.signedIn) {
        ASSERT_TRUE(signInDemoUser());
    }

    // Our own server name (through the user name it is made of), so a Quorvex the developer has
    // running is never involved.
    const QByteArray user = "quorvex-test-" + QUuid::createUuid().toByteArray(QUuid::Id128);
    const QByteArray savedUser = qgetenv("USER");
    qputenv("USER", user);
    platform::SingleInstance primary(platform::SingleInstance::defaultServerName());
    qputenv("USER", savedUser);
    ASSERT_TRUE(primary.tryBecomePrimary());
    AppDelegate delegate;
    delegate.listenForHandOffs(primary);

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    writeExportFile(folder.filePath(QStringLiteral("design.zvusk")));

    QProcess second;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("USER"), QString::fromUtf8(user));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    second.setProcessEnvironment(environment);
    second.setWorkingDirectory(folder.path());
    second.start(QStringLiteral(QUORVEX_APP_PATH), c.arguments);
    ASSERT_TRUE(second.waitForStarted());
    const bool ended = waitUntil([&] { return second.state() == QProcess::NotRunning; });
    if (!ended) second.kill();
    ASSERT_TRUE(ended) << "the second start did not hand over and quit";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();

    switch (c.expect) {
    case Expect::login:
        ASSERT_TRUE(waitUntil([] { return shownContent<LoginViewController>() != nullptr; }));
        EXPECT_EQ(openWindows().size(), 1u);
        break;
    case Expect::selection: {
        ASSERT_TRUE(waitUntil([] { return shownContent<ProjectSelectionViewController>() != nullptr; }));
        EXPECT_EQ(openWindows().size(), 1u);
        // The relative name reached the running instance as the file in the second start's folder.
        const auto& info = SketchDesignImporter::importer().pluginExportInfo;
        ASSERT_TRUE(info.has_value());
        EXPECT_EQ(info->artboardIds, (std::vector<std::string>{"A1", "A2"}));
        EXPECT_EQ(shownContent<ProjectSelectionViewController>()->tableView()->rowCount(), 2);
        break;
    }
    case Expect::nothing:
        // The hand-off was taken (the second start ended with success) and refused.
        QCoreApplication::processEvents();
        EXPECT_TRUE(openWindows().empty());
        EXPECT_EQ(ExportHelper::importer().designImporter, nullptr);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, SecondInstanceHandOff,
    ::testing::Values(HandOffCase{"signedOutDesignShowsLogin", {QStringLiteral("design.zvusk")}, false, Expect::login},
                      HandOffCase{"signedInDesignOpensSelection", {QStringLiteral("design.zvusk")}, true, Expect::selection},
                      HandOffCase{"otherFileIsRefused", {QStringLiteral("design.sketch")}, true, Expect::nothing},
                      HandOffCase{"noFileIsAReopen", {}, false, Expect::login}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
