#include "Editor/Pages/PageSearchText.h"

#include <gtest/gtest.h>

#include <QString>

#include <array>
#include <random>
#include <string>

namespace {

// The test the pages made before the search became linear: both sides lower-cased and NFC
// normalised as UTF-16, then the platform's substring test; an empty query is in every text.
bool substringOfLowerCased(const std::string& text, const std::string& query)
{
    auto fold = [](const std::string& s) {
        return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()))
            .toLower()
            .normalized(QString::NormalizationForm_C);
    };
    const QString needle = fold(query);
    return needle.isEmpty() || fold(text).contains(needle);
}

TEST(PageSearchTextTest, AnswersAsTheSubstringTestOnLowerCasedTexts)
{
    const struct {
        const char* text;
        const char* query;
        bool found;
    } cases[] = {
        {"\u0130stanbul", "i", true}, // a dotted capital I lower-cases to two characters
        {"\u0130stanbul", "\u0130S", true},
        {"\u0130stanbul", "ist", false},           // the combining dot stands between i and s
        {"\u1E9E", "\u00DF", true},                // capital sharp s: three bytes to two
        {"\u1E9E", "ss", false},                   // lower-casing, not case folding
        {"\u212Aelvin", "kel", true},              // the Kelvin sign lower-cases to a one-byte k
        {"Ohm \u2126", "\u03C9", true},            // the ohm sign lower-cases to omega
        {"A\u030Angstr\u00F6m", "\u00E5NG", true}, // decomposed text, precomposed query
        {"Caf\u00E9", "CAFE\u0301", true},         // precomposed text, decomposed query
        {"\u01C4", "\u01C6", true},                // a digraph capital
        {"abc", "", true},
        {"", "", true},
        {"", "a", false},
        {"\xff\xfe name", "\xef\xbf\xbd", true}, // malformed bytes read as replacement characters
        {"aabaabaaab", "AABAAAB", true},         // a partial match that has to fall back twice
        {"abababac", "ababac", true},
        {"aaaa", "aaab", false},
        {"abc", "abcd", false},
    };
    for (const auto& c : cases) {
        const PageSearchText::Query query(c.query);
        EXPECT_EQ(query.isFoundIn(PageSearchText::Folded(c.text)), c.found) << c.text << " / " << c.query;
        EXPECT_EQ(query.isFoundIn(std::string_view(c.text)), c.found) << c.text << " / " << c.query;
        EXPECT_EQ(substringOfLowerCased(c.text, c.query), c.found) << c.text << " / " << c.query;
    }
}

// Texts made of the pieces on which lower-casing and normalisation change lengths or merge
// characters, compared with the substring test the pages used to make.
TEST(PageSearchTextTest, RandomTextsOfTrickyPiecesAnswerAsTheSubstringTest)
{
    const std::array<const char*, 17> pieces{"a",      "A",      "b",      "\u0130", "i",     "\u0307",
                                             "\u1E9E", "\u00DF", "\u212A", "k",      "K",     "\u00E9",
                                             "e",      "\u0301", "\u03A3", "\u03C3", "\u03C2"};
    std::mt19937 random(20);
    auto make = [&](int maxPieces) {
        std::string text;
        const int count = static_cast<int>(random() % static_cast<unsigned>(maxPieces + 1));
        for (int i = 0; i < count; ++i) text += pieces[random() % pieces.size()];
        return text;
    };
    int found = 0;
    for (int round = 0; round < 4000; ++round) {
        const std::string text = make(12);
        const std::string query = make(3);
        const bool expected = substringOfLowerCased(text, query);
        ASSERT_EQ(PageSearchText::Query(query).isFoundIn(PageSearchText::Folded(text)), expected)
            << text << " / " << query;
        found += expected ? 1 : 0;
    }
    // both answers were tried often
    EXPECT_GT(found, 400);
    EXPECT_LT(found, 3600);
}

} // namespace
