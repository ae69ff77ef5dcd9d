// The service client without a process: replies scripted in-process, the indicator and the HUD
// seen through a recording activity presenter.

#include "Account/UserProfile.h"
#include "Base/ServiceActivityPresenter.h"
#include "Base/ServiceEndPoints.h"
#include "Base/ServiceManager.h"
#include "support/ServiceTestDoubles.h"
#include "platform/MainQueue.h"
#include "support/ScriptedServiceTransport.h"

#include <gtest/gtest.h>

#include <QObject>

#include <string>
#include <vector>

namespace {

class RecordingActivity final : public ServiceActivityPresenter {
public:
    RecordingActivity(EventLog& log, QObject* hudScreen) : m_log(log), m_hudScreen(hudScreen)
    {
        ServiceActivityPresenter::install(this);
    }
    ~RecordingActivity() override { ServiceActivityPresenter::install(nullptr); }

    void showIndicator(const ScreenHandle& target) override { m_log.add(target ? "indicator:target" : "indicator:window"); }
    void hideIndicator() override { m_log.add("hideIndicator"); }
    bool showHUD(const ScreenHandle& screen, HudType) override
    {
        if (screen.object() != m_hudScreen) return false;
        m_log.add("hud");
        return true;
    }
    void hideHUD(const ScreenHandle&) override { m_log.add("hideHUD"); }

private:
    EventLog& m_log;     // not owned
    QObject* m_hudScreen; // not owned
};

class ServiceInProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        UserInfo user;
        user.userId = "u1";
        AccessDTO access;
        access.accessToken = "token-1";
        access.refreshToken = "refresh-1";
        UserProfile::shared().save(user, access);
    }
    void TearDown() override { UserProfile::shared().clear(); }

    void getAll(const ServiceCallOptions& options)
    {
        ServiceManager::shared().callServiceJson(
            ServiceEndPoints::Project::getAll, {}, options,
            [this](const boost::json::object& body) { log.add("done:" + std::to_string(body.size())); },
            [this](const ErrorModel& e) { log.add("error:" + std::to_string(e.errorId)); });
    }
    void expectEvents(const std::vector<std::string>& expected)
    {
        platform::runMainLoopUntil([&] { return log.events.size() >= expected.size(); }, 5000);
        EXPECT_EQ(log.events, expected);
    }

    EventLog log;
    RecordingDialogs dialogs{log};
    ScriptedServiceTransport transport;
};

TEST_F(ServiceInProcess, IndicatorOrScreenHudCoverTheCallAndTheRepeatAfterARenewal)
{
    QObject hudScreen;
    QObject plainScreen;
    RecordingActivity activity(log, &hudScreen);
    const auto options = [](bool indicator, QObject* target, QObject* hud) {
        ServiceCallOptions o;
        o.showIndicatorView = indicator;
        o.targetIndicatorView = target;
        o.hudRepresenter = hud;
        o.hudType = hud ? HudType::loading : HudType::none;
        return o;
    };
    const struct {
        const char* name;
        ServiceCallOptions options;
        std::vector<std::string> events;
    } cases[] = {
        {"indicator over the window", options(true, nullptr, nullptr), {"indicator:window", "hideIndicator", "done:1"}},
        {"indicator over a view", options(true, &plainScreen, nullptr), {"indicator:target", "hideIndicator", "done:1"}},
        {"the screen's HUD instead", options(true, nullptr, &hudScreen), {"hud", "hideHUD", "done:1"}},
        {"a screen without a HUD shows nothing", options(true, nullptr, &plainScreen), {"done:1"}},
        {"nothing asked", options(false, &plainScreen, nullptr), {"done:1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        log.events.clear();
        transport.requests.clear();
        // A renewal in the middle stays under the same indicator.
        transport.reply("project/getAll", R"({"errorModel":{"errorId":98001}})");
        transport.reply("user/refreshToken", R"({"accessDto":{"accessToken":"token-2","refreshToken":"refresh-2"}})");
        transport.reply("project/getAll", R"({"projects":[]})");
        getAll(c.options);
        expectEvents(c.events);
        ASSERT_EQ(transport.requests.size(), 3u);
        EXPECT_EQ(transport.paths(), (std::vector<std::string>{"project/getAll", "user/refreshToken", "project/getAll"}));
        EXPECT_EQ(transport.requests.back().authorization, "token-2");
        EXPECT_EQ(transport.requests.front().body.at("lang"), "en");
        // back to the first session for the next case
        SetUp();
    }
}

TEST_F(ServiceInProcess, WithoutAPresenterTheNavigatorShowsTheIndicatorUntilTheOutcome)
{
    RecordingNavigator navigator(log);
    ServiceCallOptions options;
    options.showIndicatorView = true;
    transport.reply("project/getAll", R"({"errorModel":{"errorId":5,"errorMsg":"E"}})");
    getAll(options);
    expectEvents({"addIndicator:window", "removeIndicator", "alert:E", "error:5"});
    transport.reply("project/getAll", "{}", 401);
    getAll(options);
    expectEvents({"addIndicator:window", "removeIndicator", "alert:E", "error:5", "addIndicator:window", "removeIndicator",
                  "backToLogin"});
}

} // namespace
