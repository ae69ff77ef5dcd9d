#include "Editor/ProgrammingClass.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgrammingClassTest, TextFormsOfEveryKindInOrder)
{
    const struct {
        const char* raw;
        const char* key;
        const char* className;
    } table[] = {
        {"_button", "button", "UIButton"},
        {"_imageView", "imageView", "UIImageView"},
        {"_label", "label", "UILabel"},
        {"_searchBar", "searchBar", "UISearchBar"},
        {"_switch", "switch", "UISwitch"},
        {"_textField", "textField", "UITextField"},
        {"_textView", "textView", "UITextView"},
        {"_view", "view", "UIView"},
        {"_control", "control", "UIControl"},
        {"_viewController", "viewController", "UIViewController"},
        {"_tableViewCell", "tableViewCell", "UITableViewCell"},
        {"_collectionViewCell", "collectionViewCell", "UICollectionViewCell"},
        {"_tableView", "tableView", "UITableView"},
        {"_collectionView", "collectionView", "UICollectionView"},
    };
    const auto& all = ProgrammingClass::allCases();
    ASSERT_EQ(all.size(), std::size(table));
    for (std::size_t i = 0; i < all.size(); ++i) {
        const auto& row = table[i];
        EXPECT_EQ(all[i].rawValue(), row.raw);
        EXPECT_EQ(all[i].getKey(), row.key);
        EXPECT_EQ(all[i].getRawValue(), row.className);
        EXPECT_EQ(ProgrammingClass::fromRawValue(row.raw), all[i]);
        // the class name leads back to the kind
        EXPECT_EQ(ProgrammingClass::fromRawValue(ProgrammingClass::getKeyFrom(row.className)), all[i]) << row.className;
    }
}

TEST(ProgrammingClassTest, UnknownRawValuesGiveNoKind)
{
    for (const char* raw : {"", "button", "_Button", "UIButton", "_image_view", "_views"})
        EXPECT_FALSE(ProgrammingClass::fromRawValue(raw).has_value()) << raw;
    EXPECT_EQ(ProgrammingClass(), ProgrammingClass::_view);
}

TEST(ProgrammingClassTest, KeyFromClassNameDropsTwoCharactersAndLowersTheNext)
{
    const struct {
        const char* value;
        const char* key;
    } cases[] = {
        {"UIView", "_view"},
        {"UITableViewCell", "_tableViewCell"},
        {"UI", "_"},
        {"U", "_"},
        {"", "_"},
        {"MyButton", "_button"},
        {"XXLABEL", "_lABEL"},
        {"UI\xC3\x89tat", "_\xC3\xA9tat"},
        {"Ue\xCC\x81Xy", "_xy"}, // e + combining acute is one character
    };
    for (const auto& c : cases) EXPECT_EQ(ProgrammingClass::getKeyFrom(c.value), c.key) << c.value;
}

} // namespace
