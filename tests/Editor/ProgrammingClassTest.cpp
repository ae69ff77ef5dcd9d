#include "Editor/ProgrammingClass.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(ProgrammingClassTest, TextFormsOfEveryKindInOrderAndNoKindForOtherTexts)
{
    const char* const raw[] = {"_button",   "_imageView",      "_label",         "_searchBar",          "_switch",
                               "_textField", "_textView",      "_view",          "_control",            "_viewController",
                               "_tableViewCell", "_collectionViewCell", "_tableView", "_collectionView"};
    const auto& all = ProgrammingClass::allCases();
    ASSERT_EQ(all.size(), std::size(raw));
    for (std::size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(all[i].rawValue(), raw[i]);
        EXPECT_EQ(ProgrammingClass::fromRawValue(raw[i]), all[i]);
        // the class name leads back to the kind
        EXPECT_EQ(ProgrammingClass::fromRawValue(ProgrammingClass::getKeyFrom(all[i].getRawValue())), all[i]) << raw[i];
    }
    const ProgrammingClass cell = ProgrammingClass::_collectionViewCell;
    EXPECT_EQ(std::tuple(cell.getKey(), cell.getRawValue()), std::tuple("collectionViewCell", "UICollectionViewCell"));
    for (const char* other : {"", "button", "_Button", "UIButton", "_image_view", "_views"})
        EXPECT_FALSE(ProgrammingClass::fromRawValue(other).has_value()) << other;
}

TEST(ProgrammingClassTest, KeyFromClassNameDropsTwoCharactersAndLowersTheNext)
{
    const struct {
        const char* value;
        const char* key;
    } cases[] = {
        {"UIView", "_view"}, {"UITableViewCell", "_tableViewCell"}, {"UI", "_"}, {"U", "_"}, {"", "_"},
        {"MyButton", "_button"}, {"XXLABEL", "_lABEL"}, {"UI\xC3\x89tat", "_\xC3\xA9tat"},
        {"Ue\xCC\x81Xy", "_xy"}, // e + combining acute is one character
    };
    for (const auto& c : cases) EXPECT_EQ(ProgrammingClass::getKeyFrom(c.value), c.key) << c.value;
}

} // namespace
