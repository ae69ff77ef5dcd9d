#include "platform/UserDefaults.h"

#include <gtest/gtest.h>

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
