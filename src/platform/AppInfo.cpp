#include "platform/AppInfo.h"

#include <QDateTime>
#include <QNetworkInterface>

namespace platform {
namespace {
QString& versionOverride()
{
    static QString v = QStringLiteral(QUORVEX_VERSION);
    return v;
}
} // namespace

QString shortVersionString()
{
    return versionOverride();
}

void setShortVersionString(const QString& version)
{
    versionOverride() = version;
}

QString primaryMacAddress()
{
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const auto& i : interfaces) {
        if (i.flags().testFlag(QNetworkInterface::IsLoopBack)) continue;
        const QString mac = i.hardwareAddress();
        if (!mac.isEmpty() && mac != QLatin1String("00:00:00:00:00:00")) return mac;
    }
    return {};
}

int secondsFromGMT()
{
    return QDateTime::currentDateTime().offsetFromUtc();
}

} // namespace platform
