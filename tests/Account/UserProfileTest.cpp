#include "Account/UserProfile.h"
#include "App/UserDefaultsKeys.h"
#include "support/ServiceTestDoubles.h"
#include "Projects/ProjectDisplayInfo.h"
#include "platform/MainQueue.h"
#include "platform/Reachability.h"
#include "platform/UserDefaults.h"
#include "support/StandinService.h"

#include <gtest/gtest.h>

namespace {

UserInfo demoUser(const std::string& email = "ada@example.com")
{
    return UserInfo{{}, "u-1", email, "ada", "Ada L"};
}

AccessDTO access(const std::string& token, const std::string& refresh = "r-1")
{
    return AccessDTO{{}, token, refresh, "2030-01-01T00:00:00Z"};
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
    EXPECT_EQ(jsonmap::toJsonObject(*UserProfile::shared().userInfo), jsonmap::toJsonObject(demoUser()));
    EXPECT_EQ(jsonmap::toJsonObject(*UserProfile::shared().accessDto), jsonmap::toJsonObject(access("t-1")));

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
    EXPECT_FALSE(UserProfile::shared().userInfo || UserProfile::shared().accessDto);
}

TEST_F(Session, DamagedStoredSessionCountsAsSignedOut)
{
    const QByteArray goodUser = R"({"userId":"u","email":"a@b.c","username":"a","name":"A"})";
    const QByteArray goodAccess = R"({"accessToken":"t","refreshToken":"r","expiredAt":""})";
    const struct {
        const char* name;
        std::optional<QByteArray> user;
        std::optional<QByteArray> accessData;
        bool flag;
        bool loggedIn;
    } cases[] = {
        {"intact", goodUser, goodAccess, true, true},
        {"flag missing", goodUser, goodAccess, false, false},
        {"user missing", std::nullopt, goodAccess, true, false},
        {"user not JSON", QByteArray("\x01\x02garbage"), goodAccess, true, false},
        {"access a list", goodUser, QByteArray("[1]"), true, false},
        {"empty access token", goodUser, QByteArray(R"({"accessToken":"","refreshToken":"r"})"), true, false},
        {"mistyped user fields", QByteArray(R"({"email":5})"), goodAccess, true, true},
    };
    auto& defaults = platform::UserDefaults::standard();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UserProfile::shared().clear();
        if (c.user) defaults.setData(QString(UserDefaultsKeys::userInfo), *c.user);
        if (c.accessData) defaults.setData(QString(UserDefaultsKeys::accessDto), *c.accessData);
        if (c.flag) defaults.setBool(QString(UserDefaultsKeys::isLoggedIn), true);
        defaults.synchronize();
        simulateRestart();
        EXPECT_EQ(UserProfile::isLoggedInBefore(), c.loggedIn);
        UserProfile::shared().load();
        EXPECT_EQ(UserProfile::shared().isSignedIn(), c.loggedIn);
    }
}

TEST_F(Session, CheckIsAliveSignsOutOnlyWhenTheServiceRefusesTheSession)
{
    enum class Before { nothing, fakeTokens, clear, stopService, networkDown };
    using enum Before;
    const struct {
        const char* name;
        std::string script;
        Before before;
        bool asks; // a renewal is requested
        bool alive;
        bool renewed;
    } cases[] = {
        {"good session", "", nothing, true, true, true},
        {"unknown refresh token", "", fakeTokens, true, false, false},
        {"no session", "", clear, false, false, false},
        {"refused by id", R"([{"path":"user/refreshToken","body":{"errorModel":{"errorId":98002}}}])", nothing, true, false, false},
        {"service unreachable", "", stopService, false, true, false},
        {"network down", "", networkDown, false, true, false},
        {"server failure", R"([{"path":"user/refreshToken","status":500,"body":"oops"}])", nothing, true, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StandinService service(StandinService::withScript(c.script));
        ASSERT_TRUE(service.signInDemoUser());
        service.clearRecords();
        switch (c.before) {
        case fakeTokens: UserProfile::shared().save(*UserProfile::shared().userInfo, access("made-up", "made-up-too")); break;
        case clear: UserProfile::shared().clear(); break;
        case stopService: service.stop(); break;
        case networkDown: platform::Reachability::setOverride(false); break;
        case nothing: break;
        }
        const std::string before = UserProfile::shared().accessDto ? UserProfile::shared().accessDto->accessToken : "";

        EXPECT_EQ(checkIsAlive(), c.alive);
        EXPECT_EQ(UserProfile::shared().isSignedIn(), c.alive);
        EXPECT_EQ(service.recordedPaths(), c.asks ? std::vector<std::string>{"user/refreshToken"} : std::vector<std::string>{});
        simulateRestart();
        EXPECT_EQ(UserProfile::isLoggedInBefore(), c.alive);
        if (c.alive) {
            UserProfile::shared().load();
            // a renewal is kept for the next start; an unanswered check changes nothing
            EXPECT_EQ(UserProfile::shared().accessDto->accessToken != before, c.renewed);
        }
        // the check itself never navigates or shows a dialog: the caller decides what to open
        EXPECT_TRUE(log.events.empty());
        platform::Reachability::setOverride(std::nullopt);
        UserProfile::shared().clear();
    }
}

TEST_F(Session, CheckIsAliveWithoutARefreshTokenAnswersFalse)
{
    UserProfile::shared().save(demoUser(), access("t", ""));
    EXPECT_EQ(checkIsAlive(), false);
}

TEST_F(Session, UserRoleIsTheRoleOfTheMemberWithTheSignedInEmail)
{
    ProjectDisplayInfo project;
    project.members = {{{}, "bob@example.com", "developer"}, {{}, "ada@example.com", "designer"},
                       {{}, "ada@example.com", "owner"}};
    const std::pair<const char*, const char*> cases[] = {
        {"ada@example.com", "designer"}, {"bob@example.com", "developer"}, {"ADA@example.com", ""},
        {"", ""},                        {nullptr, ""}, // nobody signed in
    };
    for (const auto& [email, role] : cases) {
        UserProfile::shared().clear();
        if (email) UserProfile::shared().save(demoUser(email), access("t"));
        EXPECT_EQ(project.getUserRole(), role) << (email ? email : "(none)");
    }
}
