#include "App/ui/SearchableListHeader.h"
#include "App/ui/WindowTestSupport.h"
#include "Components/ui/ComponentInfoViewController.h"
#include "Components/ui/ComponentTypeSelectionViewController.h"
#include "Components/ui/ComponentsViewController.h"
#include "Editor/Pages/PageDisplayText.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>

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
    ASSERT_EQ(types->listView()->count(), 1);
    EXPECT_EQ(types->listView()->item(0)->text().toStdString(), bounded);
    EXPECT_EQ(types->listView()->item(0)->toolTip().toStdString(), bounded);

    std::unique_ptr<ComponentInfoViewController> info(ComponentInfoViewController::instantiate());
    info->update(component(megabyte));
    EXPECT_EQ(info->nameLabel()->text().toStdString(), bounded);
}

} // namespace
