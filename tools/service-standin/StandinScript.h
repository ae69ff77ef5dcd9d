#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>
#include <vector>

// Scripted replies, used in order before the default answers. Each entry of the script file is
// {"path", "times", "after", "status", "body", "bodyBytes", "delayMs", "mode"}:
//   path     the request path without the leading "/" ("user/login"), or "*" for any path;
//   times    how many requests the entry answers (default 1; a negative number: every one);
//   status   the HTTP status (default 200);
//   body     a JSON value sent as JSON text, or a string sent as it is (for malformed bodies);
//            absent: an empty body;
//   delayMs  how long to wait before answering (default 0);
//   after    how many requests for the path the entry lets pass to the other entries and the
//            default answers before it answers (default 0), to reach the second upload of a kind;
//   bodyBytes  the body padded with spaces to this many bytes (JSON stays JSON), for oversized replies;
//   mode     "reply" (default), "drop" (the connection is closed without an answer) or "endless"
//            (a 200 whose body never ends: it keeps coming as fast as the client reads it, up to a
//            safety bound of 1 GiB, after which the connection is closed).
class StandinScript {
public:
    enum class Mode { reply, drop, endless };
    struct Reply {
        int status = 200;
        QByteArray body;
        int delayMs = 0;
        Mode mode = Mode::reply;
    };

    // An empty script answers nothing. False (with `error`) when the file is unreadable or not a list.
    bool load(const QString& path, QString* error);

    // The first entry for `path` that still has uses left, using one of them.
    std::optional<Reply> take(const std::string& path);

private:
    struct Entry {
        std::string path;
        long long timesLeft = 1;
        long long passLeft = 0;
        Reply reply;
    };
    std::vector<Entry> m_entries;
};
