#include "platform/Reachability.h"

#include <QHostAddress>
#include <QNetworkInformation>

namespace platform {
namespace {

std::optional<bool>& reachabilityOverride()
{
    static std::optional<bool> o;
    return o;
}

bool isLoopbackHost(const QString& host)
{
    QString h = host.toLower();
    if (h.endsWith(QLatin1Char('.'))) h.chop(1);
    if (h == QLatin1String("localhost") || h.endsWith(QLatin1String(".localhost"))) return true;
    QHostAddress address;
    return address.setAddress(h) && address.isLoopback();
}

QNetworkInformation* networkInformation()
{
    static bool tried = false;
    if (!tried) {
        tried = true;
        QNetworkInformation::loadDefaultBackend();
    }
    return QNetworkInformation::instance();
}

} // namespace

bool Reachability::isReachable(const QUrl& url)
{
    if (reachabilityOverride()) return *reachabilityOverride();
    if (isLoopbackHost(url.host())) return true;
    const QNetworkInformation* info = networkInformation();
    if (!info || !info->supports(QNetworkInformation::Feature::Reachability)) return true;
    // Only a definite "disconnected" stops a call; an unknown state lets the request find out.
    return info->reachability() != QNetworkInformation::Reachability::Disconnected;
}

void Reachability::setOverride(std::optional<bool> reachable)
{
    reachabilityOverride() = reachable;
}

} // namespace platform
