#include "Editor/Pages/ui/ViewsViewController.h"

#include "App/ui/NoDataView.h"
#include "App/ui/SearchableListHeader.h"
#include "Base/ServiceEndPoints.h"
#include "Base/ServiceManager.h"
#include "Editor/ArtboardDetailInfoResponse.h"
#include "Editor/ArtboardViewInfoItem.h"
#include "Editor/Pages/PageResources.h"
#include "Editor/Pages/ViewOutlineTreeModel.h"
#include "Editor/Pages/ViewTreeMenu.h"
#include "Editor/Pages/ui/ViewItemRowView.h"
#include "Editor/Canvas/HighlightContainerView.h"
#include "Editor/Canvas/ui/MainEditorDesignViewController.h"
#include "Editor/ui/EditorHierarchy.h"
#include "Editor/ui/MainEditorViewController.h"
#include "Projects/ui/SideMenuContentViewController.h"
#include "Projects/ui/SideMenuViewController.h"

#include <QIcon>
#include <QItemSelectionModel>
#include <QMenu>
#include <QVBoxLayout>

ViewsViewController* ViewsViewController::instantiate()
{
    return new ViewsViewController;
}

NoDataView* ViewsViewController::noDataView() const
{
    return m_noDataView.data();
}

ViewsViewController::ViewsViewController()
{
    setObjectName(QStringLiteral("ViewsViewController"));
    m_model = new ViewOutlineTreeModel(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_stackView = new QVBoxLayout;
    layout->addLayout(m_stackView);
    m_listContentView = new QWidget(this);
    m_listContentView->setObjectName(QStringLiteral("listContentView"));
    auto* listLayout = new QVBoxLayout(m_listContentView);
    listLayout->setContentsMargins(0, 0, 0, 0);
    m_outlineView = new ViewTreeOutlineView(m_listContentView);
    listLayout->addWidget(m_outlineView);
    layout->addWidget(m_listContentView, 1);
    viewDidLoad();
}

void ViewsViewController::viewDidLoad()
{
    setupHeader();
    setupOutlineView();
    setupNoDataView();
}

void ViewsViewController::showEvent(QShowEvent* event)
{
    ViewController::showEvent(event);
    if (m_loaded) return;
    m_loaded = true;
    // Made with the project window, the page starts empty; shown first while the editor already
    // holds a detail, it takes that detail's first artboard item. A detail without one lists
    // nothing.
    loadFromEditor();
}

void ViewsViewController::loadFromEditor()
{
    MainEditorViewController* editor = editorhierarchy::editorOfPage(this);
    if (!editor || !editor->response) return;
    // a detail without an artboard item lists nothing instead of reading past the end
    const auto& items = editor->response->artboardViewInfoList;
    if (items.empty() || !items.front()) {
        update({}, {});
        return;
    }
    update(items.front()->viewInfoList, items.front()->treeViewInfoList);
}

void ViewsViewController::update(const std::vector<std::shared_ptr<ViewInfo>>& list,
                                 const std::vector<std::shared_ptr<TreeViewInfo>>& treeViewList)
{
    m_model->update(list, treeViewList);
    updateUI();
}

bool ViewsViewController::isSearchActive() const
{
    return m_model->isSearchActive();
}

void ViewsViewController::setupHeader()
{
    m_header = new SearchableListHeader(this);
    QPointer<ViewsViewController> self(this);
    m_header->setupView(
        QStringLiteral("Views"), false, QStringLiteral("Convert to .."), true,
        [self] {
            if (self) self->openConvertView();
        },
        [self] {
            if (self) self->closePage();
        },
        {},
        [self](ComponentSearchScope, const QString& text) {
            if (self) self->searchTextChanged(text);
        });
    m_stackView->addWidget(m_header);
}

void ViewsViewController::setupOutlineView()
{
    m_outlineView->setModel(m_model);
    m_rowView = new ViewItemRowView(this);
    m_outlineView->setItemDelegate(m_rowView);
    m_outlineView->setMenuDelegate(this);
    m_outlineView->setStyleSheet(
        QStringLiteral("QTreeView { background: %1; border: none; }")
            .arg(PageResources::namedColor(QStringLiteral("menuCardItemBg"), Qt::white).name()));
    connect(m_outlineView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { mirrorSelection(); });
    const QModelIndex first = m_model->index(0, 0);
    if (first.isValid()) m_outlineView->expandRecursively(first);
}

void ViewsViewController::searchTextChanged(const QString& text)
{
    m_model->applySearchText(text.toStdString());
    updateUI();
}

void ViewsViewController::updateUI()
{
    // the model has been reset: the outline shows the new list; open the first root fully
    const QModelIndex first = m_model->index(0, 0);
    if (first.isValid()) m_outlineView->expandRecursively(first);
    setupNoDataView();
}

void ViewsViewController::setupNoDataView()
{
    auto* layout = m_listContentView->layout();
    if (!m_model->shownList().empty()) {
        if (m_noDataView) {
            layout->removeWidget(m_noDataView);
            m_noDataView->hide();
        }
        m_outlineView->show();
        return;
    }
    m_outlineView->hide();
    NoDataView* empty = getNoDataView();
    layout->addWidget(empty);
    empty->show();
}

NoDataView* ViewsViewController::getNoDataView()
{
    if (!m_noDataView) {
        m_noDataView = new NoDataView(m_listContentView);
        m_noDataView->set(QStringLiteral("No View Found"), QString(),
                          QIcon(PageResources::imagePath(QStringLiteral("ic_layers_nodata"))));
    }
    return m_noDataView;
}

void ViewsViewController::closePage()
{
    if (SideMenuViewController* side = editorhierarchy::sideMenuOfPage(this)) side->closeMenuContent();
}

void ViewsViewController::openSideMenuPage(SideMenuContentType type)
{
    SideMenuViewController* side = editorhierarchy::sideMenuOfPage(this);
    auto* content = side ? side->childAs<SideMenuContentViewController>(1) : nullptr;
    if (content) content->open(type);
}

void ViewsViewController::openConvertView()
{
    openSideMenuPage(SideMenuContentType::convertView);
}

void ViewsViewController::openCreateComponent()
{
    openSideMenuPage(SideMenuContentType::createComponent);
}

void ViewsViewController::mirrorSelection()
{
    const std::vector<int> rows = m_outlineView->selectedRows();
    const std::vector<QModelIndex> shown = m_outlineView->shownRows();
    const TreeSelectedViewInfo selected = ViewTreeMenu::getSelectedViewInfoListInTree(
        rows, [this, &shown](int row) -> const TreeViewInfo* {
            if (row < 0 || row >= static_cast<int>(shown.size())) return nullptr;
            return m_model->nodeAt(shown[static_cast<std::size_t>(row)]);
        });
    selectOnCanvas(selected.viewInfoList);
}

QMenu* ViewsViewController::outlineViewMenuForItem(ViewTreeOutlineView* outlineView, const QModelIndex& item, int row)
{
    if (!outlineView || !item.isValid()) return nullptr;
    const std::vector<QModelIndex> shown = outlineView->shownRows();
    const TreeSelectedViewInfo target = ViewTreeMenu::target(
        outlineView->selectedRows(), row, [this, &shown](int at) -> const TreeViewInfo* {
            if (at < 0 || at >= static_cast<int>(shown.size())) return nullptr;
            return m_model->nodeAt(shown[static_cast<std::size_t>(at)]);
        });
    auto* menu = new QMenu;
    QPointer<ViewsViewController> self(this);
    for (const ViewTreeMenu::Item& entry : ViewTreeMenu::items(target)) {
        if (entry.command == ViewTreeMenu::Command::separator) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(entry.title);
        action->setVisible(entry.visible);
        const ViewTreeMenu::Command command = entry.command;
        connect(action, &QAction::triggered, this, [self, command, target] {
            if (!self) return;
            if (command == ViewTreeMenu::Command::deleteInstance) self->deleteInstance(target);
            else self->convertItems(target);
        });
    }
    return menu;
}

void ViewsViewController::deleteInstance(const TreeSelectedViewInfo& selectedViewInfo)
{
    MainEditorViewController* editor = editorhierarchy::editorOfPage(this);
    if (!editor) return;
    // nothing to delete, or nowhere to delete it: nothing goes out
    const auto request = ViewTreeMenu::deleteRequest(editor->projectId.value_or(std::string()), selectedViewInfo);
    if (!request) return;
    ServiceCallOptions options;
    options.showIndicatorView = true;
    QPointer<ViewsViewController> page(this);
    QPointer<MainEditorViewController> editorGuard(editor);
    ServiceManager::shared().callService<StatusResponse>(
        ServiceEndPoints::Project::ConvertView::delete_, *request, options, [page, editorGuard](const StatusResponse& reply) {
            // the page or the editor may have closed while the call was out
            if (!page || !editorGuard) return;
            // the reload ends in update() with the new tree
            if (reply.status) editorGuard->fetchArtboardDetail();
        });
}

void ViewsViewController::convertItems(const TreeSelectedViewInfo& selectedViewInfo)
{
    selectOnCanvas(selectedViewInfo.viewInfoList);
    openConvertView();
}

void ViewsViewController::createComponentItems(const TreeSelectedViewInfo& selectedViewInfo)
{
    selectOnCanvas(selectedViewInfo.viewInfoList);
    openCreateComponent();
}

void ViewsViewController::selectOnCanvas(const std::vector<std::shared_ptr<ViewInfo>>& viewInfoList)
{
    MainEditorDesignViewController* canvas = editorhierarchy::designCanvasOf(editorhierarchy::editorOfPage(this));
    if (!canvas) return;
    // The overlay shows exactly these views: outlines of views no longer selected go, views that
    // stay keep their outline and colour, new ones get theirs. No handles are drawn and the
    // component-creation session is left alone.
    const auto selected = canvas->getSelectedViewInfoList(viewInfoList);
    HighlightContainerView* overlay = canvas->highlightContainerView();
    const SelectionDictionary deselected = overlay->removeDeSelectedViews(selected);
    const SelectionDictionary added = overlay->addNewSelectedViews(selected);
    overlay->removeFromScreen(deselected);
    overlay->addToScreen(added);
}
