#include "Editor/ProgrammingClass.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(ProgrammingClassTest, EveryKindRoundTripsThroughItsTextsAndOtherTextsHaveNoKind)
{
    for (const ProgrammingClass& kind : ProgrammingClass::allCases()) {
        EXPECT_EQ(ProgrammingClass::fromRawValue(kind.rawValue()), kind);
        // the class name leads back to the kind
        EXPECT_EQ(ProgrammingClass::fromRawValue(ProgrammingClass::getKeyFrom(kind.getRawValue())), kind) << kind.rawValue();
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

TEST(ProgrammingClassTest, KeyFromClassNameCountsLineBreaksAndSignsAsTheTextSegmentationDoes)
{
    // Plain names take a shortcut; names with control characters still go by grapheme, where CR LF is one.
    const struct {
        const char* value;
        const char* key;
    } cases[] = {
        {"A\r\nBc", "_bc"}, {"UI\r\nab", "_\r\nab"}, {"UI\tX", "_\tX"}, {"UI9_Z", "_9_Z"},
        {"UI@Zz", "_@Zz"}, {"UI~", "_~"}, {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "_cDEFGHIJKLMNOPQRSTUVWXYZ"},
    };
    for (const auto& c : cases) EXPECT_EQ(ProgrammingClass::getKeyFrom(c.value), c.key) << c.value;
}

} // namespace
