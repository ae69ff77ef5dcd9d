#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

// Where the service is: chosen once at start from the command line, the environment, or the
// address this build was made with, so pointing the application elsewhere needs no rebuild.
class ServiceAddress {
public:
    // The environment variable read when the command line names no address.
    static constexpr const char* environmentVariable = "QUORVEX_SERVICE_URL";

    struct Choice {
        QUrl url;              // valid when problem is empty
        QString problem;       // why the given address cannot be used
        QStringList arguments; // the command line without the address option
    };

    // "--service URL" or "--service=URL" in `arguments`, else `environmentValue` when not empty,
    // else the built default.
    static Choice fromStart(const QStringList& arguments, const QString& environmentValue);

    // The address this build was made with.
    static QUrl builtDefault();

    // Tokens travel in every request, so plain http is only for a service on this machine.
    static bool isAllowed(const QUrl& url);
    static bool isLoopbackHost(const QString& host);
};
