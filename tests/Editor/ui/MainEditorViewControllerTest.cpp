#include "Editor/ui/EditorTestKit.h"

#include "App/ui/MainContentViewController.h"
#include "CodePreferences/ui/MainEditorCodeViewController.h"
#include "Components/CreateComponentSession.h"
#include "Components/ui/ComponentInfoSelectionViewController.h"
#include "Components/ui/ComponentTypeSelectionViewController.h"
#include "Components/ui/ComponentsViewController.h"
#include "Components/ui/ConvertViewComponentViewController.h"
#include "Components/ui/CreateComponentViewController.h"
#include "Editor/Canvas/SelectedViewInfo.h"
#include "Editor/Canvas/ui/MainEditorDesignViewController.h"
#include "Editor/Pages/ui/ViewsViewController.h"
#include "Editor/ui/EditorHierarchy.h"
#include "Editor/VItemInfo.h"
#include "Import/Sketch/ArtboardContainerModel.h"
#include "Projects/ProjectContainerModel.h"
#include "platform/Localization.h"
#include "Projects/ui/MainViewController.h"
#include "Projects/ui/ProjectsViewController.h"
#include "Projects/ui/SideMenuContentViewController.h"
#include "support/ServiceTestDoubles.h"
#include "platform/EventSinks.h"

#include <QAction>
#include <array>
#include <tuple>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableWidget>

using namespace editortest;
using windowtest::waitUntil;

namespace {

class MainEditorTest : public EditorTest {};

TEST_F(MainEditorTest, FirstReplyFillsTheSidePagesTheCodeTabAndTheProjectContainer)
{
    ASSERT_TRUE(openEditor());
    auto* content = editorhierarchy::sideMenuContentOfEditor(editor);
    ASSERT_NE(content, nullptr);
    auto* components = qobject_cast<ComponentsViewController*>(content->getVC(SideMenuContentType::components));
    ASSERT_NE(components, nullptr);
    EXPECT_EQ(windowtest::tableColumn(components->tableView(), 0), (std::vector<std::string>{"Profile Card"}));
    auto* create = qobject_cast<CreateComponentViewController*>(content->getVC(SideMenuContentType::createComponent));
    auto* convert = qobject_cast<ConvertViewComponentViewController*>(content->getVC(SideMenuContentType::convertView));
    ASSERT_TRUE(create && convert);
    EXPECT_EQ(create->typeSelectionVC()->componentTypeList().size(), 2u);
    EXPECT_EQ(convert->typeSelectionVC()->componentTypeList().size(), 1u);

    auto* code = editor->getCodeViewController();
    ASSERT_NE(code, nullptr);
    EXPECT_EQ(code->textView()->toPlainText(), QStringLiteral("class Card {}"));

    const auto& container = window->projectContainer();
    ASSERT_TRUE(container && container->selectedArtboardContainerModel);
    EXPECT_EQ(container->selectedArtboardContainerModel->viewInfoList.size(), 1u);
    EXPECT_EQ(container->selectedArtboardContainerModel->viewInfoList.front()->varName, "titleLabel");
    EXPECT_EQ(container->colors.size(), 1u);
    ASSERT_NE(window->sketchReader(), nullptr);
    EXPECT_TRUE(container->selectedArtboardContainerModel->variableNamePicker != nullptr);
    EXPECT_EQ(container->codeGenerationInfo.language, ProgrammingLanguage::swift); // of the iOS project
}

struct SampleCase {
    bool isSample;
};
void PrintTo(const SampleCase& c, std::ostream* os) { *os << (c.isSample ? "sample" : "notSample"); }

class ReloadRequestTest : public MainEditorTest, public ::testing::WithParamInterface<SampleCase> {};

TEST_P(ReloadRequestTest, CarriesAllFourKeysWithTheSampleFlagAsAJsonBoolean)
{
    ASSERT_TRUE(openEditor({scripted("main/detailInfo", detailReply())}));
    service->clearRecords();
    editor->isSample = GetParam().isSample;
    editor->fetchArtboardDetail();
    ASSERT_TRUE(waitForRequests("main/detailInfo", 1));
    const auto record = firstRecord("main/detailInfo");
    ASSERT_TRUE(record.contains("body"));
    const auto& body = record.at("body").as_object();
    EXPECT_EQ(StandinService::bodyString(record, "projectId"), "project-1");
    EXPECT_EQ(StandinService::bodyString(record, "artboardId"), "artboard-1");
    EXPECT_EQ(StandinService::bodyString(record, "platform"), "iOS");
    ASSERT_TRUE(body.contains("isSample"));
    ASSERT_TRUE(body.at("isSample").is_bool());
    EXPECT_EQ(body.at("isSample").as_bool(), GetParam().isSample);
}

INSTANTIATE_TEST_SUITE_P(Table, ReloadRequestTest, ::testing::Values(SampleCase{false}, SampleCase{true}));

TEST_F(MainEditorTest, ReplyArrivingAfterTheEditorLeftTheContentStackChangesNothing)
{
    boost::json::object later = detailReply();
    later["componentList"] = boost::json::array{};
    ASSERT_TRUE(openEditor({scripted("main/detailInfo", later, 1, 300)}));
    const auto heldReply = editor->response;
    const auto heldContainer = window->projectContainer();
    editor->fetchArtboardDetail();
    // Another screen covers the editor before the reply comes.
    window->contentStack()->push(ProjectsViewController::instantiate());
    ASSERT_TRUE(waitForRequests("main/detailInfo", 2));
    QTest::qWait(500);
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->response, heldReply);
    EXPECT_EQ(window->projectContainer(), heldContainer);
}

TEST_F(MainEditorTest, ReloadIsSkippedWithoutProjectIdReplyOrProjectAndNeverSentWithoutArtboardId)
{
    ASSERT_TRUE(openEditor());
    const std::vector<std::function<void(MainEditorViewController&)>> breakers = {
        [](MainEditorViewController& e) { e.projectId.reset(); },
        [](MainEditorViewController& e) { e.response.reset(); },
        [](MainEditorViewController& e) { e.project.reset(); },
        [](MainEditorViewController& e) { e.response->artboardFlatModel.artboard.oid.clear(); },
    };
    for (std::size_t i = 0; i < breakers.size(); ++i) {
        SCOPED_TRACE(i);
        editor->projectId = "project-1";
        editor->project = project();
        editor->response = std::make_shared<ArtboardDetailInfoResponse>(
            jsonmap::fromJson<ArtboardDetailInfoResponse>(detailReply()));
        breakers[i](*editor);
        service->clearRecords();
        DebugLines lines;
        editor->fetchArtboardDetail();
        QTest::qWait(50);
        EXPECT_EQ(lines.containing("nothing to reload"), 1);
        EXPECT_TRUE(editorPaths().empty());
    }
}

struct RoleCase {
    const char* role;
    bool designer;
};
void PrintTo(const RoleCase& c, std::ostream* os) { *os << '"' << c.role << '"'; }

class DesignerModeTest : public MainEditorTest, public ::testing::WithParamInterface<RoleCase> {};

TEST_P(DesignerModeTest, OnlyTheExactRoleDesignerRemovesTheCodeTabAndShowsTheBanner)
{
    ASSERT_TRUE(openEditor({}, project(GetParam().role)));
    windowtest::flushDeletions();
    auto* design = editor->getDesignViewController();
    ASSERT_NE(design, nullptr);
    EXPECT_EQ(editor->getCodeViewController() == nullptr, GetParam().designer);
    EXPECT_EQ(design->userModeLabel()->isVisible(), GetParam().designer);
    EXPECT_EQ(design->userModeLabel()->text(),
              GetParam().designer ? platform::localized("designerModeInfoView.label") : QString());
    // The design half still follows every new detail.
    editor->updateUI(window->projectContainer(), true);
    EXPECT_EQ(editor->getCodeViewController() == nullptr, GetParam().designer);
}

INSTANTIATE_TEST_SUITE_P(Table, DesignerModeTest,
                         ::testing::Values(RoleCase{"designer", true}, RoleCase{"Designer", false},
                                           RoleCase{"developer", false}, RoleCase{"", false}));

// Swift for "iOS" exactly (the project of the first test), Kotlin for any other platform.
TEST_F(MainEditorTest, ProjectContainerCarriesTheLanguageOfTheProjectsPlatform)
{
    ProjectDisplayInfo opened = project();
    opened.platform = "ios";
    ASSERT_TRUE(openEditor({}, opened));
    ASSERT_TRUE(window->projectContainer());
    EXPECT_EQ(window->projectContainer()->codeGenerationInfo.platform, "ios");
    EXPECT_EQ(window->projectContainer()->codeGenerationInfo.language, ProgrammingLanguage::kotlin);
    EXPECT_EQ(window->projectContainer()->codeGenerationInfo.languageVersion, "5.0");
}

TEST_F(MainEditorTest, ExportItemIsActiveOnlyWhileTheEditorShows)
{
    ASSERT_TRUE(openEditor());
    QAction* item = window->exportButtonItem();
    ASSERT_NE(item, nullptr);
    const auto state = [item] { return std::make_pair(item->data().toInt(), item->isEnabled()); };
    EXPECT_EQ(state(), std::make_pair(0, true));
    window->contentStack()->push(ProjectsViewController::instantiate());
    EXPECT_EQ(state(), std::make_pair(-20, false));
    window->contentStack()->pop();
    EXPECT_EQ(state(), std::make_pair(0, true));
}

struct DeleteCase {
    bool status;
    std::vector<std::string> paths;
};
void PrintTo(const DeleteCase& c, std::ostream* os) { *os << "status " << (c.status ? "true" : "false"); }

class DeleteComponentTest : public MainEditorTest, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(DeleteComponentTest, ConfirmedDeleteRefreshesComponentsTypesAndDetailInOrderOnlyOnSuccess)
{
    ASSERT_TRUE(openEditor({scripted("components/delete", boost::json::object{{"status", GetParam().status}}),
                            scripted("main/detailInfo", detailReply())}));
    auto* components = editor->getComponentsVC();
    ASSERT_NE(components, nullptr);
    service->clearRecords();
    dialogs->queueAnswer(platform::kAlertFirstButtonReturn);
    components->tableView()->selectRow(0);
    QTest::mouseClick(components->deleteButton(), Qt::LeftButton);
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown().front().text,
              QStringLiteral("You are about to delete component. It'll delete all instances of the component. Are you sure?"));
    ASSERT_TRUE(waitForRequests(GetParam().paths.back(), 1));
    QTest::qWait(100);
    EXPECT_EQ(editorPaths(), GetParam().paths);
    EXPECT_EQ(StandinService::bodyString(firstRecord("components/delete"), "componentId"), "component-1");
}

INSTANTIATE_TEST_SUITE_P(
    Table, DeleteComponentTest,
    ::testing::Values(DeleteCase{true, {"components/delete", "components/getAll", "components/getComponentTypeList",
                                        "main/detailInfo"}},
                      DeleteCase{false, {"components/delete"}}));

TEST_F(MainEditorTest, CancelledDeleteSendsNothing)
{
    ASSERT_TRUE(openEditor());
    service->clearRecords();
    dialogs->queueAnswer(platform::kAlertSecondButtonReturn);
    editor->getComponentsVC()->removeRow(0);
    QTest::qWait(50);
    EXPECT_TRUE(editorPaths().empty());
}

TEST_F(MainEditorTest, NewComponentTypesReachBothTypePagesAndTheHeldReply)
{
    ASSERT_TRUE(openEditor({scripted("components/getComponentTypeList",
                                     boost::json::parse(R"({"componentTypeList": [{"key": "a"}, {"key": "b"}, {"key": "c"}],
                                                            "convertibleTypeList": []})"))}));
    editor->fetchComponentTypeList();
    ASSERT_TRUE(waitUntil([this] { return editor->response->componentTypeList.size() == 3; }));
    EXPECT_EQ(editor->getCreateComponentVC()->typeSelectionVC()->componentTypeList().size(), 3u);
    EXPECT_TRUE(editor->getConvertViewVC()->typeSelectionVC()->componentTypeList().empty());
    EXPECT_TRUE(editor->response->convertibleTypeList.empty());
}

TEST_F(MainEditorTest, EmptyArtboardViewInfoListGivesEmptyViewListsInsteadOfAnOutOfRangeRead)
{
    boost::json::object empty = detailReply();
    empty["artboardViewInfoList"] = boost::json::array{};
    ASSERT_TRUE(openEditor({scripted("main/detailInfo", empty)}));
    editor->fetchArtboardDetail();
    ASSERT_TRUE(waitUntil([this] { return editor->response->artboardViewInfoList.empty(); }));
    EXPECT_TRUE(window->projectContainer()->selectedArtboardContainerModel->viewInfoList.empty());
    auto* views = qobject_cast<ViewsViewController*>(
        editorhierarchy::sideMenuContentOfEditor(editor)->getVC(SideMenuContentType::views));
    ASSERT_NE(views, nullptr);
}

// The component session is one for the application; the create and convert pages used to list
// the layers picked on the screen opened before.
TEST_F(MainEditorTest, AnotherScreenStartsWithoutTheComponentSelectionOfTheOneBefore)
{
    struct SessionInUse {
        CreateComponentSession session;
        SessionInUse() { CreateComponentSession::setSession(&session); }
        ~SessionInUse() { CreateComponentSession::setSession(nullptr); }
    } inUse;
    CreateComponentSession& session = inUse.session;
    ASSERT_TRUE(openEditor({scripted("main/detailInfo", detailReply("artboard-1")),
                            scripted("main/detailInfo", detailReply("artboard-2"))}));
    // "Title" and an unnamed layer inside it outlined on the canvas, as the views page does
    std::vector<std::shared_ptr<ViewInfo>> outlined;
    for (const auto& [oid, layerName, frame] : {std::tuple{"view-1", "Title", FrameModel(QRectF(0, 0, 100, 100))},
                                               std::tuple{"view-9", "", FrameModel(QRectF(10, 10, 20, 20))}}) {
        auto view = std::make_shared<ViewInfo>();
        view->oid = oid;
        view->layerName = layerName;
        view->layout = std::make_shared<FrameModel>(frame);
        outlined.push_back(view);
    }
    MainEditorDesignViewController* canvas = editor->getDesignViewController();
    canvas->highlightContainerView()->addNewSelectedViews(canvas->getSelectedViewInfoList(outlined));
    const std::array<ComponentFlowViewController*, 2> flows{editor->getCreateComponentVC(), editor->getConvertViewVC()};
    // the layer tables as the user sees them on the create and the convert page
    auto tables = [&flows] {
        std::vector<std::vector<std::string>> shown;
        for (ComponentFlowViewController* flow : flows) shown.push_back(windowtest::tableColumn(flow->infoSelectionVC()->layerTable(), 0));
        return shown;
    };
    for (ComponentFlowViewController* flow : flows) flow->showInfoSelection();
    const std::vector<std::string> picked{"Title", "view-9"}; // by name; a layer without one by its id
    EXPECT_EQ(tables(), (std::vector<std::vector<std::string>>{picked, picked}));
    ASSERT_TRUE(session.mainView && session.mainViewContainsAllViews);
    EXPECT_EQ(session.mainFrame.width, 100.0);

    // a reload of the same screen keeps the selection
    editor->fetchArtboardDetail();
    ASSERT_TRUE(waitForRequests("main/detailInfo", 2));
    QTest::qWait(200);
    EXPECT_EQ(tables(), (std::vector<std::vector<std::string>>{picked, picked}));
    EXPECT_EQ(session.selectViewInfoList.size(), 2u);

    editor = window->openScreen(project(), "artboard-2");
    ASSERT_TRUE(waitUntil([this] { return editor && editor->response; }));
    EXPECT_EQ(tables(), (std::vector<std::vector<std::string>>{{}, {}}));
    EXPECT_EQ(session.mainView, nullptr) << "a component of the new screen is not framed by the old one's view";
    // a stale frame would open the canvas menu on the new screen wherever the old selection was
    EXPECT_EQ(session.mainFrame.width, 0.0);
    EXPECT_EQ(session.mainFrame.height, 0.0);
    EXPECT_FALSE(session.mainViewContainsAllViews);
}

TEST_F(MainEditorTest, EditorOpenedWithoutASignedInUserLogsTheCodeEventWithEmptyNameAndEmail)
{
    std::vector<boost::json::object> events;
    platform::EventSink::analytics().setRecorder([&](const boost::json::object& e) { events.push_back(e); });
    UserProfile::shared().clear();
    QPointer<MainEditorViewController> alone = MainEditorViewController::instantiate();
    platform::EventSink::analytics().setRecorder(nullptr);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events.front().at("event"), "SHOW_CODE");
    const auto& props = events.front().at("properties").as_object();
    EXPECT_FALSE(props.contains("userName"));
    EXPECT_FALSE(props.contains("userEmail"));
    delete alone.data();
}

} // namespace
