#include "Import/Plugin/ExportHelper.h"

#include "Account/UserProfile.h"
#include "Import/Plugin/AdobeXDDesignImportHelper.h"
#include "Import/Sketch/SketchDesignImporter.h"
#include "Projects/ProjectDisplayInfo.h"
#include "platform/EventSinks.h"
#include "platform/ScriptedDialogPresenter.h"
#include "support/ServiceTestDoubles.h"

#include <gtest/gtest.h>

#include <QObject>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Log = std::vector<std::string>;
using Kind = platform::ScriptedDialogPresenter::Kind;

// An importer that logs what it is asked and keeps the closures of its run.
class FakeImporter final : public IDesignImporter {
public:
    explicit FakeImporter(EventLog& log) : m_log(log) {}

    bool doBeforeProjectSelection(const std::string& fileName) override
    {
        m_log.add("doBeforeProjectSelection:" + fileName);
        return accepts;
    }
    void processDesignFile(const std::string& projectId, const std::string& platform, bool shouldUploadDesign,
                           ProgressCompletion exportCompletion, ProgressCompletion stepCompletion,
                           std::function<void()> cancelCompletion,
                           std::function<void(const UploadFailure&)> failureCompletion) override
    {
        m_log.add("processDesignFile:" + projectId + ":" + platform + ":" + (shouldUploadDesign ? "design" : "no-design"));
        exportProgress = std::move(exportCompletion);
        step = std::move(stepCompletion);
        cancel = std::move(cancelCompletion);
        fail = std::move(failureCompletion);
    }
    std::vector<std::string> getArtboardIds() const override { return artboardIds; }
    MixPanelEventCode getEventCode() const override { return code; }

    bool accepts = true;
    MixPanelEventCode code = MixPanelEventCode::SKETCH_UPLOAD;
    std::vector<std::string> artboardIds;
    ProgressCompletion exportProgress;
    ProgressCompletion step;
    std::function<void()> cancel;
    std::function<void(const UploadFailure&)> fail;

private:
    EventLog& m_log; // not owned
};

ProjectDisplayInfo project(const std::string& id, const std::string& platform)
{
    ProjectDisplayInfo p;
    p.projectId = id;
    p.platform = platform;
    return p;
}

class ExportHelperTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_window.setObjectName(QStringLiteral("selection-window"));
        UserProfile::shared().clear();
    }
    void TearDown() override { UserProfile::shared().clear(); }

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

    // A fresh helper in the selection window with the fake importer chosen.
    std::unique_ptr<ExportHelper> helperInWindow(bool window = true)
    {
        auto helper = std::make_unique<ExportHelper>();
        if (window) helper->windowController = &m_window;
        helper->designImporter = &m_importer;
        return helper;
    }

    // A helper whose upload runs in the selection window.
    void startRunningUpload()
    {
        m_helper.windowController = &m_window;
        m_helper.designImporter = &m_importer;
        m_helper.startExportProcess(project("p1", "iOS"));
        ASSERT_TRUE(m_helper.isUploadRunning());
        m_log.events.clear();
    }

    EventLog m_log;
    RecordingNavigator m_navigator{m_log};
    platform::ScriptedDialogPresenter m_dialogs;
    QObject m_window;
    FakeImporter m_importer{m_log};
    ExportHelper m_helper;
};

TEST_F(ExportHelperTest, ImporterIsPickedByFileName)
{
    IDesignImporter* sketch = &SketchDesignImporter::importer();
    IDesignImporter* xd = &AdobeXDDesignImportHelper::importer();
    const struct {
        const char* fileName;
        IDesignImporter* chosen; // nullptr: refused, the earlier importer stays
    } cases[] = {
        {"/Users/ada/Exports/design.zvusk", sketch},
        {"/Users/ada/Exports/x.zvusk.bak", sketch}, // a substring test, not a suffix test
        {"/Users/ada/Exports/x.xdzvusk", xd},
        {"/Users/ada/Exports/x.xdzvusk.zvusk", sketch},
        {"/Users/ada/Exports/x.sketch", nullptr},
    };
    for (const auto& c : cases) {
        auto helper = helperInWindow(false);
        EXPECT_EQ(helper->canStartImport(QString::fromUtf8(c.fileName)), c.chosen != nullptr) << c.fileName;
        EXPECT_EQ(helper->designImporter, c.chosen ? c.chosen : &m_importer) << c.fileName;
    }
}

// The whole road of one hand-off, in the order the user goes through it.
TEST_F(ExportHelperTest, HandOffGoesFromSignInThroughTheUploadToItsAnalyticsEvent)
{
    signIn();
    std::vector<boost::json::object> analytics;
    platform::EventSink::analytics().setRecorder([&](const boost::json::object& e) { analytics.push_back(e); });
    m_importer.code = MixPanelEventCode::ADOBEXD_UPLOAD;
    m_importer.artboardIds = {"a", "b", "c", "d"};
    auto helper = helperInWindow();
    helper->shouldUploadSketch = true;
    auto running = [&] { m_log.add(helper->isUploadRunning() ? "running" : "not running"); };
    auto report = [&](const char* kind) {
        return [&, kind](const std::string& t, double p) { m_log.add(kind + t + ":" + std::to_string(int(p))); };
    };

    helper->checkLoginAndStart(QStringLiteral("/tmp/e.zvusk"));
    helper->startExportProcess(project("p3", "Android"));
    running();
    helper->processDesignFile(report("export:"), report("step:"), {}, {});
    m_importer.exportProgress("Home", 10);
    m_importer.step("Cart", 50);
    m_importer.exportProgress("Home", 100); // a label update at 100 does not end the run
    running();
    m_importer.step("done", 100);
    running();
    helper->doAfterExportCompleted();
    platform::EventSink::analytics().setRecorder(nullptr);

    EXPECT_EQ(m_log.events, (Log{"activate", "doBeforeProjectSelection:/tmp/e.zvusk", "showProjectSelection:selection-window",
                          "bringToFront:selection-window", "openExportArtboards:selection-window:p3", "running",
                          "processDesignFile:p3:Android:design", "export:Home:10", "step:Cart:50", "export:Home:100",
                          "running", "step:done:100", "not running"}));
    ASSERT_EQ(analytics.size(), 1u);
    EXPECT_EQ(analytics[0].at("event"), "ADOBEXD_UPLOAD");
    const auto& props = analytics[0].at("properties").as_object();
    EXPECT_EQ(props.at("Uploaded Artboard/s Count"), 4);
    EXPECT_EQ(std::tie(props.at("userEmail"), props.at("userName")),
              std::tuple(boost::json::value("ada@example.com"), boost::json::value("ada")));
}

TEST_F(ExportHelperTest, WithoutSessionOrUsableHandOffNoProjectSelectionOpens)
{
    enum class Session { signedIn, signedOut, noAccessData };
    const struct {
        const char* name;
        Session session;
        bool window;
        bool handOffUsable;
        Log expected;
    } cases[] = {
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
        m_log.events.clear();
        m_importer.accepts = c.handOffUsable;

        helperInWindow(c.window)->checkLoginAndStart(QStringLiteral("/tmp/e.zvusk"));

        EXPECT_EQ(m_log.events, c.expected);
    }
}

TEST_F(ExportHelperTest, LateReportOfAnEarlierRunDoesNotEndTheCurrentOne)
{
    startRunningUpload();
    m_helper.processDesignFile({}, {}, {}, {});
    auto earlierFail = m_importer.fail;
    m_importer.cancel();
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

        EXPECT_EQ(m_helper.designImporter, &m_importer);
        EXPECT_EQ(m_helper.projectId, std::optional<std::string>("p1"));
        EXPECT_EQ(m_helper.platform, "iOS");
        EXPECT_EQ(m_log.events, (Log{"activate", "bringToFront:selection-window"}));
        ASSERT_EQ(m_dialogs.shown().size(), 1u);
        EXPECT_EQ(m_dialogs.shown()[0].kind, Kind::Alert);
        m_helper.uploadEnded();
    }
}

TEST_F(ExportHelperTest, HandOffIsAcceptedAgainOnceTheUploadIsOver)
{
    const struct {
        const char* name;
        std::function<void(ExportHelper&, FakeImporter&)> endUpload;
        Log reports;
        bool beforeProcessing = false;
    } cases[] = {
        {"run failed", [](ExportHelper&, FakeImporter& i) { i.fail(UploadFailure{"Home", "refused"}); }, {"failure"}},
        {"user cancelled", [](ExportHelper&, FakeImporter& i) { i.cancel(); }, {"cancel"}},
        {"no importer to run", [](ExportHelper& h, FakeImporter&) { h.designImporter = nullptr; }, {"failure"}, true},
        {"its window is gone", [](ExportHelper& h, FakeImporter&) { h.windowController = nullptr; }, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        startRunningUpload();
        Log reports;
        if (c.beforeProcessing) c.endUpload(m_helper, m_importer);
        m_helper.processDesignFile({}, {}, [&] { reports.push_back("cancel"); },
                                   [&](const UploadFailure&) { reports.push_back("failure"); });
        if (!c.beforeProcessing) c.endUpload(m_helper, m_importer);

        EXPECT_EQ(reports, c.reports);
        EXPECT_TRUE(m_helper.canStartImport(QStringLiteral("/tmp/next.zvusk")));
        EXPECT_EQ(m_helper.designImporter, &SketchDesignImporter::importer());
    }
}

} // namespace
