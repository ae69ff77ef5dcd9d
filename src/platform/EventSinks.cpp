#include "platform/EventSinks.h"

#include "platform/JsonText.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QStandardPaths>

Q_LOGGING_CATEGORY(lcEventSinks, "quorvex.platform.events")

namespace platform {

EventSink::EventSink(QString fileName)
    : m_fileName(std::move(fileName))
{
}

EventSink& EventSink::analytics()
{
    static EventSink sink(QStringLiteral("analytics.log"));
    return sink;
}

EventSink& EventSink::crashReports()
{
    static EventSink sink(QStringLiteral("crash-events.log"));
    return sink;
}

QString EventSink::logFilePath() const
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QLatin1Char('/') + m_fileName;
}

void EventSink::setRecorder(std::function<void(const boost::json::object&)> recorder)
{
    m_recorder = std::move(recorder);
}

void EventSink::record(const boost::json::object& event)
{
    // Losing an event is better than failing the action that reported it: every error here is logged only.
    if (const auto line = jsonText(event, JsonStyle::Compact)) {
        const QString path = logFilePath();
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        if (f.open(QIODevice::WriteOnly | QIODevice::Append)) {
            QByteArray bytes(line->data(), static_cast<qsizetype>(line->size()));
            bytes.append('\n');
            if (f.write(bytes) != bytes.size()) qCWarning(lcEventSinks) << "could not write" << path << f.errorString();
        } else {
            qCWarning(lcEventSinks) << "could not open" << path << f.errorString();
        }
    } else {
        qCWarning(lcEventSinks) << "event with a non-finite number not written to" << m_fileName;
    }
    if (m_recorder) m_recorder(event);
}

} // namespace platform
