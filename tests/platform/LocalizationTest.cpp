#include "platform/Localization.h"

#include "platform/Paths.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {
class LocalizationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = platform::resourceDirectory();
        writeFileBytes(m_dir.filePath(QStringLiteral("Localizable.json")),
                       R"({"greet":"Hello %@, you have %@ files","swap":"%2$@ before %1$@","pct":"100%% of %@",)"
                       R"("plain":"Just text","num":5})");
        platform::setResourceDirectory(m_dir.path());
        platform::reloadLocalization();
    }
    void TearDown() override
    {
        platform::setResourceDirectory(m_saved);
        platform::reloadLocalization();
    }
    QTemporaryDir m_dir;
    QString m_saved;
};
} // namespace

TEST_F(LocalizationTest, LooksUpKeysAndFormatsPlaceholders)
{
    EXPECT_EQ(platform::localized("plain"), QStringLiteral("Just text"));
    EXPECT_EQ(platform::localized("missing.key"), QStringLiteral("missing.key"));
    EXPECT_EQ(platform::localized("num"), QStringLiteral("num")) << "a non-text value is not a text";
    const std::tuple<const char*, QStringList, QString> cases[] = {
        {"greet", {QStringLiteral("Ann"), QStringLiteral("3")}, QStringLiteral("Hello Ann, you have 3 files")},
        {"greet", {QStringLiteral("Ann")}, QStringLiteral("Hello Ann, you have  files")},
        {"swap", {QStringLiteral("A"), QStringLiteral("B")}, QStringLiteral("B before A")},
        {"pct", {QStringLiteral("%@")}, QStringLiteral("100% of %@")},
        {"plain", {QStringLiteral("ignored")}, QStringLiteral("Just text")},
    };
    for (const auto& [key, args, expected] : cases) EXPECT_EQ(platform::localizedFormat(key, args), expected) << key;
}

TEST_F(LocalizationTest, TableIsReadOnceUntilReloadedAndABrokenOneAnswersKeys)
{
    EXPECT_EQ(platform::localized("plain"), QStringLiteral("Just text"));
    writeFileBytes(m_dir.filePath(QStringLiteral("Localizable.json")), R"({"plain":"Changed"})");
    EXPECT_EQ(platform::localized("plain"), QStringLiteral("Just text"));
    platform::reloadLocalization();
    EXPECT_EQ(platform::localized("plain"), QStringLiteral("Changed"));

    writeFileBytes(m_dir.filePath(QStringLiteral("Localizable.json")), "{ not json");
    platform::reloadLocalization();
    EXPECT_EQ(platform::localized("plain"), QStringLiteral("plain"));
    platform::setResourceDirectory(m_dir.filePath(QStringLiteral("nowhere")));
    platform::reloadLocalization();
    EXPECT_EQ(platform::localizedFormat("greet", {QStringLiteral("x")}), QStringLiteral("greet"));
}

TEST(LocalizationResources, ShippedTableHasTheCommonTexts)
{
    platform::reloadLocalization();
    EXPECT_EQ(platform::localized("common.ok"), QStringLiteral("OK"));
}
