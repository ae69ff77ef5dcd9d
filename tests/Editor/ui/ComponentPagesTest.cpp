#include "App/ui/SearchableListHeader.h"
#include "App/ui/WindowTestSupport.h"
#include "Components/ComponentTypeSamples.h"
#include "Components/ui/ComponentInfoViewController.h"
#include "Components/ui/ComponentTypeSelectionViewController.h"
#include "Components/ui/ComponentsViewController.h"
#include "Editor/Pages/PageDisplayText.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

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

// A click selects a type and a double click chooses it; a new reply replaces the rows and the
// selection, and an empty one shows the empty state.
TEST(ComponentTypePageTest, AClickSelectsADoubleClickChoosesAndANewReplyDropsTheSelection)
{
    std::unique_ptr<ComponentTypeSelectionViewController> page(ComponentTypeSelectionViewController::instantiate());
    page->resize(300, 200);
    page->show();
    page->update({componentType("card", "Card", "A card"), componentType("cell", "Cell", "A cell")});
    QListView* view = page->listView();
    ASSERT_TRUE(view->isVisible());
    QSignalSpy chosen(page.get(), &ComponentTypeSelectionViewController::typeChosen);
    const QPoint second = view->visualRect(view->model()->index(1, 0)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, second);
    EXPECT_EQ(page->selectedType().value_or(ComponentTypeDisplayInfo{}).key, "cell");
    EXPECT_EQ(chosen.count(), 0);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, second);
    EXPECT_EQ(chosen.count(), 1);

    page->update({componentType("card", "Card", "A card")});
    EXPECT_FALSE(page->selectedType()) << "the old selection is gone with its rows";
    page->update({});
    EXPECT_FALSE(view->isVisible()) << "an empty reply shows the empty-state view";
}

} // namespace
