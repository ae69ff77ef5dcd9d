#pragma once

#include <QUrl>

#include <optional>

namespace platform {

// Whether the network can reach a host before a call is made. Loopback hosts are always
// reachable; otherwise QNetworkInformation answers where a backend exists (assumed reachable
// where none does). Tests force an answer with setOverride.
class Reachability {
public:
    static bool isReachable(const QUrl& url);
    static void setOverride(std::optional<bool> reachable);
};

} // namespace platform
