#include "Account/UserProfile.h"
#include "App/EventLogger.h"
#include "App/MixpanelManager.h"
#include "platform/AppInfo.h"
#include "platform/EventSinks.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

// Records what reaches the analytics and crash-report sinks; puts the user and version back.
class AnalyticsEventsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_savedUser = UserProfile::shared().userInfo;
        m_savedVersion = platform::shortVersionString();
        platform::setShortVersionString(QStringLiteral("2.7.1"));
        platform::EventSink::analytics().setRecorder([this](const boost::json::object& e) { m_analytics.push_back(e); });
        platform::EventSink::crashReports().setRecorder([this](const boost::json::object& e) { m_crash.push_back(e); });
    }
    void TearDown() override
    {
        platform::EventSink::analytics().setRecorder(nullptr);
        platform::EventSink::crashReports().setRecorder(nullptr);
        platform::setShortVersionString(m_savedVersion);
        UserProfile::shared().userInfo = m_savedUser;
    }

    std::optional<UserInfo> m_savedUser;
    QString m_savedVersion;
    std::vector<boost::json::object> m_analytics;
    std::vector<boost::json::object> m_crash;
};

TEST_F(AnalyticsEventsTest, AnalyticsEventNameIdentityAndExclusions)
{
    const boost::json::value none;
    const struct {
        MixPanelEventCode code;
        const char* extra;
        std::optional<std::string> email;
        const char* userName;
        boost::json::value event; // null: nothing sent
        boost::json::value distinctId;
        boost::json::value userEmail;
    } cases[] = {
        {MixPanelEventCode::SKETCH_UPLOAD, "", "ada@example.com", "ada", "SKETCH_UPLOAD", "ada@example.com", "ada@example.com"},
        {MixPanelEventCode::SHOW_CODE, "swift", "ada@example.com", "ada", "SHOW_CODE - swift", "ada@example.com", "ada@example.com"},
        {MixPanelEventCode::ADOBEXD_UPLOAD, "", std::nullopt, "guest", "ADOBEXD_UPLOAD", "guest", none},
        {MixPanelEventCode::SKETCH_UPLOAD, "", "qa@quorvex.app", "qa", none, none, none},
        {MixPanelEventCode::SKETCH_UPLOAD, "", "  QA@Quorvex.App ", "qa", none, none, none},
        {MixPanelEventCode::SKETCH_UPLOAD, "", "test@quorvex.app", "t", none, none, none},
        {MixPanelEventCode::SKETCH_UPLOAD, "", "qa@quorvex.app.example.com", "q", "SKETCH_UPLOAD",
         "qa@quorvex.app.example.com", "qa@quorvex.app.example.com"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.email.value_or("no e-mail") + " " + c.extra);
        m_analytics.clear();
        MixpanelManager::mixPanelLog(c.userName, c.email, c.code, c.extra, {{"Uploaded Artboard/s Count", 3}});
        if (c.event.is_null()) {
            EXPECT_TRUE(m_analytics.empty());
            continue;
        }
        ASSERT_EQ(m_analytics.size(), 1u);
        EXPECT_EQ(m_analytics[0].at("event"), c.event);
        const boost::json::object& props = m_analytics[0].at("properties").as_object();
        EXPECT_EQ(props.at("Uploaded Artboard/s Count"), boost::json::value(3));
        EXPECT_EQ(props.at("distinct_id"), c.distinctId);
        EXPECT_EQ(props.at("userName"), boost::json::value(c.userName));
        EXPECT_EQ(props.contains("userEmail") ? props.at("userEmail") : none, c.userEmail);
    }
}

TEST_F(AnalyticsEventsTest, CrashEventIsTaggedWithReleaseAndTheSignedInUser)
{
    EventLogger started;
    started.configure();
    started.configure(); // the start is recorded once
    ASSERT_EQ(m_crash.size(), 1u);
    EXPECT_EQ(m_crash[0].at("dist"), boost::json::value("2.7.1"));

    UserInfo ada;
    ada.email = "ada@example.com";
    ada.username = "ada";
    const struct {
        std::optional<UserInfo> user;
        EventSeverity level;
        boost::json::object extra;
        const char* levelName;
    } cases[] = {
        {ada, EventSeverity::info, {{"hex", "#GG0000"}}, "info"},
        {std::nullopt, EventSeverity::warning, {}, "warning"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.levelName);
        m_crash.clear();
        UserProfile::shared().userInfo = c.user;
        EventLogger logger;
        logger.logEvent(c.level, QStringLiteral("colour out of range"), c.extra);

        ASSERT_EQ(m_crash.size(), 1u);
        const boost::json::object& e = m_crash[0];
        EXPECT_EQ(e.at("level"), boost::json::value(c.levelName));
        EXPECT_EQ(e.at("message"), boost::json::value("colour out of range"));
        EXPECT_EQ(e.at("environment"), boost::json::value("production"));
        EXPECT_EQ(e.at("release"), boost::json::value("release"));
        EXPECT_EQ(e.at("dist"), boost::json::value("2.7.1"));
        EXPECT_EQ(e.contains("extra") ? e.at("extra") : boost::json::value(boost::json::object{}), c.extra);
        const boost::json::value user = c.user ? boost::json::value{{"email", "ada@example.com"}, {"username", "ada"}}
                                               : boost::json::value();
        EXPECT_EQ(e.contains("user") ? e.at("user") : boost::json::value(), user);
    }
}

} // namespace
