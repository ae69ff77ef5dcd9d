#include "App/DisplayDate.h"

#include <QLocale>
#include <QTimeZone>

#include <charconv>

QDateTime DisplayDate::parse(const std::string& text)
{
    if (text.empty()) return {};
    long long millis = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, millis);
    if (ec == std::errc() && ptr == end) {
        // Seconds and milliseconds both occur; a value below 1e11 cannot be milliseconds of this era.
        if (millis < 100000000000LL) millis *= 1000;
        return QDateTime::fromMSecsSinceEpoch(millis, QTimeZone::utc());
    }
    const QString qtext = QString::fromStdString(text);
    QDateTime parsed = QDateTime::fromString(qtext, Qt::ISODateWithMs);
    if (!parsed.isValid()) parsed = QDateTime::fromString(qtext, Qt::ISODate);
    return parsed;
}

QString DisplayDate::text(const std::string& serviceText)
{
    const QDateTime date = parse(serviceText);
    if (!date.isValid()) return QString::fromStdString(serviceText);
    return QLocale().toString(date.toLocalTime(), QLocale::ShortFormat);
}
