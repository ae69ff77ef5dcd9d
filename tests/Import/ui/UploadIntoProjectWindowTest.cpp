// A real Adobe XD upload into the stand-in while the project window shows the editor: what the
// project window shows once the upload has reached 100, and what analytics heard.

#include "Editor/ui/EditorTestKit.h"

#include "Import/Plugin/AdobeXDDesignImportHelper.h"
#include "Import/Plugin/XDExportFolder.h"
#include "Import/Plugin/ui/ExportViewController.h"
#include "Projects/ui/ProjectWindowController.h"
#include "Projects/ui/ProjectsViewController.h"
#include "platform/EventSinks.h"

#include <QAction>

namespace {

using Strings = std::vector<std::string>;

class UploadIntoProjectWindow : public editortest::EditorTest {
protected:
    void SetUp() override
    {
        editortest::EditorTest::SetUp();
        platform::EventSink::analytics().setRecorder(
            [this](const boost::json::object& event) { analytics.push_back(windowtest::uploadEventLine(event)); });
    }
    void TearDown() override
    {
        platform::EventSink::analytics().setRecorder(nullptr);
        editortest::EditorTest::TearDown();
    }

    Strings analytics;
};

// The list was reloaded behind the editor, which stayed on screen: the new artboards showed only
// after a click on "All Projects".
TEST_F(UploadIntoProjectWindow, AFinishedUploadLeavesTheEditorForTheListWithTheProject)
{
    ProjectDisplayInfo demo = editortest::project();
    demo.projectId = "demo-ios";
    demo.name = "Demo iOS";
    ASSERT_TRUE(openEditor({}, demo));
    analytics.clear(); // the editor's own
    XDExportFolder folder;
    folder.artboard("X1", XDExportFolder::node("X1", "Checkout"));
    folder.artboard("X2", XDExportFolder::node("X2", "Receipt"));

    ExportHelper& helper = ExportHelper::importer();
    helper.designImporter = &AdobeXDDesignImportHelper::importer();
    ASSERT_TRUE(helper.designImporter->doBeforeProjectSelection("/tmp/export.xdzvusk"));
    QPointer<ProjectWindowController> progressWindow = new ProjectWindowController;
    progressWindow->bringToFront();
    helper.windowController = progressWindow.data();
    helper.startExportProcess(demo);
    auto* screen = qobject_cast<ExportViewController*>(progressWindow->contentViewController());
    ASSERT_NE(screen, nullptr);
    bool finished = false;
    QObject::connect(screen, &ExportViewController::uploadFinished, [&finished] { finished = true; });
    ASSERT_TRUE(windowtest::waitUntil([&finished] { return finished; }));
    windowtest::flushDeletions();

    EXPECT_FALSE(progressWindow);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->mainEditor(), nullptr);
    ASSERT_NE(window->projectsViewController(), nullptr);
    EXPECT_EQ(windowtest::windowsShowing<ProjectsViewController>(), std::vector<WindowController*>{window.data()});
    EXPECT_FALSE(window->projectsAction()->isEnabled()) << "at the list, as after \"All Projects\"";
    const auto* table = window->projectsViewController()->tableView();
    EXPECT_EQ(windowtest::tableColumn(table, 0), (Strings{"Demo iOS", "Demo Android"}));
    EXPECT_EQ(windowtest::tableColumn(table, 2), (Strings{"2", "0"})) << "the artboards just uploaded";
    EXPECT_EQ(analytics, Strings{"ADOBEXD_UPLOAD 2"});
}

} // namespace
