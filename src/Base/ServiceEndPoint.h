#pragma once

#include <QString>
#include <QUrl>

#include <map>
#include <string>

// One endpoint of the service: its path below the base URL; every endpoint is POST.
struct ServiceEndPoint {
    QString path;
    QString httpMethod = QStringLiteral("POST");
    // Values that replace "{name}" in the path.
    std::map<QString, QString> urlParameters;

    // Service base URL, "/", path (with parameters replaced).
    QUrl url() const;

    // The service base URL chosen at start (see ServiceAddress); tests point it at the stand-in.
    static QUrl baseUrl();
    // Refuses (false, nothing changes) an address that would send tokens in clear off this machine.
    static bool setBaseUrl(const QUrl& url);
};
