#include "Base/ServiceEndPoint.h"

#include "Base/ServiceAddress.h"

namespace {
QUrl& currentBaseUrl()
{
    static QUrl url = ServiceAddress::builtDefault();
    return url;
}
} // namespace

QUrl ServiceEndPoint::url() const
{
    QString resolved = path;
    for (const auto& [name, value] : urlParameters) {
        resolved.replace(QLatin1Char('{') + name + QLatin1Char('}'), QString::fromLatin1(QUrl::toPercentEncoding(value)));
    }
    QString base = baseUrl().toString();
    while (base.endsWith(QLatin1Char('/'))) base.chop(1);
    while (resolved.startsWith(QLatin1Char('/'))) resolved.remove(0, 1);
    return QUrl(base + QLatin1Char('/') + resolved, QUrl::StrictMode);
}

QUrl ServiceEndPoint::baseUrl()
{
    return currentBaseUrl();
}

bool ServiceEndPoint::setBaseUrl(const QUrl& url)
{
    if (!ServiceAddress::isAllowed(url)) return false;
    currentBaseUrl() = url;
    return true;
}
