#include "App/EventLogger.h"

#include "Account/UserProfile.h"
#include "App/AppEnvironment.h"
#include "platform/EventSinks.h"

namespace {

boost::json::string jsonString(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return boost::json::string(boost::json::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

} // namespace

EventLogger& EventLogger::instance()
{
    static EventLogger logger;
    return logger;
}

const char* EventLogger::severityName(EventSeverity level)
{
    switch (level) {
    case EventSeverity::fatal: return "fatal";
    case EventSeverity::error: return "error";
    case EventSeverity::warning: return "warning";
    case EventSeverity::info: return "info";
    case EventSeverity::debug: return "debug";
    }
    return "info";
}

boost::json::object EventLogger::baseEvent() const
{
    boost::json::object event;
    event["environment"] = "production";
    event["release"] = "release";
    event["dist"] = jsonString(AppEnvironment::appVersion());
    const auto& user = UserProfile::shared().userInfo;
    if (user) {
        boost::json::object identity;
        identity["email"] = user->email;
        identity["username"] = user->username;
        event["user"] = std::move(identity);
    }
    return event;
}

void EventLogger::configure()
{
    if (m_configured) return;
    m_configured = true;
    boost::json::object event = baseEvent();
    event["type"] = "session";
    event["message"] = "client started";
    platform::EventSink::crashReports().record(event);
}

void EventLogger::logEvent(EventSeverity level, const QString& message, const boost::json::object& extra)
{
    boost::json::object event = baseEvent();
    event["type"] = "event";
    event["level"] = severityName(level);
    event["message"] = jsonString(message);
    if (!extra.empty()) event["extra"] = extra;
    platform::EventSink::crashReports().record(event);
}
