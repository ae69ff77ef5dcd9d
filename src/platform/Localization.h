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

// At most `maxChars` characters of `text` for a label, with how many were left out; a text that
// long says no more to the user and takes a label long to lay out. Main thread only.
QString shortenedForDisplay(const QString& text, qsizetype maxChars);

// A text named by key and arguments, to be looked up later on the main thread: what work off the
// main thread hands back instead of a finished text.
struct DeferredText {
    const char* key = nullptr; // a string literal
    QStringList arguments;

    bool isEmpty() const { return key == nullptr; }
    QString text() const { return key ? localizedFormat(key, arguments) : QString(); }
};

// Drops the loaded table so the next lookup reads it again (after the resource folder changes).
void reloadLocalization();

} // namespace platform
