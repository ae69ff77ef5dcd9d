#pragma once

#include <boost/json.hpp>

#include <QString>

#include <functional>

namespace platform {

// Stand-ins for the analytics and crash-report SDKs: each event is appended as one JSON line to
// a log file in the application's data folder ("analytics.log", "crash-events.log"), and can also
// be handed to a recorder (tests). The data folder is QStandardPaths::AppLocalDataLocation. An
// event that cannot be written (a non-finite number, an unwritable folder) is logged and still
// reaches the recorder; recording never fails the caller. Main thread only.
class EventSink {
public:
    static EventSink& analytics();
    static EventSink& crashReports();

    void record(const boost::json::object& event);
    void setRecorder(std::function<void(const boost::json::object&)> recorder);
    QString logFilePath() const;

private:
    explicit EventSink(QString fileName);
    QString m_fileName;
    std::function<void(const boost::json::object&)> m_recorder;
};

} // namespace platform
