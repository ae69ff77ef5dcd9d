#include "Account/UserProfile.h"
#include "App/UserDefaultsKeys.h"
#include "Base/ServiceTestDoubles.h"
#include "Projects/ProjectDisplayInfo.h"
#include "platform/MainQueue.h"
#include "platform/Reachability.h"
#include "platform/UserDefaults.h"
#include "support/StandinService.h"

#include <gtest/gtest.h>

namespace {

UserInfo demoUser()
{
    UserInfo u;
    u.userId = "u-1";
    u.email = "ada@example.com";
    u.username = "ada";
    u.name = "Ada L";
    return u;
}

AccessDTO access(const std::string& token, const std::string& refresh = "r-1")
{
    AccessDTO a;
    a.accessToken = token;
    a.refreshToken = refresh;
    a.expiredAt = "2030-01-01T00:00:00Z";
    return a;
}

// What a second start of the application sees: an empty profile over the stored settings.
void simulateRestart()
{
    UserProfile::shared().userInfo.reset();
    UserProfile::shared().accessDto.reset();
    platform::UserDefaults::standard().reload();
}

class Session : public ::testing::Test {
protected:
    void SetUp() override { UserProfile::shared().clear(); }
    void TearDown() override
    {
        UserProfile::shared().clear();
        platform::Reachability::setOverride(std::nullopt);
    }

    // checkIsAlive's answer, or nullopt when it never came.
    std::optional<bool> checkIsAlive()
    {
        auto answer = std::make_shared<std::optional<bool>>();
        UserProfile::shared().checkIsAlive([answer](bool alive) { *answer = alive; });
        EXPECT_FALSE(answer->has_value()) << "the answer must not come from inside the call";
        platform::runMainLoopUntil([answer] { return answer->has_value(); }, 30000);
        return *answer;
    }

    EventLog log;
    RecordingNavigator navigator{log};
    RecordingDialogs dialogs{log};
};

} // namespace

TEST_F(Session, SurvivesARestartAndIsGoneAfterClear)
{
    UserProfile::shared().save(demoUser(), access("t-1"));
    simulateRestart();
    ASSERT_TRUE(UserProfile::isLoggedInBefore());
    UserProfile::shared().load();
    ASSERT_TRUE(UserProfile::shared().isSignedIn());
    EXPECT_EQ(UserProfile::shared().userInfo->email, "ada@example.com");
    EXPECT_EQ(UserProfile::shared().userInfo->name, "Ada L");
    EXPECT_EQ(UserProfile::shared().accessDto->accessToken, "t-1");
    EXPECT_EQ(UserProfile::shared().accessDto->refreshToken, "r-1");
    EXPECT_EQ(UserProfile::shared().accessDto->expiredAt, "2030-01-01T00:00:00Z");

    UserProfile::shared().updateAccess(access("t-2", ""));
    simulateRestart();
    UserProfile::shared().load();
    ASSERT_TRUE(UserProfile::shared().isSignedIn());
    EXPECT_EQ(UserProfile::shared().accessDto->accessToken, "t-2");
    EXPECT_EQ(UserProfile::shared().accessDto->refreshToken, "r-1") << "a renewal without a refresh token keeps the old one";

    UserProfile::shared().clear();
    simulateRestart();
    EXPECT_FALSE(UserProfile::isLoggedInBefore());
    UserProfile::shared().load();
    EXPECT_FALSE(UserProfile::shared().userInfo.has_value());
    EXPECT_FALSE(UserProfile::shared().accessDto.has_value());
}

TEST_F(Session, DamagedStoredSessionCountsAsSignedOut)
{
    struct Case {
        const char* name;
        std::optional<QByteArray> user;
        std::optional<QByteArray> accessData;
        bool flag;
        bool loggedIn;
    };
    const QByteArray goodUser = R"({"userId":"u","email":"a@b.c","username":"a","name":"A"})";
    const QByteArray goodAccess = R"({"accessToken":"t","refreshToken":"r","expiredAt":""})";
    const Case cases[] = {
        {"intact", goodUser, goodAccess, true, true},
        {"flag missing", goodUser, goodAccess, false, false},
        {"user missing", std::nullopt, goodAccess, true, false},
        {"access missing", goodUser, std::nullopt, true, false},
        {"user not JSON", QByteArray("\x01\x02garbage"), goodAccess, true, false},
        {"access a list", goodUser, QByteArray("[1]"), true, false},
        {"empty access token", goodUser, QByteArray(R"({"accessToken":"","refreshToken":"r"})"), true, false},
        {"mistyped token", goodUser, QByteArray(R"({"accessToken":7})"), true, false},
        {"mistyped user fields", QByteArray(R"({"email":5})"), goodAccess, true, true},
    };
    auto& defaults = platform::UserDefaults::standard();
    const QString userKey(UserDefaultsKeys::userInfo);
    const QString accessKey(UserDefaultsKeys::accessDto);
    const QString flagKey(UserDefaultsKeys::isLoggedIn);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UserProfile::shared().clear();
        if (c.user) defaults.setData(userKey, *c.user);
        if (c.accessData) defaults.setData(accessKey, *c.accessData);
        if (c.flag) defaults.setBool(flagKey, true);
        defaults.synchronize();
        simulateRestart();
        EXPECT_EQ(UserProfile::isLoggedInBefore(), c.loggedIn);
        UserProfile::shared().load();
        EXPECT_EQ(UserProfile::shared().isSignedIn(), c.loggedIn);
    }
}

TEST_F(Session, SignOutForgetsTheSessionAndReturnsToLogin)
{
    UserProfile::shared().save(demoUser(), access("t-1"));
    UserProfile::shared().signOut();
    EXPECT_EQ(log.events, (std::vector<std::string>{"backToLogin"}));
    EXPECT_FALSE(UserProfile::shared().isSignedIn());
    simulateRestart();
    EXPECT_FALSE(UserProfile::isLoggedInBefore());
}

TEST_F(Session, CheckIsAliveRenewsAGoodSession)
{
    StandinService service;
    ASSERT_TRUE(service.signInDemoUser());
    const std::string before = UserProfile::shared().accessDto->accessToken;
    service.clearRecords();

    EXPECT_EQ(checkIsAlive(), true);
    EXPECT_EQ(service.recordedPaths(), (std::vector<std::string>{"user/refreshToken"}));
    ASSERT_TRUE(UserProfile::shared().isSignedIn());
    EXPECT_NE(UserProfile::shared().accessDto->accessToken, before);
    simulateRestart();
    UserProfile::shared().load();
    ASSERT_TRUE(UserProfile::shared().isSignedIn());
    EXPECT_NE(UserProfile::shared().accessDto->accessToken, before);
    EXPECT_TRUE(log.events.empty());
}

TEST_F(Session, CheckIsAliveSignsOutOnlyWhenTheServiceRefusesTheSession)
{
    struct Case {
        const char* name;
        std::string script;
        bool fakeTokens;   // a session the service never issued
        bool stopService;  // nothing answers
        bool unreachable;  // the network is down before the call
        bool alive;
    };
    const Case cases[] = {
        {"unknown refresh token", "", true, false, false, false},
        {"refused by id", R"([{"path":"user/refreshToken","body":{"errorModel":{"errorId":98002}}}])", false, false, false, false},
        {"service unreachable", "", false, true, false, true},
        {"network down", "", false, false, true, true},
        {"server failure", R"([{"path":"user/refreshToken","status":500,"body":"oops"}])", false, false, false, true},
        {"garbled answer", R"([{"path":"user/refreshToken","body":"{{{"}])", false, false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StandinService::Options options;
        options.scriptJson = c.script;
        StandinService service(options);
        ASSERT_TRUE(service.signInDemoUser());
        if (c.fakeTokens) UserProfile::shared().save(*UserProfile::shared().userInfo, access("made-up", "made-up-too"));
        const AccessDTO before = *UserProfile::shared().accessDto;
        if (c.stopService) service.stop();
        if (c.unreachable) platform::Reachability::setOverride(false);

        EXPECT_EQ(checkIsAlive(), c.alive);
        EXPECT_EQ(UserProfile::shared().isSignedIn(), c.alive);
        simulateRestart();
        EXPECT_EQ(UserProfile::isLoggedInBefore(), c.alive);
        if (c.alive) {
            UserProfile::shared().load();
            EXPECT_EQ(UserProfile::shared().accessDto->accessToken, before.accessToken) << "an unanswered check changes nothing";
        }
        // the check itself never navigates or shows a dialog: the caller decides what to open
        EXPECT_TRUE(log.events.empty());
        platform::Reachability::setOverride(std::nullopt);
        UserProfile::shared().clear();
    }
}

TEST_F(Session, CheckIsAliveWithoutASessionAnswersFalse)
{
    EXPECT_EQ(checkIsAlive(), false);
    UserProfile::shared().save(demoUser(), access("t", ""));
    EXPECT_EQ(checkIsAlive(), false);
}

TEST_F(Session, UserRoleIsTheRoleOfTheMemberWithTheSignedInEmail)
{
    ProjectDisplayInfo project;
    project.members = {{{}, "bob@example.com", "developer"}, {{}, "ada@example.com", "designer"},
                       {{}, "ada@example.com", "owner"}};
    struct Case {
        const char* email; // nullptr: nobody signed in
        const char* role;
    };
    const Case cases[] = {
        {"ada@example.com", "designer"},
        {"bob@example.com", "developer"},
        {"ADA@example.com", ""},
        {"eve@example.com", ""},
        {"", ""},
        {nullptr, ""},
    };
    for (const auto& c : cases) {
        UserProfile::shared().clear();
        if (c.email) {
            UserInfo u = demoUser();
            u.email = c.email;
            UserProfile::shared().save(u, access("t"));
        }
        EXPECT_EQ(project.getUserRole(), c.role) << (c.email ? c.email : "(none)");
    }
}
