#include "App/ui/SearchableListHeader.h"
#include "App/ui/WindowTestSupport.h"
#include "Components/ComponentTypeSamples.h"
#include "Components/ui/ComponentInfoViewController.h"
#include "Components/ui/ComponentTypeSelectionViewController.h"
#include "Components/ui/ComponentsViewController.h"
#include "Editor/Pages/PageDisplayText.h"

#include <gtest/gtest.h>

#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QToolTip>

#include <memory>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

// The components page searches as before (lower-cased names, now in linear time) and, like the
// type list and the information page, shows long service texts bounded.
TEST(ComponentPagesTest, SearchAsTheUserTypesAndLongTextsBounded)
{
    const std::string megabyte(1'000'000, 'm');
    const std::string bounded = std::string(static_cast<std::size_t>(PageDisplayText::kMaxLength), 'm') + "\u2026";
    auto component = [](const std::string& name) {
        ComponentDisplayInfo result;
        result.name = result.componentTypeName = name;
        return result;
    };
    std::unique_ptr<ComponentsViewController> page(ComponentsViewController::instantiate());
    page->show();
    page->update({component("Profile Card"), component("\u00C9cran titre"), component(megabyte)});
    QLineEdit* field = page->findChild<SearchableListHeader*>()->searchField();
    const struct {
        std::string typed;
        Names shown;
    } cases[] = {
        {"CARD", {"Profile Card"}},
        {"\u00E9cran", {"\u00C9cran titre"}}, // lower-cased on both sides
        {std::string(5000, 'M'), {bounded}},
    };
    for (const auto& c : cases) {
        field->setText(QString::fromStdString(c.typed));
        EXPECT_EQ(windowtest::tableColumn(page->tableView(), 0), c.shown) << c.typed.substr(0, 20);
    }
    EXPECT_EQ(windowtest::tableColumn(page->tableView(), 1), Names{bounded});

    std::unique_ptr<ComponentTypeSelectionViewController> types(ComponentTypeSelectionViewController::instantiate());
    ComponentTypeDisplayInfo type;
    type.name = type.info = megabyte;
    types->update({type});
    const QAbstractItemModel* rows = types->listView()->model();
    ASSERT_EQ(rows->rowCount(), 1);
    EXPECT_EQ(rows->index(0, 0).data().toString().toStdString(), bounded);
    EXPECT_EQ(rows->index(0, 0).data(Qt::ToolTipRole).toString().toStdString(), bounded);

    std::unique_ptr<ComponentInfoViewController> info(ComponentInfoViewController::instantiate());
    info->update(component(megabyte));
    EXPECT_EQ(info->nameLabel()->text().toStdString(), bounded);
}

// The tool tip the user gets when resting the pointer on a row, scrolled into view first.
std::string toolTipOfRow(QListView* view, int row)
{
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    const QPoint at = view->visualRect(index).center();
    QHelpEvent help(QEvent::ToolTip, at, view->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(view->viewport(), &help);
    const std::string text = QToolTip::text().toStdString();
    QToolTip::hideText();
    return text;
}

// The type list shows every type of a reply, in its order, each with its information as the
// row's tool tip; a click selects a type, a double click chooses it, and a new reply replaces
// the rows and the selection.
TEST(ComponentTypePageTest, ShowsEveryTypeInOrderWithItsToolTip)
{
    std::unique_ptr<ComponentTypeSelectionViewController> page(ComponentTypeSelectionViewController::instantiate());
    page->resize(300, 200);
    page->show();
    std::vector<ComponentTypeDisplayInfo> list;
    for (int i = 0; i < 500; ++i)
        list.push_back(componentType("k" + std::to_string(i), "Type " + std::to_string(i), "Info " + std::to_string(i)));
    page->update(list);
    QListView* view = page->listView();
    ASSERT_TRUE(view->isVisible());
    ASSERT_EQ(view->model()->rowCount(), 500);
    for (int row = 0; row < 500; ++row)
        ASSERT_EQ(view->model()->index(row, 0).data().toString().toStdString(), "Type " + std::to_string(row));
    for (int row : {0, 250, 499}) EXPECT_EQ(toolTipOfRow(view, row), "Info " + std::to_string(row));

    QSignalSpy chosen(page.get(), &ComponentTypeSelectionViewController::typeChosen);
    EXPECT_FALSE(page->selectedType());
    const QRect last = view->visualRect(view->model()->index(499, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, last.center());
    ASSERT_TRUE(page->selectedType());
    EXPECT_EQ(page->selectedType()->key, "k499");
    EXPECT_EQ(chosen.count(), 0);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, last.center());
    EXPECT_EQ(chosen.count(), 1);

    page->update({componentType("card", "Card", "A card"), componentType("cell", "Cell", "A cell")});
    EXPECT_FALSE(page->selectedType()) << "the old selection is gone with its rows";
    ASSERT_EQ(view->model()->rowCount(), 2);
    EXPECT_EQ(toolTipOfRow(view, 1), "A cell");
    page->update({});
    EXPECT_FALSE(view->isVisible()) << "an empty reply shows the empty-state view";
}

} // namespace
