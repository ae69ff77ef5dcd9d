#pragma once

#include <QString>

namespace platform {

// The application's short version string (the build's project version); tests may replace it.
QString shortVersionString();
void setShortVersionString(const QString& version);

// The primary network interface's hardware address as text, or "" when none.
QString primaryMacAddress();

// The local offset from GMT in seconds.
int secondsFromGMT();

} // namespace platform
