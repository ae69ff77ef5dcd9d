#include "support/ScriptedServiceTransport.h"

#include "Base/ServiceManager.h"
#include "platform/MainQueue.h"

namespace {
std::string pathOf(const QUrl& url)
{
    QString path = url.path();
    while (path.startsWith(QLatin1Char('/'))) path.remove(0, 1);
    return path.toStdString();
}
} // namespace

ScriptedServiceTransport::ScriptedServiceTransport()
{
    ServiceManager::shared().setTransport(this);
}

ScriptedServiceTransport::~ScriptedServiceTransport()
{
    ServiceManager::shared().setTransport(nullptr);
}

void ScriptedServiceTransport::reply(const std::string& path, const std::string& json, int status)
{
    platform::HttpResult result;
    result.statusCode = status;
    result.body = QByteArray::fromStdString(json);
    m_script[path].push_back(result);
}

void ScriptedServiceTransport::failTransport(const std::string& path, const QString& error)
{
    platform::HttpResult result;
    result.transportError = true;
    result.errorString = error;
    m_script[path].push_back(result);
}

platform::HttpResult ScriptedServiceTransport::next(const std::string& path)
{
    auto& queue = m_script[path];
    if (queue.empty()) {
        platform::HttpResult none;
        none.transportError = true;
        none.errorString = QStringLiteral("nothing scripted for ") + QString::fromStdString(path);
        return none;
    }
    platform::HttpResult result = queue.front();
    queue.pop_front();
    return result;
}

void ScriptedServiceTransport::postJson(const QUrl& url, const QByteArray& body, const platform::HttpHeaders& headers,
                                        platform::HttpCompletion completion)
{
    Request request;
    request.path = pathOf(url);
    boost::system::error_code ec;
    const auto parsed = boost::json::parse(std::string_view(body.constData(), static_cast<std::size_t>(body.size())), ec);
    if (!ec && parsed.is_object()) request.body = parsed.as_object();
    for (const auto& [name, value] : headers) {
        if (name == "Authorization") request.authorization = value.toStdString();
    }
    requests.push_back(request);
    platform::dispatchMain([result = next(request.path), completion = std::move(completion)]() mutable {
        completion(std::move(result));
    });
}

void ScriptedServiceTransport::get(const QUrl& url, qint64, platform::HttpCompletion completion)
{
    Request request;
    request.path = "GET " + pathOf(url);
    requests.push_back(request);
    platform::dispatchMain([result = next(request.path), completion = std::move(completion)]() mutable {
        completion(std::move(result));
    });
}

std::vector<std::string> ScriptedServiceTransport::paths() const
{
    std::vector<std::string> out;
    for (const auto& r : requests) out.push_back(r.path);
    return out;
}
