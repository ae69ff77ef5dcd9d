#include "Projects/ui/ProjectMainWindowController.h"

#include "Account/UserProfile.h"
#include "App/MixpanelManager.h"
#include "App/ui/MainContentViewController.h"
#include "App/ui/Navigator.h"
#include "Components/ui/ComponentsViewController.h"
#include "Components/ui/ComponentTypeSelectionViewController.h"
#include "Components/ui/ConvertViewComponentViewController.h"
#include "Components/ui/CreateComponentViewController.h"
#include "CodeExport/AndroidGenerationResponse.h"
#include "CodePreferences/CodePreferenceContainer.h"
#include "Editor/ArtboardDetailInfoResponse.h"
#include "Editor/ClassNamePicker.h"
#include "Editor/ColorNamePicker.h"
#include "Editor/FontNamePicker.h"
#include "Editor/ImageNamePicker.h"
#include "Editor/Pages/ui/ColorsViewController.h"
#include "Editor/Pages/ui/TextStylesViewController.h"
#include "Editor/Pages/ui/ViewsViewController.h"
#include "Editor/StringNamePicker.h"
#include "Editor/ViewInfoMapper.h"
#include "Editor/VariableNamePicker.h"
#include "Editor/ui/EditorHierarchy.h"
#include "Editor/ui/MainEditorViewController.h"
#include "Import/Sketch/SketchReaderOnline.h"
#include "Projects/ProjectContainerModel.h"
#include "Projects/ui/MainViewController.h"
#include "Projects/ui/ProjectScreensViewController.h"
#include "Projects/ui/ProjectsViewController.h"
#include "Projects/ui/SideMenuContentViewController.h"
#include "platform/DebugLog.h"
#include "platform/Dialogs.h"
#include "platform/Localization.h"

#include <QAction>
#include <QToolBar>

ProjectMainWindowController::ProjectMainWindowController(QWidget* parent)
    : WindowController(parent)
{
    setObjectName(QStringLiteral("ProjectMainWindowController"));
    setMinimumSize(640, 440);
    resize(1200, 800);

    auto* toolBar = addToolBar(platform::localized("projectMain.toolbar"));
    toolBar->setObjectName(QStringLiteral("mainToolBar"));
    toolBar->setMovable(false);
    m_backAction = toolBar->addAction(platform::localized("projectMain.back"));
    m_backAction->setObjectName(QStringLiteral("backAction"));
    connect(m_backAction, &QAction::triggered, this, &ProjectMainWindowController::goBack);
    m_projectsAction = toolBar->addAction(platform::localized("projectMain.projects"));
    m_projectsAction->setObjectName(QStringLiteral("projectsAction"));
    connect(m_projectsAction, &QAction::triggered, this, &ProjectMainWindowController::showProjectList);
    m_refreshAction = toolBar->addAction(platform::localized("projectMain.refresh"));
    m_refreshAction->setObjectName(QStringLiteral("refreshAction"));
    connect(m_refreshAction, &QAction::triggered, this, &ProjectMainWindowController::refresh);
    auto* exportItem = toolBar->addAction(platform::localized("projectMain.export"));
    exportItem->setObjectName(QStringLiteral("exportButtonItem"));
    exportItem->setData(MainEditorViewController::kExportItemInactiveTag);
    exportItem->setEnabled(false);
    connect(exportItem, &QAction::triggered, this, &ProjectMainWindowController::exportCode);
    m_exportButtonItem = exportItem;
    m_signOutAction = toolBar->addAction(platform::localized("projectMain.signOut"));
    m_signOutAction->setObjectName(QStringLiteral("signOutAction"));
    connect(m_signOutAction, &QAction::triggered, this, &ProjectMainWindowController::signOut);

    showProjectList();
}

ProjectMainWindowController::~ProjectMainWindowController()
{
    // The editor asks this window for its export item when it is hidden; once this destructor has
    // returned, the widgets' own teardown would hide it with the window half destroyed. Hiding here
    // lets that happen while the window is still whole.
    hide();
}

ProjectsViewController* ProjectMainWindowController::projectsViewController() const
{
    return qobject_cast<ProjectsViewController*>(contentViewController());
}

MainViewController* ProjectMainWindowController::mainViewController() const
{
    return qobject_cast<MainViewController*>(contentViewController());
}

MainContentViewController* ProjectMainWindowController::contentStack() const
{
    MainViewController* root = mainViewController();
    return root ? root->contentStack() : nullptr;
}

MainEditorViewController* ProjectMainWindowController::mainEditor() const
{
    MainContentViewController* stack = contentStack();
    return stack ? qobject_cast<MainEditorViewController*>(stack->currentViewController()) : nullptr;
}

void ProjectMainWindowController::updateProjects(const AllProjectResponse& response)
{
    m_projects = response;
    if (auto* projects = projectsViewController()) projects->updateProjects(response);
}

void ProjectMainWindowController::showProjects(const AllProjectResponse& response)
{
    if (projectsViewController()) {
        updateProjects(response);
        return;
    }
    m_projects = response;
    showProjectList();
}

void ProjectMainWindowController::signOut()
{
    MixpanelManager::mixPanelLog(MixpanelManager::userNameValue(), MixpanelManager::userEmailValue(),
                                 MixPanelEventCode::LOGOUT, {});
    UserProfile::shared().signOut();
}

void ProjectMainWindowController::refresh()
{
    Navigator::share().reloadProjects(this, {});
}

void ProjectMainWindowController::showProjectList()
{
    auto* projects = ProjectsViewController::instantiate();
    projects->updateProjects(m_projects);
    connect(projects, &ProjectsViewController::projectOpened, this, &ProjectMainWindowController::openProject);
    setContentViewController(projects);
    setWindowTitle(platform::localized("projectMain.title"));
    updateNavigationState();
}

MainViewController* ProjectMainWindowController::ensureMainViewController()
{
    if (MainViewController* existing = mainViewController()) return existing;
    auto* root = MainViewController::instantiate();
    setContentViewController(root);
    connect(root->contentStack(), &MainContentViewController::currentChanged, this,
            [this](ViewController*) { updateNavigationState(); });
    return root;
}

void ProjectMainWindowController::openProject(const ProjectDisplayInfo& project)
{
    MainViewController* root = ensureMainViewController();
    auto* screens = ProjectScreensViewController::instantiate(project);
    connect(screens, &ProjectScreensViewController::screenOpened, this,
            [this](const ProjectDisplayInfo& chosen, const std::string& artboardId) { openScreen(chosen, artboardId); });
    for (const auto& [artboardId, name] : m_screenNames) screens->setScreenName(artboardId, name);
    root->contentStack()->setRoot(screens);
    setWindowTitle(QString::fromStdString(project.name));
    updateNavigationState();
}

MainEditorViewController* ProjectMainWindowController::openScreen(const ProjectDisplayInfo& project,
                                                                   const std::string& artboardId)
{
    if (artboardId.empty()) return nullptr;
    MainViewController* root = ensureMainViewController();
    auto* editor = MainEditorViewController::instantiate();
    editor->project = project;
    editor->projectId = project.projectId;
    editor->isSample = false; // the project list does not mark sample projects
    editor->setWindowDelegate(this);
    // Pages still show the previous screen's lists until the reply arrives; start them empty.
    m_projectContainer.reset();
    root->contentStack()->push(editor);
    Navigator::share().mainWindowController = this;
    updateNavigationState();

    QPointer<MainEditorViewController> guard = editor;
    QPointer<ProjectMainWindowController> window = this;
    Navigator::share().callMainEditorService(
        project.projectId, artboardId, editor->isSample, project.platform,
        [guard, window](const std::shared_ptr<ArtboardDetailInfoResponse>& reply) {
            if (!guard || !window || !reply) return;
            // The user may have gone back before the reply came.
            if (!editorhierarchy::mainViewOfEditor(guard)) return;
            guard->response = reply;
            window->updateWindow(reply, false);
        });
    return editor;
}

void ProjectMainWindowController::goBack()
{
    MainContentViewController* stack = contentStack();
    if (stack && stack->pop()) return;
    if (mainViewController()) showProjectList();
}

void ProjectMainWindowController::updateNavigationState()
{
    const bool atList = projectsViewController() != nullptr;
    m_backAction->setEnabled(!atList);
    m_projectsAction->setEnabled(!atList);
    if (MainViewController* root = mainViewController()) root->setSideMenuVisible(mainEditor() != nullptr);
}

void ProjectMainWindowController::exportCode()
{
    platform::Dialogs::presenter().alert(platform::localized("projectMain.export.unavailable.title"),
                                         platform::localized("projectMain.export.unavailable.info"),
                                         platform::localized("common.ok"));
}

void ProjectMainWindowController::updateWindow(const std::shared_ptr<ArtboardDetailInfoResponse>& response,
                                               bool withoutDesign)
{
    if (!response) return;
    const auto& artboard = response->artboardFlatModel.artboard;
    if (!artboard.oid.empty() && !artboard.name.empty()) {
        m_screenNames[artboard.oid] = QString::fromStdString(artboard.name);
        MainContentViewController* stack = contentStack();
        if (auto* screens = qobject_cast<ProjectScreensViewController*>(stack ? stack->rootViewController() : nullptr))
            screens->setScreenName(artboard.oid, QString::fromStdString(artboard.name));
    }
    updateData(*response);
    updateWholeWindowUI(0, withoutDesign);

    MainEditorViewController* editor = mainEditor();
    SideMenuContentViewController* content = editorhierarchy::sideMenuContentOfEditor(editor);
    if (!content) return;
    if (auto* colors = qobject_cast<ColorsViewController*>(content->getVC(SideMenuContentType::colors)))
        colors->update(response->colors, response->screenColors);
    if (auto* styles = qobject_cast<TextStylesViewController*>(content->getVC(SideMenuContentType::textStyles)))
        styles->update(response->fonts, response->screenFonts);
    if (auto* components = qobject_cast<ComponentsViewController*>(content->getVC(SideMenuContentType::components)))
        components->update(response->componentList);
    if (auto* views = qobject_cast<ViewsViewController*>(content->getVC(SideMenuContentType::views))) {
        // A reply without artboard items gives an empty views page.
        const ArtboardViewInfoItem* first =
            response->artboardViewInfoList.empty() ? nullptr : response->artboardViewInfoList.front().get();
        views->update(first ? first->viewInfoList : std::vector<std::shared_ptr<ViewInfo>>{},
                      first ? first->treeViewInfoList : std::vector<std::shared_ptr<TreeViewInfo>>{});
    }
    if (auto* convert = qobject_cast<ConvertViewComponentViewController*>(content->getVC(SideMenuContentType::convertView))) {
        if (auto* types = convert->typeSelectionVC()) types->update(response->convertibleTypeList);
    }
    if (auto* create = qobject_cast<CreateComponentViewController*>(content->getVC(SideMenuContentType::createComponent))) {
        if (auto* types = create->typeSelectionVC()) types->update(response->componentTypeList);
    }
}

void ProjectMainWindowController::updateData(const ArtboardDetailInfoResponse& response)
{
    m_sketchReader = std::make_unique<SketchReaderOnline>();
    m_sketchReader->artboardContainerHashMap = m_sketchReader->prepareArtboardMap(response.artboardFlatModel);

    auto container = std::make_shared<ProjectContainerModel>();
    const MainEditorViewController* editor = mainEditor();
    container->codeGenerationInfo =
        CodeGenerationInfo::forPlatform(editor && editor->project ? editor->project->platform : std::string());
    container->codePreferences = std::make_shared<CodePreferenceContainer>(response.codePreferences);
    container->codeDirectory = response.codeDirectory;
    container->selectedCodeFilePath = response.selectedCodeFilePath;
    container->colors = response.colors;
    container->screenColors = response.screenColors;
    container->fonts = response.fonts;
    container->screenFonts = response.screenFonts;
    container->strings = response.strings;
    container->screenStrings = response.screenStrings;
    container->images = response.images;
    container->symbolMasterViewInfoList = response.symbolMasterViewInfoList;
    container->artboardViewInfoList = response.artboardViewInfoList;
    container->customViewInfoList = response.customViewInfoList;

    container->colorNamePicker = std::make_shared<ColorNamePicker>();
    container->colorNamePicker->loadMap(response.colors);
    container->fontNamePicker = std::make_shared<FontNamePicker>();
    container->fontNamePicker->loadMap(response.fonts);
    container->stringNamePicker = std::make_shared<StringNamePicker>();
    container->stringNamePicker->loadMap(response.strings);
    container->imageNamePicker = std::make_shared<ImageNamePicker>();
    container->imageNamePicker->loadMap(response.images);
    container->classNamePicker = std::make_shared<ClassNamePicker>(ClassNamePicker::make(ProgrammingLanguage::swift));

    // The client records of the artboard's views, filed with the artboard's container.
    const ArtboardViewInfoItem* first =
        response.artboardViewInfoList.empty() ? nullptr : response.artboardViewInfoList.front().get();
    if (first && m_sketchReader->artboardContainerHashMap) {
        auto items = ViewInfoMapper::map(first->viewInfoList, container->colorNamePicker, container->fontNamePicker,
                                         container->stringNamePicker, container->classNamePicker);
        // The map holds the one artboard of the reply.
        auto& map = *m_sketchReader->artboardContainerHashMap;
        if (!map.empty() && map.begin()->second) map.begin()->second->viewInfoList = std::move(items);
    }
    m_projectContainer = std::move(container);
    m_androidGeneration = response.androidXmlGenerationResponse
                              ? std::make_shared<AndroidGenerationResponse>(*response.androidXmlGenerationResponse)
                              : nullptr;
}

void ProjectMainWindowController::updateWholeWindowUI(std::size_t newIndex, bool withoutDesign)
{
    if (!m_projectContainer) return;
    std::shared_ptr<ArtboardContainerModel> selected;
    if (m_sketchReader && m_sketchReader->artboardContainerHashMap) {
        std::size_t i = 0;
        for (const auto& entry : *m_sketchReader->artboardContainerHashMap) {
            if (i++ == newIndex) {
                selected = entry.second;
                break;
            }
        }
    }
    MainEditorViewController* editor = mainEditor();
    if (selected && !selected->variableNamePicker)
        selected->variableNamePicker = std::make_shared<VariableNamePicker>(
            VariableNamePicker::make(m_projectContainer->codeGenerationInfo.language, VariableNameType::code));
    m_projectContainer->selectedArtboardContainerModel = selected;
    if (editor) editor->updateUI(m_projectContainer, withoutDesign);
}
