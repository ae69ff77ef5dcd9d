#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// User-visible texts by dotted key, from the key-to-English table in the resource folder
// ("Localizable.json"). A missing key answers the key itself.
QString localized(const char* key);

// The same with arguments: each "%@" (or "%1$@", "%2$@" ...) of the text takes the next
// (or the numbered) argument; "%%" writes "%". A placeholder without an argument writes nothing.
// The table is read on first use and kept; main thread only.
QString localizedFormat(const char* key, const QStringList& arguments);

// Drops the loaded table so the next lookup reads it again (after the resource folder changes).
void reloadLocalization();

} // namespace platform
