#include "Base/ServiceAddress.h"

#include <QHostAddress>

#include <optional>

namespace {
const QString kOption = QStringLiteral("--service");

ServiceAddress::Choice checked(ServiceAddress::Choice choice, const QString& text, const QString& origin)
{
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty()) {
        choice.problem = origin + QStringLiteral(" is not a service address: ") + text;
    } else if (!ServiceAddress::isAllowed(url)) {
        choice.problem = origin + QStringLiteral(" must be https (http only for this machine): ") + text;
    } else {
        choice.url = url;
    }
    return choice;
}
} // namespace

ServiceAddress::Choice ServiceAddress::fromStart(const QStringList& arguments, const QString& environmentValue)
{
    Choice choice;
    std::optional<QString> given;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (i > 0 && argument == kOption) {
            if (i + 1 >= arguments.size()) {
                choice.problem = kOption + QStringLiteral(" needs an address");
                return choice;
            }
            given = arguments[++i];
        } else if (i > 0 && argument.startsWith(kOption + QLatin1Char('='))) {
            given = argument.mid(kOption.size() + 1);
        } else {
            choice.arguments.append(argument);
        }
    }
    if (given) return checked(std::move(choice), *given, kOption);
    if (!environmentValue.isEmpty()) {
        return checked(std::move(choice), environmentValue, QString::fromLatin1(environmentVariable));
    }
    choice.url = builtDefault();
    return choice;
}

QUrl ServiceAddress::builtDefault()
{
    return QUrl(QStringLiteral(QUORVEX_SERVICE_BASE_URL));
}

bool ServiceAddress::isAllowed(const QUrl& url)
{
    if (!url.isValid() || url.host().isEmpty()) return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("https")) return true;
    return scheme == QLatin1String("http") && isLoopbackHost(url.host());
}

bool ServiceAddress::isLoopbackHost(const QString& host)
{
    const QString lower = host.toLower();
    if (lower == QLatin1String("localhost") || lower.endsWith(QLatin1String(".localhost"))) return true;
    const QHostAddress address(lower);
    return !address.isNull() && address.isLoopback();
}
