#include "Editor/Pages/PageDisplayText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PageDisplayTextTest, LongTextsAreCutToABoundedPrefixWithAnEllipsis)
{
    const QString ellipsis(QChar(0x2026));
    const qsizetype max = PageDisplayText::kMaxLength;
    std::string accented;
    for (qsizetype i = 0; i < 3 * max; ++i) accented += "\u00E9";
    std::string emoji = "a";
    for (qsizetype i = 0; i < max; ++i) emoji += "\U0001F600";
    const struct {
        const char* what;
        std::string text;
        QString shown;
    } cases[] = {
        {"exactly the bound", std::string(static_cast<std::size_t>(max), 'x'), QString(max, QLatin1Char('x'))},
        {"one more", std::string(static_cast<std::size_t>(max) + 1, 'x'), QString(max, QLatin1Char('x')) + ellipsis},
        {"two-byte characters past the bytes read", accented, QString(max, QChar(0x00E9)) + ellipsis},
        // 1 + 249 pairs fill 499 places: the next pair would not fit whole
        {"pairs are not split", emoji, QStringLiteral("a") + QString::fromUtf8(emoji.substr(1, 249 * 4)) + ellipsis},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PageDisplayText::bounded(c.text), c.shown) << c.what;
        EXPECT_EQ(PageDisplayText::bounded(QString::fromStdString(c.text)), c.shown) << c.what;
    }
}

} // namespace
