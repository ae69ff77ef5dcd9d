#include "App/ui/NoDataView.h"
#include "App/ui/SearchableListHeader.h"
#include "Editor/Pages/ViewOutlineTreeModel.h"
#include "Editor/Pages/ui/ViewsViewController.h"
#include "Editor/Pages/ViewTreeTestTrees.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QHoverEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace viewtree;
using Lines = std::vector<std::string>;

// The outline as the user sees it: "depth name" per shown row, or the empty state's title.
Lines shown(const ViewsViewController& page)
{
    Lines lines;
    if (!page.outlineView()->isVisibleTo(&page)) {
        if (page.noDataView() && page.noDataView()->isVisibleTo(&page))
            lines.push_back("empty " + page.noDataView()->titleLabel()->text().toStdString());
        return lines;
    }
    for (const QModelIndex& index : page.outlineView()->shownRows()) {
        int depth = 0;
        for (QModelIndex p = index.parent(); p.isValid(); p = p.parent()) ++depth;
        lines.push_back(std::to_string(depth) + " " + index.data().toString().toStdString());
    }
    return lines;
}

void typeSearch(ViewsViewController& page, const QString& text)
{
    QLineEdit* field = page.header()->searchField();
    field->selectAll();
    if (text.isEmpty()) QTest::keyClick(field, Qt::Key_Backspace);
    else QTest::keyClicks(field, text);
}

QPoint centerOfRow(const ViewTreeOutlineView& outline, int row)
{
    return outline.visualRect(outline.indexAtRow(row)).center();
}

class ViewsPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        page.reset(ViewsViewController::instantiate());
        page->resize(300, 500);
        page->show();
        // Screen
        //   Title
        //   Card
        //     OK (a component instance)
        //   Group (no view record)
        auto tree = screenTree();
        tree[0]->views[1]->views[0]->isInstance = true;
        tree[0]->views.push_back(node("Group", "UIView", {}, false, false));
        page->update({}, tree);
    }

    QStringList visibleMenuTitles(QMenu* menu) const
    {
        QStringList titles;
        if (!menu) return titles;
        for (QAction* action : menu->actions()) {
            if (action->isVisible() && !action->isSeparator()) titles << action->text();
        }
        return titles;
    }

    QMenu* rightClick(int row)
    {
        ViewTreeOutlineView* outline = page->outlineView();
        const QPoint at = centerOfRow(*outline, row);
        QTest::mousePress(outline->viewport(), Qt::RightButton, Qt::NoModifier, at);
        QTest::mouseRelease(outline->viewport(), Qt::RightButton, Qt::NoModifier, at);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, outline->viewport()->mapToGlobal(at));
        QApplication::sendEvent(outline->viewport(), &event);
        return outline->lastMenu();
    }

    std::unique_ptr<ViewsViewController> page;
};

TEST_F(ViewsPageTest, HeaderAndWholeTreeWithTheFirstRootOpen)
{
    EXPECT_EQ(page->header()->headerLabel()->text(), QStringLiteral("Views"));
    EXPECT_EQ(page->header()->rightActionButton()->text(), QStringLiteral("Convert to .."));
    EXPECT_TRUE(page->header()->rightActionButton()->isVisibleTo(page.get()));
    EXPECT_TRUE(page->header()->scopeButtons().empty() || !page->header()->scopeButtons()[0]->isVisibleTo(page.get()));
    EXPECT_EQ(shown(*page), (Lines{"0 Screen", "1 Title", "1 Card", "2 OK", "1 Group"}));
}

TEST_F(ViewsPageTest, SearchAsTheUserTypesWithTheEmptyStateForNoMatch)
{
    const struct {
        const char* text;
        Lines shown;
    } cases[] = {
        {"butt", {"0 Screen", "1 Card", "2 OK"}},
        {"zzz", {"empty No View Found"}},
        {"", {"0 Screen", "1 Title", "1 Card", "2 OK", "1 Group"}},
    };
    for (const auto& c : cases) {
        typeSearch(*page, QString::fromUtf8(c.text));
        EXPECT_EQ(shown(*page), c.shown) << c.text;
    }
}

// A right press used to select the row under the pointer (and so change the canvas selection);
// now only the menu's commands act.
TEST_F(ViewsPageTest, RightPressNoLongerSelectsTheRowUnderThePointer)
{
    ViewTreeOutlineView* outline = page->outlineView();
    outline->selectRows({0, 1});
    ASSERT_EQ(outline->selectedRows(), (std::vector<int>{0, 1}));

    const struct {
        int row;
        QStringList menu;
    } cases[] = {
        {3, {QStringLiteral("Delete Instance"), QStringLiteral("Convert to ..")}}, // an instance outside the selection
        {2, {QStringLiteral("Convert to ..")}},
        {1, {QStringLiteral("Convert to ..")}}, // inside the two-row selection
    };
    for (const auto& c : cases) {
        QMenu* menu = rightClick(c.row);
        ASSERT_NE(menu, nullptr) << c.row;
        EXPECT_EQ(visibleMenuTitles(menu), c.menu) << c.row;
        EXPECT_EQ(outline->selectedRows(), (std::vector<int>{0, 1})) << c.row;
        menu->close();
    }
    // below the last row there is no item and so no menu
    QContextMenuEvent below(QContextMenuEvent::Mouse, QPoint(10, 480), outline->viewport()->mapToGlobal(QPoint(10, 480)));
    QApplication::sendEvent(outline->viewport(), &below);
    EXPECT_EQ(outline->lastMenu(), nullptr);
}

// Hovering used to register a tracking area at every paint of a row, so one crossing could be
// reported many times; the outline now reports entering and leaving each row once.
TEST_F(ViewsPageTest, RowHoverIsReportedOncePerEnterAndLeave)
{
    ViewTreeOutlineView* outline = page->outlineView();
    Lines reports;
    outline->setHighlightAction([&reports](const std::shared_ptr<ViewInfo>& view, bool on) {
        reports.push_back((on ? "enter " : "leave ") + view->oid);
    });
    auto hover = [outline](QEvent::Type type, const QPoint& at) {
        QHoverEvent event(type, QPointF(at), QPointF(outline->viewport()->mapToGlobal(at)), QPointF(at));
        QApplication::sendEvent(outline->viewport(), &event);
    };
    const QPoint title = centerOfRow(*outline, 1);
    hover(QEvent::HoverEnter, title);
    for (int i = 0; i < 3; ++i) {
        hover(QEvent::HoverMove, title + QPoint(i, 0));
        outline->viewport()->repaint();
    }
    hover(QEvent::HoverMove, centerOfRow(*outline, 4)); // the group has no view record
    hover(QEvent::HoverMove, centerOfRow(*outline, 3));
    hover(QEvent::HoverLeave, QPoint(-1, -1));
    EXPECT_EQ(reports, (Lines{"enter Title", "leave Title", "enter OK", "leave OK"}));
}

// A row under the pointer used to be filled with the palette's Midlight colour; hovering now
// changes nothing on screen, and a selected row still shows as selected.
TEST_F(ViewsPageTest, HoveringARowTintsNothing)
{
    ViewTreeOutlineView* outline = page->outlineView();
    QWidget* viewport = outline->viewport();
    const QRect item = outline->visualRect(outline->indexAtRow(1));
    const QRect row(0, item.top(), viewport->width(), item.height());
    auto hover = [viewport](QEvent::Type type, const QPoint& at) {
        QHoverEvent event(type, QPointF(at), QPointF(viewport->mapToGlobal(at)), QPointF(at));
        QApplication::sendEvent(viewport, &event);
    };
    std::vector<QImage> hovered;
    for (const bool selected : {false, true}) {
        outline->selectRows(selected ? std::vector<int>{1} : std::vector<int>{});
        hover(QEvent::HoverLeave, QPoint(-1, -1));
        const QImage plain = viewport->grab(row).toImage();
        hover(QEvent::HoverEnter, item.center());
        hover(QEvent::HoverMove, item.center());
        hovered.push_back(viewport->grab(row).toImage());
        EXPECT_TRUE(hovered.back() == plain) << selected;
    }
    EXPECT_FALSE(hovered[0] == hovered[1]) << "the selected row looks selected";
}
} // namespace
