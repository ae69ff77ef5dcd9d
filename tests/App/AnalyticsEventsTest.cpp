#include "App/MixpanelManager.h"
#include "platform/EventSinks.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

TEST(AnalyticsEvents, EventNameIdentityAndExclusions)
{
    std::vector<boost::json::object> events;
    platform::EventSink::analytics().setRecorder([&](const boost::json::object& e) { events.push_back(e); });
    struct Uninstall {
        ~Uninstall() { platform::EventSink::analytics().setRecorder(nullptr); }
    } uninstall;
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
        {MixPanelEventCode::SKETCH_UPLOAD, "", "  QA@Quorvex.App ", "qa", none, none, none},
        {MixPanelEventCode::SKETCH_UPLOAD, "", "qa@quorvex.app.example.com", "q", "SKETCH_UPLOAD",
         "qa@quorvex.app.example.com", "qa@quorvex.app.example.com"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.email.value_or("no e-mail") + " " + c.extra);
        events.clear();
        MixpanelManager::mixPanelLog(c.userName, c.email, c.code, c.extra, {{"Uploaded Artboard/s Count", 3}});
        if (c.event.is_null()) {
            EXPECT_TRUE(events.empty());
            continue;
        }
        ASSERT_EQ(events.size(), 1u);
        EXPECT_EQ(events[0].at("event"), c.event);
        const boost::json::object& props = events[0].at("properties").as_object();
        EXPECT_EQ(props.at("Uploaded Artboard/s Count"), boost::json::value(3));
        EXPECT_EQ(props.at("distinct_id"), c.distinctId);
        EXPECT_EQ(props.at("userName"), boost::json::value(c.userName));
        EXPECT_EQ(props.contains("userEmail") ? props.at("userEmail") : none, c.userEmail);
    }
}

} // namespace
