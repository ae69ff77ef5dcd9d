#include "Editor/ui/MainEditorViewController.h"

#include "Account/UserProfile.h"
#include "App/MixpanelManager.h"
#include "App/ui/Navigator.h"
#include "Base/ServiceEndPoints.h"
#include "Base/ServiceManager.h"
#include "CodePreferences/ui/MainEditorCodeViewController.h"
#include "Components/CreateComponentSession.h"
#include "Components/DeleteComponentRequest.h"
#include "Components/GetProjectComponentTypeListRequest.h"
#include "Components/GetProjectComponentTypeListResponse.h"
#include "Components/GetProjectComponentsRequest.h"
#include "Components/GetProjectComponentsResponse.h"
#include "Components/ui/ComponentInfoSelectionViewController.h"
#include "Components/ui/ComponentTypeSelectionViewController.h"
#include "Components/ui/ComponentsViewController.h"
#include "Components/ui/ConvertViewComponentViewController.h"
#include "Components/ui/CreateComponentViewController.h"
#include "Editor/ArtboardDetailInfoResponse.h"
#include "Editor/Canvas/PreviewConstants.h"
#include "Editor/Canvas/ui/MainEditorDesignViewController.h"
#include "Editor/ui/EditorHierarchy.h"
#include "Editor/ui/MainEditorDesignSplitViewController.h"
#include "Editor/ui/MainEditorWindowDelegate.h"
#include "Projects/ProjectContainerModel.h"
#include "Projects/ui/ProjectMainWindowController.h"
#include "platform/DebugLog.h"
#include "platform/Localization.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QShowEvent>
#include <QSplitter>

#include <array>

namespace {

// The editor's own calls show the loading indicator over the key window and report failures
// through the service client; none has an error handler of its own.
ServiceCallOptions editorCallOptions()
{
    ServiceCallOptions options;
    options.silentNoInternetConnection = false;
    options.showIndicatorView = true;
    return options;
}

} // namespace

MainEditorViewController* MainEditorViewController::instantiate()
{
    return new MainEditorViewController;
}

MainEditorViewController::MainEditorViewController()
{
    setObjectName(QStringLiteral("MainEditorViewController"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setChildrenCollapsible(false);
    layout->addWidget(m_splitter);
    auto* design = MainEditorDesignSplitViewController::instantiate();
    auto* code = MainEditorCodeViewController::instantiate();
    m_splitter->addWidget(design);
    m_splitter->addWidget(code);
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 1);
    // The design half needs the canvas width and a margin; the code gets the rest.
    design->setMinimumWidth(static_cast<int>(PreviewConstants::previewSize().width()) + 40);
    m_splitter->setSizes({460, 640});
    addChildController(design);
    addChildController(code);

    // Without a signed-in user (a test, a session ended meanwhile) the event carries empty texts.
    const auto& user = UserProfile::shared().userInfo;
    MixpanelManager::mixPanelLog(user ? user->username : std::string(), user ? std::optional<std::string>(user->email)
                                                                              : std::optional<std::string>(std::string()),
                                 MixPanelEventCode::SHOW_CODE, {});
}

MainEditorViewController::~MainEditorViewController() = default;

void MainEditorViewController::setWindowDelegate(MainEditorWindowDelegate* delegate)
{
    m_windowDelegate = delegate;
    m_windowObject = dynamic_cast<QObject*>(delegate);
    if (!m_windowObject) m_windowDelegate = nullptr;
}

MainEditorWindowDelegate* MainEditorViewController::windowDelegate() const
{
    return m_windowObject ? m_windowDelegate : nullptr;
}

std::string MainEditorViewController::getSelectedArtboardInfo() const
{
    return response ? response->artboardFlatModel.artboard.name : std::string();
}

std::string MainEditorViewController::getArtboardId() const
{
    return response ? response->artboardFlatModel.artboard.oid : std::string();
}

MainEditorCodeViewController* MainEditorViewController::getCodeViewController() const
{
    if (childControllerCount() < 2) return nullptr;
    return childAs<MainEditorCodeViewController>(1);
}

MainEditorDesignViewController* MainEditorViewController::getDesignViewController() const
{
    return editorhierarchy::designCanvasOf(this);
}

void MainEditorViewController::updateUI(const std::shared_ptr<ProjectContainerModel>& container, bool withoutDesign)
{
    // The component session is one for the application: what was picked on the screen shown
    // before names views of that screen. A reload of the same screen keeps it.
    if (getArtboardId() != m_shownArtboardId) {
        m_shownArtboardId = getArtboardId();
        forgetComponentSelection();
    }
    if (auto* design = getDesignViewController())
        design->setArtboard(container, QString::fromStdString(projectId.value_or(std::string())), withoutDesign);
    if (auto* code = getCodeViewController()) {
        code->selectedArtboardContainer = container ? container->selectedArtboardContainerModel : nullptr;
        code->projectContainer = container;
        code->updateUIForScreenData();
    }
    showUserMode();
}

void MainEditorViewController::forgetComponentSelection()
{
    CreateComponentSession::session().clearSelection();
    const std::array<ComponentFlowViewController*, 2> flows{getCreateComponentVC(), getConvertViewVC()};
    for (ComponentFlowViewController* flow : flows) {
        if (ComponentInfoSelectionViewController* layers = flow ? flow->infoSelectionVC() : nullptr)
            layers->updateSelectedViewInfoList();
    }
}

void MainEditorViewController::showUserMode()
{
    const std::string role = project ? project->getUserRole() : std::string();
    auto* design = getDesignViewController();
    if (role == "designer") {
        if (auto* code = getCodeViewController()) {
            removeChildController(code);
            code->hide();
            code->deleteLater();
        }
        if (design) design->setUserMode(platform::localized("designerModeInfoView.label"), true);
        return;
    }
    if (design) design->setUserMode(QString(), false);
}

void MainEditorViewController::showEvent(QShowEvent* event)
{
    ViewController::showEvent(event);
    if (!event->spontaneous()) setExportItemActive(true);
}

void MainEditorViewController::hideEvent(QHideEvent* event)
{
    ViewController::hideEvent(event);
    if (!event->spontaneous()) setExportItemActive(false);
}

void MainEditorViewController::setExportItemActive(bool active)
{
    MainEditorWindowDelegate* delegate = windowDelegate();
    QAction* item = delegate ? delegate->exportButtonItem() : nullptr;
    if (!item) return;
    item->setData(active ? kExportItemActiveTag : kExportItemInactiveTag);
    item->setEnabled(active);
}

void MainEditorViewController::fetchArtboardDetail()
{
    if (!projectId || projectId->empty() || !response || !project) {
        platform::debugPrint("MainEditorViewController.fetchArtboardDetail: no project id, reply or project; nothing to reload");
        return;
    }
    const std::string artboardId = response->artboardFlatModel.artboard.oid;
    if (artboardId.empty()) {
        platform::debugPrint("MainEditorViewController.fetchArtboardDetail: the shown artboard has no id; nothing to reload");
        return;
    }
    QPointer<MainEditorViewController> guard = this;
    Navigator::share().callMainEditorService(
        *projectId, artboardId, isSample, project->platform,
        [guard](const std::shared_ptr<ArtboardDetailInfoResponse>& reply) {
            if (!guard || !reply) return;
            // Only while the editor is the screen of the project window's content stack.
            if (!editorhierarchy::mainViewOfEditor(guard)) return;
            ProjectMainWindowController* window = Navigator::share().mainWindowController.data();
            if (!window) return;
            guard->response = reply;
            window->updateWindow(reply, false);
        });
}

void MainEditorViewController::fetchComponents()
{
    if (!projectId) return;
    GetProjectComponentsRequest request;
    request.projectId = *projectId;
    QPointer<MainEditorViewController> guard = this;
    ServiceManager::shared().callService<GetProjectComponentsResponse>(
        ServiceEndPoints::Project::Component::getAll, request, editorCallOptions(),
        [guard](const GetProjectComponentsResponse& reply) {
            if (!guard) return;
            if (auto* page = guard->getComponentsVC()) page->update(reply.components);
        });
}

void MainEditorViewController::fetchComponentTypeList()
{
    if (!projectId || !project) return;
    GetProjectComponentTypeListRequest request;
    request.projectId = *projectId;
    request.platform = project->platform;
    QPointer<MainEditorViewController> guard = this;
    ServiceManager::shared().callService<GetProjectComponentTypeListResponse>(
        ServiceEndPoints::Project::Component::getComponentTypeList, request, editorCallOptions(),
        [guard](const GetProjectComponentTypeListResponse& reply) {
            if (guard) guard->update(reply);
        });
}

void MainEditorViewController::update(const GetProjectComponentTypeListResponse& componentTypeListResponse)
{
    if (auto* create = getCreateComponentVC()) {
        if (auto* types = create->typeSelectionVC()) types->update(componentTypeListResponse.componentTypeList);
    }
    if (auto* convert = getConvertViewVC()) {
        if (auto* types = convert->typeSelectionVC()) types->update(componentTypeListResponse.convertibleTypeList);
    }
    if (response) {
        response->componentTypeList = componentTypeListResponse.componentTypeList;
        response->convertibleTypeList = componentTypeListResponse.convertibleTypeList;
    }
}

void MainEditorViewController::deleteComponent(const std::string& componentId,
                                               const std::vector<ComponentDisplayInfo>& currentComponents)
{
    (void)currentComponents; // the refresh that follows brings the list anew
    if (!projectId) return;
    DeleteComponentRequest request;
    request.projectId = *projectId;
    request.componentId = componentId;
    request.deleteAllInstances = true;
    QPointer<MainEditorViewController> guard = this;
    ServiceManager::shared().callService<StatusResponse>(ServiceEndPoints::Project::Component::delete_, request,
                                                         editorCallOptions(), [guard](const StatusResponse& reply) {
                                                             if (!guard || !reply.status) return;
                                                             guard->fetchComponents();
                                                             guard->fetchComponentTypeList();
                                                             guard->fetchArtboardDetail();
                                                         });
}

ComponentsViewController* MainEditorViewController::getComponentsVC() const
{
    return editorhierarchy::sidePageOfEditor<ComponentsViewController>(this, SideMenuContentType::components);
}

CreateComponentViewController* MainEditorViewController::getCreateComponentVC() const
{
    return editorhierarchy::sidePageOfEditor<CreateComponentViewController>(this, SideMenuContentType::createComponent);
}

ConvertViewComponentViewController* MainEditorViewController::getConvertViewVC() const
{
    return editorhierarchy::sidePageOfEditor<ConvertViewComponentViewController>(this, SideMenuContentType::convertView);
}
