#include "Editor/Pages/ui/ViewTreeOutlineView.h"

#include "Editor/Pages/ViewOutlineTreeModel.h"

#include <QContextMenuEvent>
#include <QHoverEvent>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMouseEvent>

#include <algorithm>
#include <unordered_map>

ViewTreeOutlineView::ViewTreeOutlineView(QWidget* parent)
    : QTreeView(parent)
{
    setObjectName(QStringLiteral("outlineView"));
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformRowHeights(true);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_Hover);
}

QMenu* ViewTreeOutlineView::lastMenu() const
{
    return m_lastMenu.data();
}

std::vector<QModelIndex> ViewTreeOutlineView::shownRows() const
{
    std::vector<QModelIndex> rows;
    if (!model()) return rows;
    for (QModelIndex index = model()->index(0, 0, rootIndex()); index.isValid(); index = indexBelow(index))
        rows.push_back(index);
    return rows;
}

QModelIndex ViewTreeOutlineView::indexAtRow(int row) const
{
    if (row < 0 || !model()) return {};
    QModelIndex index = model()->index(0, 0, rootIndex());
    for (int i = 0; i < row && index.isValid(); ++i) index = indexBelow(index);
    return index;
}

int ViewTreeOutlineView::rowOfIndex(const QModelIndex& index) const
{
    if (!index.isValid()) return -1;
    const std::vector<QModelIndex> rows = shownRows();
    const auto found = std::find(rows.begin(), rows.end(), index.siblingAtColumn(0));
    return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
}

std::vector<int> ViewTreeOutlineView::selectedRows() const
{
    std::vector<int> result;
    if (!selectionModel()) return result;
    const QModelIndexList selected = selectionModel()->selectedRows();
    if (selected.isEmpty()) return result;
    const std::vector<QModelIndex> rows = shownRows();
    std::unordered_map<quintptr, int> rowById;
    for (std::size_t i = 0; i < rows.size(); ++i) rowById.emplace(rows[i].internalId(), static_cast<int>(i));
    for (const QModelIndex& index : selected) {
        const auto found = rowById.find(index.internalId());
        // a selected row inside a collapsed branch is not shown, so it has no row number
        if (found != rowById.end()) result.push_back(found->second);
    }
    std::sort(result.begin(), result.end());
    return result;
}

void ViewTreeOutlineView::selectRows(const std::vector<int>& rows)
{
    if (!selectionModel()) return;
    const std::vector<QModelIndex> shown = shownRows();
    QItemSelection selection;
    for (const int row : rows) {
        if (row < 0 || row >= static_cast<int>(shown.size())) continue;
        const QModelIndex& index = shown[static_cast<std::size_t>(row)];
        selection.select(index, index);
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

QMenu* ViewTreeOutlineView::menuFor(const QPoint& position)
{
    const QModelIndex item = indexAt(position);
    if (!item.isValid() || !m_menuDelegate) return nullptr;
    return m_menuDelegate->outlineViewMenuForItem(this, item, rowOfIndex(item));
}

void ViewTreeOutlineView::mousePressEvent(QMouseEvent* event)
{
    // A right press would select the row under the pointer; the selection (and with it the
    // canvas) changes only through the menu's commands.
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QTreeView::mousePressEvent(event);
}

void ViewTreeOutlineView::contextMenuEvent(QContextMenuEvent* event)
{
    if (m_lastMenu) {
        m_lastMenu->close();
        m_lastMenu->deleteLater();
        m_lastMenu = nullptr;
    }
    QMenu* menu = menuFor(event->pos());
    if (!menu) return;
    menu->setParent(this, menu->windowFlags());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    m_lastMenu = menu;
    // not exec(): the event loop keeps running while the menu is open
    menu->popup(event->globalPos());
    event->accept();
}

bool ViewTreeOutlineView::viewportEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
        hoverRow(indexAt(static_cast<QHoverEvent*>(event)->position().toPoint()));
        break;
    case QEvent::HoverLeave:
    case QEvent::Leave:
        hoverRow(QModelIndex());
        break;
    default:
        break;
    }
    return QTreeView::viewportEvent(event);
}

void ViewTreeOutlineView::hoverRow(const QModelIndex& index)
{
    const QModelIndex row = index.siblingAtColumn(0);
    if (QPersistentModelIndex(row) == m_hovered) return;
    m_hovered = QPersistentModelIndex(row);
    if (m_highlighted) {
        const std::shared_ptr<ViewInfo> left = std::move(m_highlighted);
        m_highlighted.reset();
        if (m_highlightAction) m_highlightAction(left, false);
    }
    const auto* outline = qobject_cast<const ViewOutlineTreeModel*>(model());
    const TreeViewInfo* node = outline ? outline->nodeAt(row) : nullptr;
    if (node && node->viewInfo) {
        m_highlighted = node->viewInfo;
        if (m_highlightAction) m_highlightAction(m_highlighted, true);
    }
}
