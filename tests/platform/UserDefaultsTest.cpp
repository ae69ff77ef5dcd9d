#include "platform/UserDefaults.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>

using platform::UserDefaults;

namespace {
class UserDefaultsTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (const char* k : {"flag", "name", "blob", "group/key"}) defaults().removeObject(QString::fromLatin1(k));
        defaults().synchronize();
    }
    static UserDefaults& defaults() { return UserDefaults::standard(); }
};
} // namespace

// reload() reads the store from disk, as a second process would.
TEST_F(UserDefaultsTest, ValuesSurviveASecondProcessAndAFalseBooleanStaysFalse)
{
    defaults().setBool(QStringLiteral("flag"), false); // a stored "false" read back as text must not turn true
    defaults().setString(QStringLiteral("name"), QStringLiteral("Zoë"));
    defaults().setData(QStringLiteral("blob"), QByteArray("\x00\x01\xFFraw", 6));
    defaults().setString(QStringLiteral("group/key"), QStringLiteral("nested"));
    defaults().reload();
    EXPECT_TRUE(defaults().contains(QStringLiteral("flag")));
    EXPECT_FALSE(defaults().boolForKey(QStringLiteral("flag")));
    EXPECT_EQ(defaults().stringForKey(QStringLiteral("name")), QStringLiteral("Zoë"));
    EXPECT_EQ(defaults().dataForKey(QStringLiteral("blob")), QByteArray("\x00\x01\xFFraw", 6));
    EXPECT_EQ(defaults().stringForKey(QStringLiteral("group/key")), QStringLiteral("nested"));
    // mistyped values answer empty
    EXPECT_FALSE(defaults().boolForKey(QStringLiteral("name")));
    EXPECT_TRUE(defaults().dataForKey(QStringLiteral("name")).isEmpty());

    defaults().removeObject(QStringLiteral("name"));
    defaults().reload();
    EXPECT_FALSE(defaults().contains(QStringLiteral("name")));
    EXPECT_TRUE(defaults().stringForKey(QStringLiteral("name")).isEmpty());
}

TEST_F(UserDefaultsTest, TheStoreHoldingTheTokensIsReadableByItsOwnerOnly)
{
    const QString path = QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quorvex"),
                                   QStringLiteral("Quorvex")).fileName();
    const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;
    const auto mode = [&] { return QFile(path).permissions() & (ownerOnly | others); };
    defaults().setString(QStringLiteral("name"), QStringLiteral("token"));
    defaults().synchronize();
    EXPECT_EQ(mode(), ownerOnly);

    // a store left readable by an older version is narrowed when it is next opened
    ASSERT_TRUE(QFile(path).setPermissions(ownerOnly | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    defaults().reload();
    EXPECT_EQ(mode(), ownerOnly);
    defaults().setString(QStringLiteral("name"), QStringLiteral("token-2"));
    defaults().synchronize();
    EXPECT_EQ(mode(), ownerOnly) << "a save kept the store private";
}
