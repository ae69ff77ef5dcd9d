#include "Editor/ui/EditorTestKit.h"

#include "App/ui/MainContentViewController.h"
#include "Projects/ui/ProjectScreensViewController.h"

using namespace editortest;
using windowtest::waitUntil;

namespace {

class ProjectScreensTest : public EditorTest {};

// A service that refuses the preview links raised one dialog per thumbnail, 41 in a row for a
// project of 41 screens. The thumbnails now keep their placeholders quietly; the screen the user
// opens still tells once that its preview failed.
TEST_F(ProjectScreensTest, RefusedPreviewLinksLeaveThePlaceholdersWithoutADialogEach)
{
    const boost::json::object refusal{{"errorModel", {{"errorId", 5001}, {"errorMsg", "Previews are unavailable."}}}};
    startService(boost::json::serialize(
        boost::json::array{scripted("resource/downloadArtboardPreview", refusal, -1), scripted("main/detailInfo", detailReply())}));
    ASSERT_TRUE(signInDemoUser());
    window = new ProjectMainWindowController;
    window->bringToFront();
    ProjectDisplayInfo three = project();
    three.artboardIds = {"artboard-1", "artboard-2", "artboard-3"};
    window->openProject(three);
    auto* screens = qobject_cast<ProjectScreensViewController*>(window->contentStack()->currentViewController());
    ASSERT_NE(screens, nullptr);

    ASSERT_TRUE(waitUntil([screens] { return screens->failedThumbnailCount() == 3; }));
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_EQ(screens->loadedThumbnailCount(), 0);

    screens->openScreenAt(0);
    ASSERT_TRUE(waitForRequests("resource/downloadArtboardPreview", 4));
    ASSERT_TRUE(waitUntil([this] { return !dialogs->shown().empty(); }));
    windowtest::flushDeletions();
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown().front().text, QStringLiteral("Previews are unavailable."));
}

} // namespace
