#include "Editor/Pages/ui/ResourceCardsPage.h"

#include "App/ui/NoDataView.h"
#include "App/ui/SearchableListHeader.h"
#include "Editor/Pages/PageResources.h"
#include "Editor/Pages/ResourceCardListModel.h"
#include "Editor/Pages/ui/ResourceCardDelegate.h"
#include "Editor/ui/EditorHierarchy.h"
#include "Editor/ui/MainEditorViewController.h"
#include "Projects/ui/SideMenuViewController.h"
#include "platform/DebugLog.h"

#include <QIcon>
#include <QItemSelectionModel>
#include <QListView>
#include <QEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

constexpr int kCardMargin = 8;
// the gap after the last card of a row is the grid's right margin
static_assert(kCardMargin == ResourceCardDelegate::kCardSpacing);

} // namespace

NoDataView* ResourceCardsPage::noDataView() const
{
    return m_noDataView.data();
}

ResourceCardsPage::ResourceCardsPage(Texts texts, ResourceCardListModel* model)
    : m_texts(std::move(texts))
    , m_model(model)
{
    m_model->setParent(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_stackView = new QVBoxLayout;
    layout->addLayout(m_stackView);
    m_listContentView = new QWidget(this);
    m_listContentView->setObjectName(QStringLiteral("listContentView"));
    layout->addWidget(m_listContentView, 1);

    setupHeader();
    setupCollectionView();
    setupNoDataView();
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] { setupNoDataView(); });
}

void ResourceCardsPage::setupHeader()
{
    m_header = new SearchableListHeader(this);
    const std::vector<ComponentSearchScopeItem> scopes{{ComponentSearchScope::screen, QStringLiteral("Screen")},
                                                       {ComponentSearchScope::project, QStringLiteral("All Project")}};
    QPointer<ResourceCardsPage> self(this);
    m_header->setupView(
        m_texts.headerText, true, QString(), false, {},
        [self] {
            if (self) self->closePage();
        },
        scopes,
        [self](ComponentSearchScope scope, const QString& text) {
            if (self) self->startSearch(text.toStdString(), scope);
        });
    m_stackView->addWidget(m_header);
}

void ResourceCardsPage::setupCollectionView()
{
    auto* layout = new QVBoxLayout(m_listContentView);
    layout->setContentsMargins(0, 0, 0, 0);
    m_collectionView = new QListView(m_listContentView);
    m_collectionView->setObjectName(QStringLiteral("collectionView"));
    m_delegate = new ResourceCardDelegate(this);
    m_collectionView->setItemDelegate(m_delegate);
    m_collectionView->setModel(m_model);
    m_collectionView->setViewMode(QListView::ListMode);
    m_collectionView->setFlow(QListView::LeftToRight);
    m_collectionView->setWrapping(true);
    m_collectionView->setResizeMode(QListView::Adjust);
    m_collectionView->setUniformItemSizes(true);
    m_collectionView->setMovement(QListView::Static);
    m_collectionView->setSpacing(0);
    m_collectionView->setFrameShape(QFrame::NoFrame);
    m_collectionView->setMouseTracking(true);
    m_collectionView->viewport()->setAttribute(Qt::WA_Hover); // the card under the pointer shows its border
    m_collectionView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The grid: cards of 282 x 64 with 8 around the grid, and at most two columns. Each cell
    // holds the gap after its card, which makes the right margin too; so a 282 card fits the
    // side menu's narrow pane.
    m_collectionView->setMaximumWidth(2 * ResourceCardDelegate::kCardWidth + 3 * kCardMargin);
    m_collectionView->setStyleSheet(QStringLiteral("QListView { padding: %1px 0px %1px %1px; background: %2; }")
                                        .arg(kCardMargin)
                                        .arg(PageResources::namedColor(QStringLiteral("menuListBg"), Qt::lightGray).name()));
    layout->addWidget(m_collectionView);
    m_collectionView->viewport()->installEventFilter(this);
    connect(m_collectionView->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndexList selected = m_collectionView->selectionModel()->selectedIndexes();
        // selecting a card has no effect beyond the index path of the first one: [section, item]
        if (!selected.isEmpty()) platform::debugPrint(QStringLiteral("[0, %1]").arg(selected.first().row()));
    });
}

bool ResourceCardsPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_collectionView->viewport() && event->type() == QEvent::Resize) fitCardsToWidth();
    return ViewController::eventFilter(watched, event);
}

void ResourceCardsPage::fitCardsToWidth()
{
    // a side pane narrower than a card would cut every card's right edge off
    const int available = m_collectionView->viewport()->width() - ResourceCardDelegate::kCardSpacing;
    const int width = std::clamp(available, 120, ResourceCardDelegate::kCardWidth);
    if (width == m_delegate->cardWidth()) return;
    m_delegate->setCardWidth(width);
    m_collectionView->doItemsLayout();
}

void ResourceCardsPage::setupNoDataView()
{
    if (!m_model->isEmpty()) {
        if (m_noDataView) {
            m_listContentView->layout()->removeWidget(m_noDataView);
            m_noDataView->hide();
        }
        m_collectionView->show();
        return;
    }
    m_collectionView->hide();
    NoDataView* empty = getNoDataView();
    m_listContentView->layout()->addWidget(empty);
    empty->show();
}

NoDataView* ResourceCardsPage::getNoDataView()
{
    if (!m_noDataView) {
        m_noDataView = new NoDataView(m_listContentView);
        m_noDataView->set(m_texts.emptyTitle, m_texts.emptyInfo, QIcon(PageResources::imagePath(m_texts.emptyImage)));
    }
    return m_noDataView;
}

void ResourceCardsPage::startSearch(const std::optional<std::string>& query, ComponentSearchScope scope)
{
    // the model's reset refreshes the grid and the empty state
    m_model->startSearch(query, scope);
}

void ResourceCardsPage::closePage()
{
    if (SideMenuViewController* side = editorhierarchy::sideMenuOfPage(this)) side->closeMenuContent();
}

void ResourceCardsPage::showEvent(QShowEvent* event)
{
    ViewController::showEvent(event);
    if (!m_loaded) {
        m_loaded = true;
        // Pages are made with the project window, before any artboard is open, and start with two
        // empty lists; the project window fills them on every detail. A page first shown while the
        // editor already holds a detail takes the detail's lists. Without a reachable editor the
        // lists stay what the last update gave.
        MainEditorViewController* editor = editorhierarchy::editorOfPage(this);
        if (editor && editor->response) loadLists(*editor->response);
    }
    if (SideMenuViewController* side = editorhierarchy::sideMenuOfPage(this))
        side->setContentMaximumWidth(SideMenuViewController::SIDE_MENU_CONTENT_MAX_WIDTH);
}
