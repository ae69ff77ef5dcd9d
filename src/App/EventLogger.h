#pragma once

#include <boost/json.hpp>

#include <QString>

// Severity of a crash-report event, numbered as the crash-report client numbers them.
enum class EventSeverity { fatal = 0, error = 1, warning = 2, info = 3, debug = 4 };

// Crash-report events through platform::EventSink::crashReports().
class EventLogger {
public:
    static EventLogger& instance();
    EventLogger() = default; // the process uses instance(); tests make their own

    // Called once at launch: records that the client started (later calls do nothing).
    void configure();
    bool isConfigured() const { return m_configured; }

    // One event with the severity, message and extras, tagged with the environment, release,
    // the application version ("dist") and the signed-in user when there is one.
    void logEvent(EventSeverity level, const QString& message, const boost::json::object& extra = {});

    static const char* severityName(EventSeverity level);

private:
    boost::json::object baseEvent() const;

    bool m_configured = false;
};
