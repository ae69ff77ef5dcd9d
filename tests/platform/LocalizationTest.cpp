#include "platform/Localization.h"

#include "platform/Paths.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

TEST(Localization, FormatsPlaceholdersAndABrokenOrMissingTableAnswersKeys)
{
    QTemporaryDir dir;
    const QString saved = platform::resourceDirectory();
    const QString table = dir.filePath(QStringLiteral("Localizable.json"));
    writeFileBytes(table, R"({"greet":"Hello %@, you have %@ files","swap":"%2$@ before %1$@","pct":"100%% of %@",)"
                          R"("plain":"Just text","num":5})");
    platform::setResourceDirectory(dir.path());
    platform::reloadLocalization();
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

    writeFileBytes(table, "{ not json");
    platform::reloadLocalization();
    EXPECT_EQ(platform::localized("plain"), QStringLiteral("plain"));
    platform::setResourceDirectory(dir.filePath(QStringLiteral("nowhere")));
    platform::reloadLocalization();
    EXPECT_EQ(platform::localizedFormat("greet", {QStringLiteral("x")}), QStringLiteral("greet"));

    platform::setResourceDirectory(saved);
    platform::reloadLocalization();
    EXPECT_EQ(platform::localized("common.ok"), QStringLiteral("OK")) << "the shipped table";
}
