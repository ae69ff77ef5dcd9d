// The upload progress screen, driven headless through the reports its importer makes: what the
// labels say, when it finishes, and what it does to the window, the project list and analytics.

#include "App/ui/WindowTestSupport.h"

#include "Import/Plugin/ExportHelper.h"
#include "Import/Plugin/IDesignImporter.h"
#include "Import/Plugin/ui/ExportViewController.h"
#include "Projects/ui/ProjectWindowController.h"
#include "platform/EventSinks.h"
#include "platform/MainQueue.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

// Keeps the closures the screen hands over, so each test makes the reports itself.
class ScriptedImporter final : public IDesignImporter {
public:
    bool doBeforeProjectSelection(const std::string&) override { return true; }
    void processDesignFile(const std::string& projectId, const std::string& platform, bool,
                           ProgressCompletion exportCompletion, ProgressCompletion stepCompletion,
                           std::function<void()> cancelCompletion,
                           std::function<void(const UploadFailure&)> failureCompletion) override
    {
        ++runs;
        lastProjectId = projectId;
        lastPlatform = platform;
        exportReport = std::move(exportCompletion);
        stepReport = std::move(stepCompletion);
        cancel = std::move(cancelCompletion);
        failure = std::move(failureCompletion);
    }
    std::vector<std::string> getArtboardIds() const override { return {"A", "B"}; }
    MixPanelEventCode getEventCode() const override { return MixPanelEventCode::SKETCH_UPLOAD; }
    void setReadingObserver(std::function<void(bool)> observer) override { reading = std::move(observer); }

    int runs = 0;
    std::string lastProjectId;
    std::string lastPlatform;
    ProgressCompletion exportReport;
    ProgressCompletion stepReport;
    std::function<void()> cancel;
    std::function<void(const UploadFailure&)> failure;
    std::function<void(bool)> reading;
};

// Opens screens with the application's navigator but holds every project-list reload, so a test
// decides how (and whether) it ends.
class HoldingNavigator final : public NavigatorInterface {
public:
    explicit HoldingNavigator(Strings& events)
        : m_events(events)
    {
    }
    void activateApplication() override {}
    void showLoginViewController() override { m_events.push_back("login"); }
    void closeAllWindowsAndBackToLogin() override {}
    void showProjectSelectionViewController(QObject*, std::function<void(bool)>) override {}
    void openExportArtboards(QObject* window, const ProjectDisplayInfo& project) override
    {
        Navigator::share().openExportArtboards(window, project);
    }
    void bringWindowToFront(QObject* window) override { Navigator::share().bringWindowToFront(window); }
    void showProjectsMainController(std::function<void(bool)> completion) override
    {
        m_events.push_back("reload");
        pendingReloads.push_back(std::move(completion));
    }
    void addIndicator(QObject*) override {}
    void removeIndicator() override {}

    // Ends the oldest held reload.
    void endReload(bool shown)
    {
        ASSERT_FALSE(pendingReloads.empty());
        auto completion = std::move(pendingReloads.front());
        pendingReloads.erase(pendingReloads.begin());
        completion(shown);
    }

    std::vector<std::function<void(bool)>> pendingReloads;

private:
    Strings& m_events;
};

// Writes "window closed" into the event list when the window gets its close request.
class CloseRecorder final : public QObject {
public:
    explicit CloseRecorder(Strings& events)
        : m_events(events)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Close) m_events.push_back("window closed");
        return QObject::eventFilter(watched, event);
    }

private:
    Strings& m_events;
};

// Runs the main queue until everything queued before this call has run.
void drain()
{
    auto done = std::make_shared<bool>(false);
    platform::dispatchMain([done] { *done = true; });
    ASSERT_TRUE(platform::runMainLoopUntil([done] { return *done; }, windowtest::kWaitMs));
}

std::string text(const QLabel* label)
{
    return label ? label->text().toStdString() : std::string("<no label>");
}

class ExportScreen : public windowtest::WindowTest {
protected:
    void SetUp() override
    {
        windowtest::WindowTest::SetUp();
        NavigatorInterface::install(&navigator);
        platform::EventSink::analytics().setRecorder(
            [this](const boost::json::object& event) { events.push_back("analytics " + windowtest::uploadEventLine(event)); });
    }

    void TearDown() override
    {
        platform::EventSink::analytics().setRecorder(nullptr);
        windowtest::WindowTest::TearDown();
        Navigator::install();
    }

    // Opens the screen the way a double click on a project does.
    ExportViewController* open(bool withImporter = true)
    {
        window = new ProjectWindowController;
        window->installEventFilter(&closeRecorder);
        window->bringToFront();
        ExportHelper& helper = ExportHelper::importer();
        helper.windowController = window.data();
        helper.designImporter = withImporter ? &importer : nullptr;
        ProjectDisplayInfo project;
        project.projectId = "p-1";
        project.name = "Shop App";
        project.platform = "Android";
        helper.startExportProcess(project);
        screen = qobject_cast<ExportViewController*>(window->contentViewController());
        if (screen) {
            QObject::connect(screen, &ExportViewController::progressShown, [this](const QString& t, double p) {
                events.push_back("shown " + t.toStdString() + " " + QString::number(p, 'f', 2).toStdString());
            });
        }
        return screen;
    }

    bool windowIsOpen() const { return window && !window->isHidden(); }

    // Closes what an earlier case left and opens a fresh screen.
    ExportViewController* reopen()
    {
        windowtest::closeEveryWindow();
        windowtest::resetExportHelper();
        navigator.pendingReloads.clear();
        events.clear();
        return open();
    }

    // A fresh screen whose window the user closes at 40%.
    void closeMidRun()
    {
        ASSERT_TRUE(reopen());
        importer.exportReport("Home", 40);
        drain();
        window->close();
        windowtest::flushDeletions();
    }

    Strings events;
    HoldingNavigator navigator{events};
    CloseRecorder closeRecorder{events};
    ScriptedImporter importer;
    QPointer<ProjectWindowController> window;
    QPointer<ExportViewController> screen;
};

TEST_F(ExportScreen, StartsTheUploadOnceIntoTheChosenProject)
{
    ASSERT_TRUE(open());
    EXPECT_EQ(importer.runs, 1);
    EXPECT_EQ(importer.lastProjectId, "p-1");
    EXPECT_EQ(importer.lastPlatform, "Android");
    EXPECT_EQ(window->windowTitle().toStdString(), "Uploading Design");
    EXPECT_EQ(text(screen->exportInfoLabel()), "Preparing your design…");
    EXPECT_EQ(text(screen->completedPercentageLabel()), "");
    EXPECT_TRUE(screen->indicator()->isVisible()) << "busy while the upload runs";
    EXPECT_FALSE(screen->closeButton()->isVisible());

    // Hidden and shown again (minimised, restored): the busy indicator follows, the upload is
    // not started a second time.
    screen->hide();
    EXPECT_FALSE(screen->indicator()->isVisible());
    screen->show();
    EXPECT_TRUE(screen->indicator()->isVisible());
    EXPECT_EQ(importer.runs, 1);
}

// While the document is unpacked and read (off the main thread), the screen says so.
TEST_F(ExportScreen, SaysTheDocumentIsBeingReadWhileItIs)
{
    ASSERT_TRUE(open());
    ASSERT_TRUE(importer.reading);
    importer.reading(true);
    EXPECT_EQ(text(screen->exportInfoLabel()), "Reading the design document…");
    importer.reading(false);
    EXPECT_EQ(text(screen->exportInfoLabel()), "Preparing your design…");
    importer.exportReport("Home", 40);
    drain();
    importer.reading(true); // too late: a report has been shown
    EXPECT_EQ(text(screen->exportInfoLabel()), "Uploaded the preview of “Home”");
}

TEST_F(ExportScreen, LabelsAndBarShowEachReport)
{
    const struct {
        std::string name;
        bool step;
        std::string reportText;
        double percentage;
        std::string info, percent;
        int bar;
    } cases[] = {
        {"preview", false, "Home", 42.6, "Uploaded the preview of “Home”", "%43 completed", 43},
        {"step", true, "Artboards are preparing for upload...", 200.0 / 7, "Artboards are preparing for upload... — Shop App",
         "%29 completed", 29},
        {"a half goes to the even neighbour", false, "Menu", 62.5, "Uploaded the preview of “Menu”", "%62 completed", 62},
    };
    ASSERT_TRUE(open());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        (c.step ? importer.stepReport : importer.exportReport)(c.reportText, c.percentage);
        drain();
        EXPECT_EQ(text(screen->exportInfoLabel()), c.info);
        EXPECT_EQ(text(screen->completedPercentageLabel()), c.percent);
        EXPECT_EQ(screen->progressBar()->value(), c.bar);
    }
    EXPECT_EQ(screen->phase(), ExportViewController::Phase::progressing);
}

// A step at 100 queued behind a preview finishes only after the preview was shown.
TEST_F(ExportScreen, ReportsFromOtherThreadsAreShownInCallOrderAndAStepAtHundredFinishesAfterThem)
{
    ASSERT_TRUE(open());
    // Made one after another without the main loop running in between, as from a worker thread.
    std::thread worker([this] {
        importer.exportReport("Home", 20);
        importer.stepReport("Home", 40);
        importer.exportReport("Menu", 85.71);
        importer.stepReport("Home", 100.0);
    });
    worker.join();
    drain();
    EXPECT_EQ(events, (Strings{"shown Home 20.00", "shown Home 40.00", "shown Menu 85.71", "shown Home 100.00", "reload"}));
}

TEST_F(ExportScreen, OnlyAStepReportOfExactlyHundredFinishes)
{
    const struct {
        std::string name;
        bool step;
        double percentage;
        bool finishes;
    } cases[] = {
        {"export at 100", false, 100.0, false},
        {"step just over", true, 100.0000001, false},
        {"step at 100", true, 100.0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(reopen());
        (c.step ? importer.stepReport : importer.exportReport)("Home", c.percentage);
        drain();
        EXPECT_EQ(navigator.pendingReloads.size(), c.finishes ? 1u : 0u);
        EXPECT_EQ(screen->phase(), c.finishes ? ExportViewController::Phase::finishing
                                              : ExportViewController::Phase::progressing);
        EXPECT_EQ(screen->indicator()->isVisible(), !c.finishes);
    }
}

TEST_F(ExportScreen, FinishingReloadsTheListThenClosesAndLogsOnce)
{
    ASSERT_TRUE(open());
    bool finishedSignal = false;
    QObject::connect(screen, &ExportViewController::uploadFinished, [&] { finishedSignal = true; });
    importer.stepReport("Home", 100.0);
    importer.stepReport("Home", 100.0); // a second report of 100 must not finish again
    drain();
    ASSERT_EQ(navigator.pendingReloads.size(), 1u);
    EXPECT_TRUE(windowIsOpen()) << "the window waits for the reloaded list";

    navigator.endReload(true);
    drain();
    windowtest::flushDeletions();
    EXPECT_EQ(events, (Strings{"shown Home 100.00", "reload", "window closed", "analytics SKETCH_UPLOAD 2"}));
    EXPECT_FALSE(windowIsOpen());
    EXPECT_TRUE(finishedSignal);
    EXPECT_FALSE(ExportHelper::importer().isUploadRunning());
    EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(ExportScreen, AFinishedUploadIsLoggedOnceWhateverHappensDuringTheReload)
{
    struct Case {
        std::string name;
        std::function<void()> duringReload;
    };
    const std::vector<Case> cases = {
        {"the navigator answers twice",
         [this] {
             auto completion = navigator.pendingReloads.front();
             navigator.pendingReloads.clear();
             completion(true);
             completion(false);
         }},
        {"the user closes the window first",
         [this] {
             window->close();
             windowtest::flushDeletions();
             navigator.endReload(true);
         }},
        // Regression: a failed project-list reload left the window open and the upload unlogged.
        {"the reload fails", [this] { navigator.endReload(false); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(reopen());
        importer.stepReport("Home", 100.0);
        drain();
        ASSERT_EQ(navigator.pendingReloads.size(), 1u);
        c.duringReload();
        drain();
        windowtest::flushDeletions();
        EXPECT_EQ(events, (Strings{"shown Home 100.00", "reload", "window closed", "analytics SKETCH_UPLOAD 2"}));
        EXPECT_FALSE(windowIsOpen());
    }
}

TEST_F(ExportScreen, AFailedRunLeftTheScreenBelowHundredForEver)
{
    const struct {
        std::string name;
        UploadFailure failure;
        std::string shown;
    } cases[] = {
        {"with the item", {"icon@2x.png", "The service did not accept the image."},
         "The upload stopped at “icon@2x.png”: The service did not accept the image."},
        // A 10 MB message froze the window for 22 s while the label laid it out.
        {"a huge message is shortened", {"", std::string(10'000'000, 'm')},
         "The upload stopped: " + std::string(2000, 'm') + "… (9998000 more characters)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(reopen());
        importer.exportReport("Home", 40);
        importer.failure(c.failure);
        importer.stepReport("Home", 100.0); // made after the failure: never shown
        drain();

        EXPECT_EQ(text(screen->exportInfoLabel()), c.shown);
        EXPECT_EQ(text(screen->completedPercentageLabel()), "%40 completed");
        EXPECT_EQ(screen->phase(), ExportViewController::Phase::failed);
        EXPECT_FALSE(screen->indicator()->isVisible());
        ASSERT_TRUE(screen->closeButton()->isVisible());
        EXPECT_FALSE(ExportHelper::importer().isUploadRunning()) << "a new hand-off may start";
        EXPECT_TRUE(windowIsOpen()) << "the user reads what failed";

        QTest::mouseClick(screen->closeButton(), Qt::LeftButton);
        windowtest::flushDeletions();
        EXPECT_FALSE(windowIsOpen());
        EXPECT_EQ(events, (Strings{"shown Home 40.00", "window closed"})) << "no reload, no analytics";
        EXPECT_TRUE(navigator.pendingReloads.empty());
    }
}

TEST_F(ExportScreen, WithoutAHandedOverDesignTheScreenSaysSoInsteadOfWaiting)
{
    ASSERT_TRUE(open(false));
    drain();
    EXPECT_EQ(text(screen->exportInfoLabel()),
              "The upload stopped: No design was handed over for this upload. Export it again from the design tool.");
    EXPECT_TRUE(screen->closeButton()->isVisible());
}

// Closing the progress window deleted the screen with it: at 100 the project list was not
// reloaded and the upload never logged. The window now only hides until the run has ended.
TEST_F(ExportScreen, ClosingTheWindowMidRunLeavesTheUploadToEndAsItWould)
{
    const Strings closed{"shown Home 40.00", "window closed"};
    const struct {
        const char* name;
        std::function<void()> end;
        Strings events;
    } cases[] = {
        {"it reaches 100",
         [this] {
             importer.stepReport("Menu", 100.0);
             drain();
             navigator.endReload(true);
         },
         {"shown Home 40.00", "window closed", "shown Menu 100.00", "reload", "analytics SKETCH_UPLOAD 2"}},
        {"it fails", [this] { importer.failure({"Menu", "refused"}); }, closed},
        {"it is cancelled", [this] { importer.cancel(); }, closed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        closeMidRun();
        ASSERT_TRUE(screen) << "the screen lives on while its run does";
        c.end();
        drain();
        windowtest::flushDeletions();
        EXPECT_EQ(events, c.events);
        EXPECT_FALSE(window) << "the closed window goes once the run is over";
        EXPECT_TRUE(dialogs->shown().empty());
    }
}

// A hand-off refused because of an upload whose window the user closed shows that upload again.
TEST_F(ExportScreen, AHandOffRefusedWhileAClosedWindowsUploadRunsBringsItBack)
{
    closeMidRun();
    EXPECT_FALSE(ExportHelper::importer().canStartImport(QStringLiteral("/tmp/next.zvusk")));
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown()[0].text.toStdString(), "An upload is in progress");
    ASSERT_TRUE(windowIsOpen());
    EXPECT_EQ(text(screen->completedPercentageLabel()), "%40 completed");
}

TEST_F(ExportScreen, ReportsAfterTheScreenIsDeletedAreDropped)
{
    ASSERT_TRUE(open());
    delete window.data(); // as when the application quits during the upload
    ASSERT_FALSE(screen);
    importer.exportReport("Home", 50);
    importer.stepReport("Home", 100.0);
    importer.failure({"x", "y"});
    importer.cancel();
    drain();
    EXPECT_TRUE(navigator.pendingReloads.empty());
    EXPECT_TRUE(events.empty());
}

} // namespace
