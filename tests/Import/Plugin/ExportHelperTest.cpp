#include "Import/Plugin/ExportHelper.h"

#include "Account/UserProfile.h"
#include "App/NavigatorInterface.h"
#include "Import/Plugin/AdobeXDDesignImportHelper.h"
#include "Import/Sketch/SketchDesignImporter.h"
#include "Projects/ProjectDisplayInfo.h"
#include "platform/EventSinks.h"
#include "platform/ScriptedDialogPresenter.h"

#include <gtest/gtest.h>

#include <QObject>

#include <memory>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

// Installs itself as the navigator and writes every call into the shared log.
class RecordingNavigator final : public NavigatorInterface {
public:
    explicit RecordingNavigator(Log& log) : m_log(log) { NavigatorInterface::install(this); }
    ~RecordingNavigator() override { NavigatorInterface::install(nullptr); }

    void activateApplication() override { m_log.push_back("activate"); }
    void showLoginViewController() override { m_log.push_back("showLogin"); }
    void closeAllWindowsAndBackToLogin() override { m_log.push_back("closeAll"); }
    void showProjectSelectionViewController(QObject* window, std::function<void(bool)>) override
    {
        m_log.push_back(std::string("showProjectSelection:") + windowName(window));
    }
    void openExportArtboards(QObject* window, const ProjectDisplayInfo& project) override
    {
        m_log.push_back("openExportArtboards:" + windowName(window) + ":" + project.projectId);
    }
    void bringWindowToFront(QObject* window) override { m_log.push_back("bringToFront:" + windowName(window)); }
    void showProjectsMainController(std::function<void(bool)>) override { m_log.push_back("showProjectsMain"); }
    void addIndicator(QObject*) override {}
    void removeIndicator() override {}

private:
    static std::string windowName(QObject* window)
    {
        return window ? window->objectName().toStdString() : std::string("none");
    }
    Log& m_log;
};

// An importer that logs what it is asked and keeps the closures of its run.
class FakeImporter final : public IDesignImporter {
public:
    FakeImporter(Log& log, MixPanelEventCode code) : m_log(log), m_code(code) {}

    bool doBeforeProjectSelection(const std::string& fileName) override
    {
        m_log.push_back("doBeforeProjectSelection:" + fileName);
        return accepts;
    }
    void processDesignFile(const std::string& projectId, const std::string& platform, bool shouldUploadDesign,
                           ProgressCompletion exportCompletion, ProgressCompletion stepCompletion,
                           std::function<void()> cancelCompletion,
                           std::function<void(const UploadFailure&)> failureCompletion) override
    {
        m_log.push_back("processDesignFile:" + projectId + ":" + platform + ":" + (shouldUploadDesign ? "design" : "no-design"));
        exportProgress = std::move(exportCompletion);
        step = std::move(stepCompletion);
        cancel = std::move(cancelCompletion);
        fail = std::move(failureCompletion);
    }
    std::vector<std::string> getArtboardIds() const override { return artboardIds; }
    MixPanelEventCode getEventCode() const override { return m_code; }

    bool accepts = true;
    std::vector<std::string> artboardIds;
    ProgressCompletion exportProgress;
    ProgressCompletion step;
    std::function<void()> cancel;
    std::function<void(const UploadFailure&)> fail;

private:
    Log& m_log;
    MixPanelEventCode m_code;
};

ProjectDisplayInfo project(const std::string& id, const std::string& platform)
{
    ProjectDisplayInfo p;
    p.projectId = id;
    p.platform = platform;
    p.name = "Project " + id;
    return p;
}

class ExportHelperTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_window.setObjectName(QStringLiteral("selection-window"));
        UserProfile::shared().clear();
        platform::EventSink::analytics().setRecorder([this](const boost::json::object& e) { m_analytics.push_back(e); });
    }
    void TearDown() override
    {
        platform::EventSink::analytics().setRecorder(nullptr);
        UserProfile::shared().clear();
    }

    static void signIn()
    {
        UserInfo user;
        user.email = "ada@example.com";
        user.username = "ada";
        AccessDTO access;
        access.accessToken = "token";
        access.refreshToken = "refresh";
        UserProfile::shared().save(user, access);
    }

    // A helper whose upload runs in the selection window.
    void startRunningUpload()
    {
        m_helper.windowController = &m_window;
        m_helper.designImporter = &m_sketchLike;
        m_helper.startExportProcess(project("p1", "iOS"));
        ASSERT_TRUE(m_helper.isUploadRunning());
        m_log.clear();
    }

    Log m_log;
    RecordingNavigator m_navigator{m_log};
    platform::ScriptedDialogPresenter m_dialogs;
    QObject m_window;
    FakeImporter m_sketchLike{m_log, MixPanelEventCode::SKETCH_UPLOAD};
    ExportHelper m_helper;
    std::vector<boost::json::object> m_analytics;
};

TEST_F(ExportHelperTest, ImporterIsPickedByFileName)
{
    IDesignImporter* sketch = &SketchDesignImporter::importer();
    IDesignImporter* xd = &AdobeXDDesignImportHelper::importer();
    const struct {
        const char* fileName;
        bool accepted;
        IDesignImporter* chosen; // nullptr: the earlier importer stays
    } cases[] = {
        {"/Users/ada/Exports/design.zvusk", true, sketch},
        {"/Users/ada/Exports/x.zvusk.bak", true, sketch}, // a substring test, not a suffix test
        {"/Users/ada/Exports/x.xdzvusk", true, xd},
        {"/Users/ada/Exports/x.xdzvusk.zvusk", true, sketch},
        {"/Users/ada/Exports/x.sketch", false, nullptr},
        {"/Users/ada/Exports/x.zvus", false, nullptr},
    };
    for (const auto& c : cases) {
        ExportHelper helper;
        helper.designImporter = &m_sketchLike;
        EXPECT_EQ(helper.canStartImport(QString::fromUtf8(c.fileName)), c.accepted) << c.fileName;
        EXPECT_EQ(helper.designImporter, c.chosen ? c.chosen : &m_sketchLike) << c.fileName;
    }
}

TEST_F(ExportHelperTest, SignInDecidesBetweenProjectSelectionAndLogin)
{
    enum class Session { signedIn, signedOut, noAccessData };
    const struct {
        const char* name;
        Session session;
        bool window;
        bool handOffUsable;
        Log expected;
    } cases[] = {
        {"signed in", Session::signedIn, true, true,
         {"activate", "doBeforeProjectSelection:/tmp/e.zvusk", "showProjectSelection:selection-window"}},
        {"signed in, no window yet", Session::signedIn, false, true,
         {"activate", "doBeforeProjectSelection:/tmp/e.zvusk", "showProjectSelection:none"}},
        {"unusable hand-off", Session::signedIn, true, false, {"activate", "doBeforeProjectSelection:/tmp/e.zvusk"}},
        {"signed out", Session::signedOut, true, true, {"activate", "showLogin"}},
        {"stored profile without access data", Session::noAccessData, true, true, {"activate", "showLogin"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UserProfile::shared().clear();
        if (c.session != Session::signedOut) signIn();
        if (c.session == Session::noAccessData) UserProfile::shared().accessDto.reset();
        m_log.clear();
        m_sketchLike.accepts = c.handOffUsable;
        ExportHelper helper;
        helper.designImporter = &m_sketchLike;
        if (c.window) helper.windowController = &m_window;

        helper.checkLoginAndStart(QStringLiteral("/tmp/e.zvusk"));

        EXPECT_EQ(m_log, c.expected);
    }
}

TEST_F(ExportHelperTest, StartExportRecordsProjectAndOpensTheProgressScreen)
{
    const struct {
        const char* name;
        bool window;
        Log expected;
    } cases[] = {
        {"in the selection window", true, {"bringToFront:selection-window", "openExportArtboards:selection-window:android-7"}},
        {"without a window", false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_log.clear();
        ExportHelper helper;
        if (c.window) helper.windowController = &m_window;
        bool completionCalled = false;

        helper.startExportProcess(project("android-7", "Android"), [&](bool) { completionCalled = true; });

        EXPECT_EQ(helper.projectId, std::optional<std::string>("android-7"));
        EXPECT_EQ(helper.platform, "Android");
        EXPECT_EQ(m_log, c.expected);
        EXPECT_FALSE(completionCalled);
        EXPECT_EQ(helper.isUploadRunning(), c.window);
    }
}

TEST_F(ExportHelperTest, ProcessForwardsReportsAndEndsTheRun)
{
    using Drive = std::function<void(FakeImporter&)>;
    const struct {
        const char* name;
        bool withImporter;
        Drive drive;
        Log reports;
        bool stillRunning;
    } cases[] = {
        {"progress below 100", true, [](FakeImporter& i) { i.exportProgress("Home", 10); i.step("Cart", 50); },
         {"export:Home:10", "step:Cart:50"}, true},
        {"step report reaches 100", true, [](FakeImporter& i) { i.step("done", 100); }, {"step:done:100"}, false},
        {"a label update at 100 does not end it", true, [](FakeImporter& i) { i.exportProgress("Home", 100); },
         {"export:Home:100"}, true},
        {"run failed", true, [](FakeImporter& i) { i.fail(UploadFailure{"Home", "refused"}); }, {"failure"}, false},
        {"user cancelled", true, [](FakeImporter& i) { i.cancel(); }, {"cancel"}, false},
        {"no importer", false, [](FakeImporter&) {}, {"failure"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_log.clear();
        ExportHelper helper;
        helper.windowController = &m_window;
        helper.designImporter = c.withImporter ? &m_sketchLike : nullptr;
        helper.shouldUploadSketch = true;
        helper.startExportProcess(project("p3", "Android"));
        Log reports;
        auto record = [&reports](const char* kind) {
            return [&reports, kind](const std::string& t, double p) {
                reports.push_back(std::string(kind) + ":" + t + ":" + std::to_string(static_cast<int>(p)));
            };
        };

        helper.processDesignFile(record("export"), record("step"), [&] { reports.push_back("cancel"); },
                                 [&](const UploadFailure&) { reports.push_back("failure"); });
        c.drive(m_sketchLike);

        EXPECT_EQ(reports, c.reports);
        EXPECT_EQ(helper.isUploadRunning(), c.stillRunning);
        EXPECT_EQ(m_log.back(), c.withImporter ? "processDesignFile:p3:Android:design"
                                               : "openExportArtboards:selection-window:p3");
    }
}

TEST_F(ExportHelperTest, LateReportOfAnEarlierRunDoesNotEndTheCurrentOne)
{
    m_helper.windowController = &m_window;
    m_helper.designImporter = &m_sketchLike;
    m_helper.startExportProcess(project("p", "iOS"));
    m_helper.processDesignFile({}, {}, {}, {});
    auto earlierFail = m_sketchLike.fail;
    m_sketchLike.cancel();
    m_helper.startExportProcess(project("q", "iOS"));
    m_helper.processDesignFile({}, {}, {}, {});

    earlierFail(UploadFailure{"", "late"});

    EXPECT_TRUE(m_helper.isUploadRunning());
}

// A second hand-off during an upload used to replace the running upload's importer, project and
// platform.
TEST_F(ExportHelperTest, SecondHandOffWhileUploadingIsRefused)
{
    signIn();
    const struct {
        const char* name;
        std::function<void(ExportHelper&)> attempt;
    } cases[] = {
        {"file opened", [](ExportHelper& h) { EXPECT_FALSE(h.canStartImport(QStringLiteral("/tmp/other.zvusk"))); }},
        {"start called directly", [](ExportHelper& h) { h.checkLoginAndStart(QStringLiteral("/tmp/other.zvusk")); }},
        {"another project chosen", [](ExportHelper& h) { h.startExportProcess(project("p9", "Android")); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        startRunningUpload();
        m_dialogs.clear();

        c.attempt(m_helper);

        EXPECT_EQ(m_helper.designImporter, &m_sketchLike);
        EXPECT_EQ(m_helper.projectId, std::optional<std::string>("p1"));
        EXPECT_EQ(m_helper.platform, "iOS");
        EXPECT_EQ(m_log, (Log{"activate", "bringToFront:selection-window"}));
        ASSERT_EQ(m_dialogs.shown().size(), 1u);
        EXPECT_EQ(m_dialogs.shown()[0].kind, platform::ScriptedDialogPresenter::Kind::Alert);
        m_helper.uploadEnded();
    }
}

TEST_F(ExportHelperTest, HandOffIsAcceptedAgainOnceTheUploadIsOver)
{
    const struct {
        const char* name;
        std::function<void(ExportHelper&)> endUpload;
    } cases[] = {
        {"progress screen ended it", [](ExportHelper& h) { h.uploadEnded(); }},
        {"upload completed", [](ExportHelper& h) { h.doAfterExportCompleted(); }},
        {"its window is gone", [](ExportHelper& h) { h.windowController = nullptr; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        startRunningUpload();
        c.endUpload(m_helper);
        EXPECT_TRUE(m_helper.canStartImport(QStringLiteral("/tmp/next.zvusk")));
        EXPECT_EQ(m_helper.designImporter, &SketchDesignImporter::importer());
    }
}

TEST_F(ExportHelperTest, CompletedUploadIsCountedInAnalytics)
{
    signIn();
    FakeImporter xd(m_log, MixPanelEventCode::ADOBEXD_UPLOAD);
    xd.artboardIds = {"a", "b", "c", "d"};
    const struct {
        const char* name;
        IDesignImporter* importer;
        const char* event;
        int count;
    } cases[] = {
        {"xd import of four artboards", &xd, "ADOBEXD_UPLOAD", 4},
        {"no importer", nullptr, "SKETCH_UPLOAD", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_analytics.clear();
        ExportHelper helper;
        helper.designImporter = c.importer;

        helper.doAfterExportCompleted();

        ASSERT_EQ(m_analytics.size(), 1u);
        EXPECT_EQ(m_analytics[0].at("event"), boost::json::value(c.event));
        const auto& props = m_analytics[0].at("properties").as_object();
        EXPECT_EQ(props.at("Uploaded Artboard/s Count"), boost::json::value(c.count));
        EXPECT_EQ(props.at("userEmail"), boost::json::value("ada@example.com"));
        EXPECT_EQ(props.at("userName"), boost::json::value("ada"));
    }
}

TEST_F(ExportHelperTest, DetailTextListsEveryArtboardInOrder)
{
    EXPECT_EQ(ExportHelper::createSelectedArtboardsInfoString({{"Home", 2}, {"Cart", 0}, {"Checkout", 5}}),
              QStringLiteral("\n• Home: 2 exportable images\n• Cart: 0 exportable images\n• Checkout: 5 exportable images"));
    EXPECT_EQ(ExportHelper::createSelectedArtboardsInfoString({}), QString());
}

TEST_F(ExportHelperTest, NoExportableQuestionOnlyGoesOnWhenContinueIsChosen)
{
    using Infos = std::vector<std::pair<std::string, int>>;
    const Infos someWithout = {{"Home", 2}, {"Cart", 0}, {"Checkout", 5}};
    const struct {
        const char* name;
        Infos infos;
        std::optional<int> answer; // nullopt: the dialog is closed without a choice
        bool dialogShown;
        bool goesOn;
    } cases[] = {
        {"continue chosen", someWithout, platform::kAlertFirstButtonReturn, true, true},
        {"cancel chosen", someWithout, platform::kAlertSecondButtonReturn, true, false},
        {"closed with Escape", someWithout, std::nullopt, true, false},
        {"an answer of no button", someWithout, 0, true, false},
        {"every artboard has images", {{"Home", 2}, {"Cart", 1}}, std::nullopt, false, true},
        {"nothing selected", {}, std::nullopt, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_dialogs.clear();
        if (c.answer) m_dialogs.queueAnswer(*c.answer);

        EXPECT_EQ(m_helper.confirmContinueWithoutExportables(c.infos), c.goesOn);

        ASSERT_EQ(m_dialogs.shown().size(), c.dialogShown ? 1u : 0u);
        if (!c.dialogShown) continue;
        const auto& dialog = m_dialogs.shown()[0];
        EXPECT_EQ(dialog.kind, platform::ScriptedDialogPresenter::Kind::Confirmation);
        EXPECT_EQ(dialog.buttons, (QStringList{QStringLiteral("Continue"), QStringLiteral("Cancel")}));
        EXPECT_TRUE(dialog.informativeText.endsWith(ExportHelper::createSelectedArtboardsInfoString(c.infos)));
    }
}

} // namespace
