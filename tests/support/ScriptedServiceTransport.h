#pragma once

// Answers the service client in-process, for tests of a screen or a flow that need scripted
// replies but no stand-in process. Installs itself for its lifetime. Replies arrive on a later
// turn of the event loop, as from the network. Tests about the wire keep the real stand-in.

#include "Base/ServiceTransport.h"

#include <boost/json.hpp>

#include <QByteArray>
#include <QString>

#include <deque>
#include <map>
#include <string>
#include <vector>

class ScriptedServiceTransport final : public ServiceTransport {
public:
    struct Request {
        std::string path;             // the URL path without its leading "/", "GET " before a fetch
        boost::json::object body;     // the posted JSON (empty for a fetch)
        std::string authorization;    // the Authorization header, "" when none was sent
    };

    ScriptedServiceTransport();
    ~ScriptedServiceTransport() override;

    // The next request to `path` gets this reply (in the order given). A JSON text body.
    void reply(const std::string& path, const std::string& json, int status = 200);
    // The next request to `path` gets no HTTP answer at all.
    void failTransport(const std::string& path, const QString& error = QStringLiteral("Connection refused"));

    void postJson(const QUrl& url, const QByteArray& body, const platform::HttpHeaders& headers,
                  platform::HttpCompletion completion) override;
    void get(const QUrl& url, qint64 maxBytes, platform::HttpCompletion completion) override;

    std::vector<std::string> paths() const;
    std::vector<Request> requests;

private:
    platform::HttpResult next(const std::string& path);

    std::map<std::string, std::deque<platform::HttpResult>> m_script;
};
