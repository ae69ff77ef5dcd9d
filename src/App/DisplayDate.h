#pragma once

#include <QDateTime>
#include <QString>

#include <string>

// Dates as the service sends them (ISO 8601 text, or milliseconds since 1970 as a number or a
// text), shown in the user's locale and time zone.
class DisplayDate {
public:
    // Invalid when the text is none of the forms above.
    static QDateTime parse(const std::string& text);
    // The short locale form of the local time; the text itself when it cannot be read.
    static QString text(const std::string& serviceText);
};
