#include "App/ui/WindowTestSupport.h"

#include "Account/ui/LoginViewController.h"
#include "App/ui/AppDelegate.h"
#include "Import/Sketch/SketchDesignImporter.h"
#include "Projects/ui/ProjectSelectionViewController.h"
#include "Projects/ui/ProjectsViewController.h"
#include "platform/PropertyList.h"
#include "platform/SingleInstance.h"

#include <QProcess>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QUuid>

#include <ostream>
#include <string>
#include <vector>

using namespace windowtest;

namespace {

using Paths = std::vector<std::string>;

class AppDelegateTest : public WindowTest {
protected:
    // What a new process would find: the saved settings, nothing in memory.
    static void simulateNewProcess()
    {
        closeEveryWindow();
        UserProfile::shared().userInfo.reset();
        UserProfile::shared().accessDto.reset();
        platform::UserDefaults::standard().reload();
        Navigator::share().mainWindowController = nullptr;
    }
};

TEST(CommandLinePaths, BecomeAbsoluteForTheRunningInstanceInOrder)
{
    const QStringList arguments{QStringLiteral("quorvex"), QStringLiteral("a.zvusk"), QString(),
                                QStringLiteral("../x/b.xdzvusk"), QStringLiteral("/d/c.zvusk"),
                                QStringLiteral("file:///d/e%20f.zvusk")};
    EXPECT_EQ(AppDelegate::filePathsFromArguments(arguments, QStringLiteral("/work/designs")),
              (QStringList{QStringLiteral("/work/designs/a.zvusk"), QStringLiteral("/work/x/b.xdzvusk"),
                           QStringLiteral("/d/c.zvusk"), QStringLiteral("/d/e f.zvusk")}));
    EXPECT_TRUE(AppDelegate::filePathsFromArguments({QStringLiteral("quorvex")}, QStringLiteral("/w")).isEmpty());
}

TEST_F(AppDelegateTest, SessionSurvivesARestartUnlessTheServiceNoLongerKnowsIt)
{
    StandinService& standin = startService();
    ASSERT_NE(submitLoginForm(QStringLiteral("demo@example.com"), QStringLiteral("demo")), nullptr);
    ASSERT_TRUE(waitUntil([] { return shownContent<ProjectsViewController>() != nullptr; }));

    simulateNewProcess();
    standin.clearRecords();
    AppDelegate second;
    second.applicationWillFinishLaunching();
    ASSERT_TRUE(waitUntil([] { return shownContent<ProjectsViewController>() != nullptr; }));
    flushDeletions();

    EXPECT_TRUE(windowsShowing<LoginViewController>().empty());
    EXPECT_EQ(standin.recordedPaths(), (Paths{"user/refreshToken", "project/getAll"}));
    ASSERT_TRUE(UserProfile::shared().userInfo.has_value());
    EXPECT_EQ(UserProfile::shared().userInfo->email, "demo@example.com");
    EXPECT_EQ(shownContent<ProjectsViewController>()->tableView()->rowCount(), 2);

    simulateNewProcess();
    StandinService& forgetful = startService(); // a fresh service: it has never issued the saved tokens
    AppDelegate third;
    third.applicationWillFinishLaunching();
    ASSERT_TRUE(waitUntil([] { return shownContent<LoginViewController>() != nullptr; }));
    flushDeletions();

    EXPECT_TRUE(windowsShowing<ProjectsViewController>().empty());
    EXPECT_FALSE(UserProfile::isLoggedInBefore());
    EXPECT_EQ(forgetful.recordedPaths(), Paths{"user/refreshToken"});
}

enum class Expect { login, selection, nothing };

struct HandOffCase {
    const char* name;
    QStringList arguments; // relative to the second start's working folder
    bool signedIn;
    Expect expect;
};
void PrintTo(const HandOffCase& c, std::ostream* os) { *os << c.name; }

class SecondInstanceHandOff : public AppDelegateTest, public ::testing::WithParamInterface<HandOffCase> {};

TEST_P(SecondInstanceHandOff, ReachesTheRunningInstance)
{
    const HandOffCase& c = GetParam();
    startService();
    if (c.signedIn) {
        ASSERT_TRUE(signInDemoUser());
    }

    // our own server name (made of the user name), so that a Quorvex the developer runs is never involved
    const QByteArray user = "quorvex-test-" + QUuid::createUuid().toByteArray(QUuid::Id128);
    const QByteArray savedUser = qgetenv("USER");
    qputenv("USER", user);
    platform::SingleInstance primary(platform::SingleInstance::defaultServerName());
    qputenv("USER", savedUser);
    ASSERT_TRUE(primary.tryBecomePrimary());
    AppDelegate delegate;
    delegate.listenForHandOffs(primary);

    QTemporaryDir folder;
    const boost::json::object exportInfo{{"sketchFilePath", "/designs/app.sketch"},
                                         {"artboardIds", boost::json::array{"A1", "A2"}},
                                         {"artboardNames", boost::json::array{"Home", "Login"}},
                                         {"version", "66"},
                                         {"sketchtoolPath", "/bin/false"}};
    ASSERT_TRUE(platform::writePropertyList(folder.filePath(QStringLiteral("design.zvusk")), exportInfo,
                                            platform::PropertyListFormat::Xml));

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
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();

    switch (c.expect) {
    case Expect::login:
        ASSERT_TRUE(waitUntil([] { return shownContent<LoginViewController>() != nullptr; }));
        EXPECT_EQ(openWindows().size(), 1u);
        break;
    case Expect::selection: {
        ASSERT_TRUE(waitUntil([] { return shownContent<ProjectSelectionViewController>() != nullptr; }));
        EXPECT_EQ(openWindows().size(), 1u);
        // the relative name reached the running instance as the file in the second start's folder
        const auto& info = SketchDesignImporter::importer().pluginExportInfo;
        ASSERT_TRUE(info.has_value());
        EXPECT_EQ(info->artboardIds, (std::vector<std::string>{"A1", "A2"}));
        break;
    }
    case Expect::nothing:
        // taken (the second start ended with success) and refused
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
    ::testing::PrintToStringParamName());

} // namespace
