#pragma once

#include <QUrl>

#include <optional>

namespace platform {

// Whether the network can reach a host before a call is made. Loopback hosts (127.0.0.0/8,
// ::1, localhost) are always reachable; otherwise QNetworkInformation answers where a backend
// exists, and only its "disconnected" counts as unreachable (no backend or an unknown state:
// reachable, and the call itself finds out). Tests force an answer with setOverride.
class Reachability {
public:
    static bool isReachable(const QUrl& url);
    static void setOverride(std::optional<bool> reachable);
};

} // namespace platform
