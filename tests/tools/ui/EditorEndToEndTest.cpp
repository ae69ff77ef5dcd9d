// The whole road of a screen into the editor: a generated Sketch document is uploaded through
// the import driver into the stand-in service (a real process), then the project window lists
// the project, shows its screens with their previews and opens one in the editor, whose side
// pages and code tab are filled from the stand-in's detail reply.

#include "GeneratedSketchDocument.h"
#include "ImportDriverProcess.h"

#include "App/ui/WindowTestSupport.h"

#include "App/ui/MainContentViewController.h"
#include "CodePreferences/ui/MainEditorCodeViewController.h"
#include "Components/ui/ComponentTypeSelectionViewController.h"
#include "Components/ui/ComponentsViewController.h"
#include "Components/ui/CreateComponentViewController.h"
#include "Editor/ArtboardDetailInfoResponse.h"
#include "Editor/FileDTO.h"
#include "Editor/VItemInfo.h"
#include "Editor/ui/EditorHierarchy.h"
#include "Editor/ui/MainEditorViewController.h"
#include "Import/Sketch/ArtboardContainerModel.h"
#include "Projects/ProjectContainerModel.h"
#include "Projects/ui/ProjectScreensViewController.h"
#include "Projects/ui/ProjectsViewController.h"
#include "Projects/ui/SideMenuContentViewController.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTemporaryDir>

using namespace windowtest;
using G = GeneratedSketchDocument;

namespace {

GeneratedSketchDocument twoScreens()
{
    GeneratedSketchDocument d;
    d.addPage("P1", {G::artboard("A1", "Home", G::frame(0, 0, 375, 812),
                                 {G::group("G1", "toolbar", G::frame(10, 20, 300, 44),
                                           {G::layer("I1", "icon", G::frame(5, 5, 24, 24), {"png"})}),
                                  G::layer("R1", "Banner", G::frame(0, 200, 375, 100)),
                                  G::symbolInstance("X1", "SYM-A", G::frame(0, 300, 60, 40))}),
                     G::artboard("A2", "Settings", G::frame(400, 0, 375, 812),
                                 {G::layer("R2", "Green", G::frame(10, 10, 50, 50))}),
                     G::symbolMaster("MA", "SYM-A", "Button", G::frame(1000, 0, 60, 40),
                                     {G::layer("MI1", "badge", G::frame(2, 2, 8, 8))})});
    return d;
}

class EditorEndToEnd : public WindowTest {};

TEST_F(EditorEndToEnd, UploadedScreenOpensInTheEditorWithItsPagesAndCode)
{
    startService();
    QTemporaryDir work;
    const QString exportFile = work.filePath(QStringLiteral("screens.zvusk"));
    QString error;
    ASSERT_TRUE(twoScreens().writeExportFile(work.filePath(QStringLiteral("Screens.sketch")), exportFile, &error))
        << error.toStdString();
    const DriverOutcome upload = ImportDriverProcess::run(ImportDriverProcess::arguments(
        service->baseUrl(), "demo-ios", exportFile, {QStringLiteral("--timeout"), QStringLiteral("300")}));
    ASSERT_EQ(upload.exitCode, 0) << upload.lastLine() << "\n" << upload.errorOutput;

    ASSERT_TRUE(signInDemoUser());
    Navigator::share().showProjectsMainController({});
    ASSERT_TRUE(waitUntil([] { return shownContent<ProjectsViewController>() != nullptr; }));
    auto* window = qobject_cast<ProjectMainWindowController*>(windowsShowing<ProjectsViewController>().front());
    ASSERT_NE(window, nullptr);
    auto* projects = window->projectsViewController();
    ASSERT_TRUE(waitUntil([projects] { return projects->tableView()->rowCount() > 0; }));
    const auto& list = projects->response().projects;
    const auto found = std::find_if(list.begin(), list.end(), [](const ProjectDisplayInfo& p) { return p.projectId == "demo-ios"; });
    ASSERT_NE(found, list.end());
    EXPECT_EQ(found->artboardIds, (std::vector<std::string>{"A1", "A2"}));
    projects->openProjectAt(static_cast<int>(found - list.begin()));

    auto* screens = qobject_cast<ProjectScreensViewController*>(window->contentStack()->currentViewController());
    ASSERT_NE(screens, nullptr);
    EXPECT_EQ(screens->gridView()->count(), 2);
    ASSERT_TRUE(waitUntil([screens] { return screens->loadedThumbnailCount() == 2; })) << "previews gunzipped and decoded";

    screens->openScreenAt(0);
    auto* editor = window->mainEditor();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(waitUntil([editor] { return editor->response != nullptr; }));
    const ArtboardDetailInfoResponse& reply = *editor->response;
    EXPECT_EQ(reply.artboardFlatModel.artboard.oid, "A1");
    ASSERT_FALSE(reply.artboardViewInfoList.empty());

    // The container the pages and the canvas work on holds the mapped views of the screen.
    const auto& container = window->projectContainer();
    ASSERT_TRUE(container && container->selectedArtboardContainerModel);
    EXPECT_EQ(container->selectedArtboardContainerModel->viewInfoList.size(),
              reply.artboardViewInfoList.front()->viewInfoList.size());
    EXPECT_FALSE(container->selectedArtboardContainerModel->viewInfoList.empty());

    // Side pages: the components and the component types of the reply.
    auto* components = editor->getComponentsVC();
    ASSERT_NE(components, nullptr);
    EXPECT_EQ(components->tableView()->rowCount(), static_cast<int>(reply.componentList.size()));
    EXPECT_EQ(editor->getCreateComponentVC()->typeSelectionVC()->componentTypeList().size(), reply.componentTypeList.size());
    EXPECT_FALSE(reply.componentTypeList.empty());

    // Code tab: the file the reply selects is open.
    auto* code = editor->getCodeViewController();
    ASSERT_NE(code, nullptr);
    ASSERT_NE(code->shownFile(), nullptr);
    EXPECT_EQ(code->shownFile()->absolutePath, reply.selectedCodeFilePath);
    EXPECT_FALSE(code->textView()->toPlainText().isEmpty());

    // Back to the screens, then to the project list.
    window->goBack();
    EXPECT_EQ(window->mainEditor(), nullptr);
    EXPECT_NE(qobject_cast<ProjectScreensViewController*>(window->contentStack()->currentViewController()), nullptr);
    window->goBack();
    EXPECT_NE(window->projectsViewController(), nullptr);
}

} // namespace
