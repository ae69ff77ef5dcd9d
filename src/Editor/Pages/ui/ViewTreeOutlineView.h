#pragma once

#include "Editor/ViewInfo.h"

#include <QPersistentModelIndex>
#include <QPointer>
#include <QTreeView>

#include <functional>
#include <memory>
#include <vector>

class QMenu;
class ViewTreeOutlineView;

// Who gives the outline its context menu.
class ViewTreeOutlineViewDelegate {
public:
    virtual ~ViewTreeOutlineViewDelegate() = default;
    // The menu for a right click on `item` at outline row `row`, or null for none. The outline
    // takes ownership of the menu.
    virtual QMenu* outlineViewMenuForItem(ViewTreeOutlineView* outlineView, const QModelIndex& item, int row) = 0;
};

// The views page's tree. Beyond a plain tree view it asks its delegate for a context menu,
// leaves the selection alone on a right press (only the menu's commands act on the canvas),
// reports the pointer entering and leaving a row once each, and numbers rows as shown: row 0 is
// the first visible row, counting down through expanded branches.
class ViewTreeOutlineView : public QTreeView {
    Q_OBJECT

public:
    using HighlightAction = std::function<void(const std::shared_ptr<ViewInfo>& viewInfo, bool highlighted)>;

    explicit ViewTreeOutlineView(QWidget* parent = nullptr);

    void setMenuDelegate(ViewTreeOutlineViewDelegate* delegate) { m_menuDelegate = delegate; } // not owned
    // Called with true when the pointer enters a row that has a view record, with false when
    // it leaves that row.
    void setHighlightAction(HighlightAction action) { m_highlightAction = std::move(action); }

    // The visible rows, top to bottom.
    std::vector<QModelIndex> shownRows() const;
    QModelIndex indexAtRow(int row) const;
    int rowOfIndex(const QModelIndex& index) const;
    // The selected rows, ascending.
    std::vector<int> selectedRows() const;
    // Selects exactly these rows (out-of-range rows are ignored).
    void selectRows(const std::vector<int>& rows);

    // The menu the last right click opened; null when none is open.
    QMenu* lastMenu() const;
    // The menu for a right click at `position` (viewport coordinates); null without an item
    // there or without a delegate.
    QMenu* menuFor(const QPoint& position);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void hoverRow(const QModelIndex& index);

    ViewTreeOutlineViewDelegate* m_menuDelegate = nullptr; // not owned
    HighlightAction m_highlightAction;
    QPersistentModelIndex m_hovered;
    std::shared_ptr<ViewInfo> m_highlighted; // the view record reported as highlighted
    QPointer<QMenu> m_lastMenu;
};
