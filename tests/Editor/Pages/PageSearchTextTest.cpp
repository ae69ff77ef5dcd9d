#include "Editor/Pages/PageSearchText.h"

#include <gtest/gtest.h>

namespace {

// Both sides are folded to UTF-8 and searched byte for byte; the answers are those of the
// substring test on lower-cased, NFC-normalised texts the pages made before.
TEST(PageSearchTextTest, AnswersAsTheSubstringTestOnLowerCasedTexts)
{
    const struct {
        const char* text;
        const char* query;
        bool found;
    } cases[] = {
        {"\u0130stanbul", "i", true},              // a dotted capital I lower-cases to two characters
        {"\u0130stanbul", "ist", false},           // the combining dot stands between i and s
        {"\u1E9E", "\u00DF", true},                // capital sharp s: three bytes to two
        {"\u1E9E", "ss", false},                   // lower-casing, not case folding
        {"\u212Aelvin", "kel", true},              // the Kelvin sign lower-cases to a one-byte k
        {"\u03A3\u03A3", "\u03C3\u03C3", true},    // no final sigma
        {"A\u030Angstr\u00F6m", "\u00E5NG", true}, // decomposed text, precomposed query
        {"Caf\u00E9", "CAFE\u0301", true},         // precomposed text, decomposed query
        {"", "", true},
        {"", "a", false},
        {"\xff\xfe name", "\xef\xbf\xbd", true}, // malformed bytes read as replacement characters
        {"aabaabaaab", "AABAAAB", true},         // a partial match that has to fall back twice
        {"aaaa", "aaab", false},
        {"abc", "abcd", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PageSearchText::Query(c.query).isFoundIn(PageSearchText::Folded(c.text)), c.found)
            << c.text << " / " << c.query;
}

} // namespace
