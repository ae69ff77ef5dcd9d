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
#include <QTest>

#include <memory>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

const std::string kMegabyte(1'000'000, 'm');
const std::string kShownMegabyte = std::string(static_cast<std::size_t>(PageDisplayText::kMaxLength), 'm') + "\u2026";

ComponentDisplayInfo component(const std::string& name)
{
    ComponentDisplayInfo result;
    result.name = name;
    result.componentTypeName = name == kMegabyte ? kMegabyte : "Card";
    return result;
}

// The components page searches as before (lower-cased names), now in linear time over names
// lower-cased once per update, and shows long names bounded.
TEST(ComponentsPageTest, SearchAsTheUserTypesAndLongNamesBounded)
{
    std::unique_ptr<ComponentsViewController> page(ComponentsViewController::instantiate());
    page->show();
    page->update({component("Profile Card"), component("\u00C9cran titre"), component(kMegabyte)});
    QLineEdit* field = page->findChild<SearchableListHeader*>()->searchField();
    const struct {
        std::string typed;
        Names shown;
    } cases[] = {
        {"", {"Profile Card", "\u00C9cran titre", kShownMegabyte}},
        {"CARD", {"Profile Card"}},
        {"\u00E9cran", {"\u00C9cran titre"}}, // lower-cased on both sides
        {"e\u0301cran", {}},                  // canonical equivalence was never part of this page's search
        {std::string(5000, 'M'), {kShownMegabyte}},
    };
    for (const auto& c : cases) {
        field->setText(QString::fromStdString(c.typed));
        EXPECT_EQ(windowtest::tableColumn(page->tableView(), 0), c.shown) << c.typed.substr(0, 20);
    }
    field->clear();
    EXPECT_EQ(windowtest::tableColumn(page->tableView(), 1), (Names{"Card", "Card", kShownMegabyte}));
}

TEST(ComponentPagesTest, TypeAndInformationPagesShowLongTextsBounded)
{
    std::unique_ptr<ComponentTypeSelectionViewController> types(ComponentTypeSelectionViewController::instantiate());
    ComponentTypeDisplayInfo type;
    type.name = kMegabyte;
    type.info = kMegabyte;
    types->update({type});
    ASSERT_EQ(types->listView()->count(), 1);
    EXPECT_EQ(types->listView()->item(0)->text().toStdString(), kShownMegabyte);
    EXPECT_EQ(types->listView()->item(0)->toolTip().toStdString(), kShownMegabyte);
    EXPECT_EQ(types->componentTypeList().front().name.size(), kMegabyte.size()); // the record stays whole

    std::unique_ptr<ComponentInfoViewController> info(ComponentInfoViewController::instantiate());
    info->update(component(kMegabyte));
    EXPECT_EQ(info->nameLabel()->text().toStdString(), kShownMegabyte);
}

} // namespace
