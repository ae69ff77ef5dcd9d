#include "SidePageActions.h"

#include "PendingReplies.h"

#include "App/ui/NoDataView.h"
#include "App/ui/SearchableListHeader.h"
#include "Base/ServiceEndPoints.h"
#include "Base/ServiceManager.h"
#include "Editor/Pages/ResourceCardListModel.h"
#include "Editor/Pages/ViewOutlineTreeModel.h"
#include "Editor/Pages/ui/ColorsViewController.h"
#include "Editor/Pages/ui/TextStylesViewController.h"
#include "Editor/Pages/ui/ViewsViewController.h"
#include "Editor/ui/EditorHierarchy.h"
#include "Editor/ui/MainEditorViewController.h"
#include "Projects/ui/SideMenuContentViewController.h"
#include "platform/MainQueue.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>

#include <memory>

namespace {

std::optional<int> parseRow(const QString& text)
{
    bool ok = false;
    const int row = text.toInt(&ok);
    if (!ok || row < 0) return std::nullopt;
    return row;
}

ViewsViewController* viewsPage(MainEditorViewController* editor)
{
    return editorhierarchy::sidePageOfEditor<ViewsViewController>(editor, SideMenuContentType::views);
}

// The menu row `row` opens, made as a right click on it makes it; the caller owns it.
std::unique_ptr<QMenu> menuOfRow(ViewsViewController& page, int row)
{
    ViewTreeOutlineView* outline = page.outlineView();
    const QModelIndex index = outline->indexAtRow(row);
    if (!index.isValid()) return nullptr;
    return std::unique_ptr<QMenu>(outline->menuFor(outline->visualRect(index).center()));
}

QString emptyLine(const NoDataView* empty)
{
    return QStringLiteral("empty ") + (empty ? empty->titleLabel()->text() : QString());
}

} // namespace

std::optional<SidePageActions::Action> SidePageActions::parse(const QString& name,
                                                              const std::function<std::optional<QString>()>& next,
                                                              QString* problem)
{
    Action action;
    if (name == QLatin1String("search")) action.kind = Kind::search;
    else if (name == QLatin1String("rows")) action.kind = Kind::rows;
    else if (name == QLatin1String("row-menu")) action.kind = Kind::rowMenu;
    else if (name == QLatin1String("delete-instance")) action.kind = Kind::deleteInstance;
    else if (name == QLatin1String("colors")) action.kind = Kind::colors;
    else if (name == QLatin1String("text-styles")) action.kind = Kind::textStyles;
    else return std::nullopt;

    if (action.kind == Kind::colors || action.kind == Kind::textStyles) {
        const auto scope = next();
        if (!scope || (*scope != QLatin1String("screen") && *scope != QLatin1String("project"))) {
            *problem = name + QStringLiteral(" takes a scope (screen or project) and a text");
            return std::nullopt;
        }
        action.scope = *scope;
    }
    const auto argument = next();
    if (!argument) {
        *problem = name + QStringLiteral(" needs an argument");
        return std::nullopt;
    }
    if (action.kind == Kind::search || action.kind == Kind::colors || action.kind == Kind::textStyles) {
        action.text = *argument;
        return action;
    }
    for (const QString& part : argument->split(QLatin1Char(','))) {
        const auto row = parseRow(part);
        if (!row) {
            *problem = name + QStringLiteral(" takes row numbers from 0");
            return std::nullopt;
        }
        action.rows.push_back(*row);
    }
    if (action.kind != Kind::rows && action.rows.size() != 1) {
        *problem = name + QStringLiteral(" takes one row");
        return std::nullopt;
    }
    return action;
}

SidePageActions::SidePageActions(std::function<void(const QString&)> print,
                                 std::function<bool(const std::function<bool()>&)> waitFor,
                                 const PendingReplies& replies)
    : m_print(std::move(print))
    , m_waitFor(std::move(waitFor))
    , m_replies(replies)
{
}

std::optional<QString> SidePageActions::perform(MainEditorViewController* editor, const Action& action)
{
    bool found = false;
    switch (action.kind) {
    case Kind::search:
        found = search(editor, action.text);
        break;
    case Kind::rows:
        found = selectRows(editor, action.rows);
        break;
    case Kind::rowMenu:
        found = rowMenu(editor, action.rows.front());
        break;
    case Kind::deleteInstance:
        if (!viewsPage(editor)) break;
        return deleteInstance(editor, action.rows.front());
    case Kind::colors:
    case Kind::textStyles:
        found = cards(editor, action.kind, action.scope, action.text);
        break;
    }
    if (found) return std::nullopt;
    return QStringLiteral("finding the side page");
}

bool SidePageActions::search(MainEditorViewController* editor, const QString& text)
{
    ViewsViewController* page = viewsPage(editor);
    if (!page) return false;
    page->header()->searchField()->setText(text);
    QApplication::processEvents();
    if (!page->outlineView()->isVisibleTo(page)) {
        m_print(emptyLine(page->noDataView()));
        return true;
    }
    for (const QModelIndex& index : page->outlineView()->shownRows()) {
        const TreeViewInfo* node = page->treeModel()->nodeAt(index);
        if (!node) continue;
        int depth = 0;
        for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent()) ++depth;
        m_print(QStringLiteral("node %1 %2 %3 %4")
                    .arg(QString::number(depth), QString::fromStdString(node->id), QString::fromStdString(node->name),
                         QString::fromStdString(node->classNameString)));
    }
    return true;
}

bool SidePageActions::selectRows(MainEditorViewController* editor, const std::vector<int>& rows)
{
    ViewsViewController* page = viewsPage(editor);
    if (!page) return false;
    page->outlineView()->selectRows(rows);
    QApplication::processEvents();
    return true;
}

bool SidePageActions::rowMenu(MainEditorViewController* editor, int row)
{
    ViewsViewController* page = viewsPage(editor);
    if (!page) return false;
    const std::unique_ptr<QMenu> menu = menuOfRow(*page, row);
    if (!menu) return true; // no item at that row: no menu
    for (QAction* item : menu->actions()) {
        if (item->isVisible() && !item->isSeparator() && !item->text().isEmpty())
            m_print(QStringLiteral("menu ") + item->text());
    }
    return true;
}

std::optional<QString> SidePageActions::deleteInstance(MainEditorViewController* editor, int row)
{
    ViewsViewController* page = viewsPage(editor);
    const std::unique_ptr<QMenu> menu = menuOfRow(*page, row);
    QAction* command = nullptr;
    for (QAction* item : menu ? menu->actions() : QList<QAction*>()) {
        if (item->isVisible() && item->text() == QLatin1String("Delete Instance")) command = item;
    }
    if (!command) {
        m_print(QStringLiteral("no Delete Instance"));
        return std::nullopt;
    }
    auto paths = std::make_shared<QStringList>();
    auto reloaded = std::make_shared<bool>(false);
    ServiceManager::shared().setRequestObserver([paths](const QString& path) { paths->append(path); });
    const QMetaObject::Connection reset = QObject::connect(page->treeModel(), &QAbstractItemModel::modelReset, page,
                                                           [reloaded] { *reloaded = true; });
    command->trigger();
    // The delete is answered once its reply has been handled (a renewed token sends it again
    // first); the reload follows a true status only, and then the new tree ends the wait.
    const bool ended = m_waitFor([&] {
        if (m_replies.pending(ServiceEndPoints::Project::ConvertView::delete_.url()) > 0
            || m_replies.pending(ServiceEndPoints::User::refreshToken.url()) > 0)
            return false;
        return !paths->contains(QStringLiteral("main/detailInfo")) || *reloaded;
    });
    QObject::disconnect(reset);
    ServiceManager::shared().setRequestObserver({});
    for (const QString& path : *paths) m_print(QStringLiteral("request ") + path);
    if (ended) return std::nullopt;
    return paths->contains(QStringLiteral("main/detailInfo")) ? QStringLiteral("delete-instance: the reload (main/detailInfo)")
                                                              : QStringLiteral("delete-instance (components/deleteComponentInstance)");
}

bool SidePageActions::cards(MainEditorViewController* editor, Kind kind, const QString& scope, const QString& text)
{
    SideMenuContentViewController* content = editorhierarchy::sideMenuContentOfEditor(editor);
    if (!content) return false;
    const SideMenuContentType type = kind == Kind::colors ? SideMenuContentType::colors : SideMenuContentType::textStyles;
    content->open(type);
    auto* page = qobject_cast<ResourceCardsPage*>(content->getVC(type));
    if (!page) return false;
    const auto segments = page->header()->scopeButtons();
    const std::size_t segment = scope == QLatin1String("project") ? 1 : 0;
    if (segment < segments.size()) segments[segment]->click();
    page->header()->searchField()->setText(text);
    QApplication::processEvents();
    if (!page->collectionView()->isVisibleTo(page)) {
        m_print(emptyLine(page->noDataView()));
        return true;
    }
    const QAbstractItemModel* model = page->collectionView()->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex index = model->index(row, 0);
        QStringList parts{index.data(ResourceCardListModel::NameRole).toString()};
        parts << index.data(ResourceCardListModel::InfoTextsRole).toStringList();
        m_print(QStringLiteral("card ") + parts.join(QStringLiteral(" | ")));
    }
    return true;
}
