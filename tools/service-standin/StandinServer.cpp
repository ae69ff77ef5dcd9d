#include "StandinServer.h"

#include "StandinDetail.h"
#include "StandinLayers.h"

#include "platform/JsonText.h"

#include <QFile>
#include <QHttpServerRequest>
#include <QMetaEnum>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

namespace {

constexpr auto str = &StandinStore::stringField;

std::string methodName(QHttpServerRequest::Method method)
{
    const char* key = QMetaEnum::fromType<QHttpServerRequest::Method>().valueToKey(static_cast<int>(method));
    return key ? QByteArray(key).toUpper().toStdString() : std::string("UNKNOWN");
}

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200: return "OK";
    case 400: return "Bad Request";
    case 401: return "Unauthorized";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    case 503: return "Service Unavailable";
    default: return "Status";
    }
}

boost::json::object accessJson(const StandinStore::Access& access)
{
    return {{"accessToken", access.accessToken}, {"refreshToken", access.refreshToken}, {"expiredAt", access.expiredAt}};
}

// Base64 as the clients send it; anything else is refused rather than stored half-decoded.
std::optional<QByteArray> decodeBase64(const std::string& text)
{
    const auto result = QByteArray::fromBase64Encoding(QByteArray::fromStdString(text), QByteArray::AbortOnBase64DecodingErrors);
    if (!result) return std::nullopt;
    return *result;
}

// The symbol id of the instance view `viewId` below a layer; empty when there is none.
std::string instanceSymbol(const boost::json::object& layer, const std::string& viewId)
{
    const auto* layers = StandinLayers::array(layer, "layers");
    if (!layers) return {};
    for (const auto& child : *layers) {
        if (!StandinLayers::isShownLayer(child)) continue;
        const auto& o = child.get_object();
        if (str(o, "do_objectID") == viewId) return str(o, "_class") == "symbolInstance" ? str(o, "symbolID") : std::string();
        if (auto found = instanceSymbol(o, viewId); !found.empty()) return found;
    }
    return {};
}

} // namespace

StandinServer::StandinServer(StandinStore& store, StandinScript& script, QString recordPath, bool shouldUploadSketch)
    : m_store(store), m_script(script), m_recordPath(std::move(recordPath)), m_shouldUploadSketch(shouldUploadSketch)
{
    m_handlers = {
        {"user/login", &StandinServer::login},
        {"user/refreshToken", &StandinServer::refreshToken},
        {"project/getAll", &StandinServer::getAllProjects},
        {"project/create", &StandinServer::createProject},
        {"import/newScreensFromSketch", &StandinServer::importScreens},
        {"resource/uploadResource", &StandinServer::uploadResource},
        {"resource/uploadDesignFile", &StandinServer::uploadDesignFile},
        {"main/detailInfo", &StandinServer::detailInfo},
        {"resource/downloadArtboardPreview", &StandinServer::downloadArtboardPreview},
        {"components/getAll", &StandinServer::getAllComponents},
        {"components/getComponentTypeList", &StandinServer::getComponentTypeList},
        {"components/delete", &StandinServer::deleteComponent},
        {"components/deleteComponentInstance", &StandinServer::deleteComponentInstance},
    };
}

bool StandinServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket)
{
    std::string path = request.url().path().toStdString();
    while (!path.empty() && path.front() == '/') path.erase(path.begin());
    record(request, path);

    if (auto scripted = m_script.take(path)) {
        send(socket, Reply{scripted->status, scripted->body}, scripted->delayMs);
        return true;
    }

    if (request.method() == QHttpServerRequest::Method::Get) {
        send(socket, serveFile(path), 0);
        return true;
    }

    Call call;
    call.path = path;
    call.localPort = socket->localPort();
    for (const auto& [name, value] : request.headers()) {
        if (name.compare("Authorization", Qt::CaseInsensitive) == 0) call.authorization = value.toStdString();
    }
    const QByteArray body = request.body();
    call.body = platform::parseJsonObject(std::string_view(body.constData(), static_cast<size_t>(body.size())));
    send(socket, answer(call), 0);
    return true;
}

void StandinServer::missingHandler(const QHttpServerRequest&, QTcpSocket* socket)
{
    send(socket, error(404, "Not found.", {}, 404), 0);
}

void StandinServer::record(const QHttpServerRequest& request, const std::string& path)
{
    if (m_recordPath.isEmpty()) return;
    boost::json::object headers;
    for (const auto& [name, value] : request.headers()) headers[name.toStdString()] = value.toStdString();
    const QByteArray raw = request.body();
    const std::string_view rawView(raw.constData(), static_cast<size_t>(raw.size()));
    boost::json::value body;
    if (auto parsed = platform::parseJson(rawView)) {
        body = std::move(*parsed);
    } else {
        body = boost::json::string(rawView);
    }
    boost::json::object line{{"method", methodName(request.method())}, {"path", path}, {"headers", std::move(headers)},
                             {"body", std::move(body)}};
    auto text = platform::jsonText(line);
    if (!text) text = platform::jsonText(boost::json::object{{"method", methodName(request.method())}, {"path", path}});
    QFile f(m_recordPath);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append)) return;
    f.write(text->data(), static_cast<qint64>(text->size()));
    f.write("\n");
    f.flush();
}

void StandinServer::send(QTcpSocket* socket, const Reply& reply, int delayMs)
{
    QByteArray bytes = "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' + reasonPhrase(reply.status) + "\r\n";
    bytes += "Content-Type: application/json\r\n";
    bytes += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n\r\n";
    bytes += reply.body;
    if (delayMs <= 0) {
        socket->write(bytes);
        return;
    }
    QTimer::singleShot(delayMs, this, [target = QPointer<QTcpSocket>(socket), bytes]() {
        if (target && target->state() == QAbstractSocket::ConnectedState) target->write(bytes);
    });
}

StandinServer::Reply StandinServer::json(const boost::json::object& body, int status)
{
    const auto text = platform::jsonText(body);
    return Reply{status, text ? QByteArray::fromStdString(*text) : QByteArray("{}")};
}

StandinServer::Reply StandinServer::error(int errorId, const std::string& message, const std::string& informative, int status)
{
    return json(boost::json::object{{"errorModel", boost::json::object{{"errorId", errorId}, {"errorMsg", message},
                                                                       {"errorInformativeText", informative}}}},
                status);
}

StandinServer::Reply StandinServer::serveFile(const std::string& path) const
{
    const auto bytes = m_store.uploadedFile(path);
    if (!bytes) return Reply{404, QByteArray()};
    return Reply{200, *bytes};
}

StandinServer::Reply StandinServer::answer(const Call& call)
{
    const auto handler = m_handlers.find(call.path);
    if (handler == m_handlers.end()) return error(404, "Unknown endpoint.", call.path, 404);
    if (!call.body) return error(kInvalidRequest, "The request body is not a JSON object.");
    return (this->*(handler->second))(call);
}

std::optional<StandinStore::User> StandinServer::authorize(const Call& call, Reply& failure) const
{
    auto user = m_store.userByAccessToken(call.authorization);
    if (!user) failure = error(kUnauthorized, "Your session has ended.", "Please sign in again.");
    return user;
}

StandinServer::Reply StandinServer::login(const Call& call)
{
    const auto user = m_store.userByCredentials(str(*call.body, "email"), str(*call.body, "password"));
    if (!user) return error(kWrongCredentials, "Wrong e-mail or password.");
    const auto access = m_store.issueTokens(*user);
    boost::json::object userInfo{{"userId", user->userId}, {"email", user->email}, {"username", user->username},
                                 {"name", user->name}};
    return json(boost::json::object{{"userInfo", userInfo}, {"accessDto", accessJson(access)}});
}

StandinServer::Reply StandinServer::refreshToken(const Call& call)
{
    const auto access = m_store.refresh(str(*call.body, "refreshToken"));
    if (!access) return error(kUnauthorized, "Your session has ended.", "Please sign in again.");
    return json(boost::json::object{{"accessDto", accessJson(*access)}});
}

StandinServer::Reply StandinServer::getAllProjects(const Call& call)
{
    Reply failure;
    const auto user = authorize(call, failure);
    if (!user) return failure;
    return json(boost::json::object{{"projects", m_store.projectsOf(*user)}, {"shouldUploadSketch", m_shouldUploadSketch}});
}

StandinServer::Reply StandinServer::createProject(const Call& call)
{
    Reply failure;
    const auto user = authorize(call, failure);
    if (!user) return failure;
    const std::string name = str(*call.body, "name");
    const std::string platform = str(*call.body, "platform");
    if (name.empty()) return error(kInvalidRequest, "The project needs a name.");
    if (platform != "iOS" && platform != "Android") return error(kInvalidRequest, "Unknown platform.", platform);
    return json(boost::json::object{{"project", m_store.createProject(*user, name, platform)}});
}

std::optional<std::string> StandinServer::memberProject(const Call& call, Reply& failure) const
{
    const auto user = authorize(call, failure);
    if (!user) return std::nullopt;
    const std::string projectId = str(*call.body, "projectId");
    if (!m_store.isMember(*user, projectId)) {
        failure = error(kProjectNotFound, "Project not found.", projectId);
        return std::nullopt;
    }
    return projectId;
}

StandinServer::Reply StandinServer::importScreens(const Call& call)
{
    Reply failure;
    const auto projectId = memberProject(call, failure);
    if (!projectId) return failure;
    if (!m_store.storeImport(*projectId, *call.body)) return error(kStorageFailed, "The import could not be stored.");
    return json(boost::json::object{{"status", true}});
}

StandinServer::Reply StandinServer::uploadResource(const Call& call)
{
    Reply failure;
    const auto projectId = memberProject(call, failure);
    if (!projectId) return failure;
    const auto bytes = decodeBase64(str(*call.body, "imageData"));
    if (!bytes) return error(kInvalidRequest, "The image data is not Base64.");
    if (!m_store.storeImage(*projectId, str(*call.body, "artboardId"), str(*call.body, "fileName"),
                            str(*call.body, "scale"), str(*call.body, "format"), *bytes))
        return error(kStorageFailed, "The image could not be stored.");
    return json(boost::json::object{{"status", true}});
}

StandinServer::Reply StandinServer::uploadDesignFile(const Call& call)
{
    Reply failure;
    const auto projectId = memberProject(call, failure);
    if (!projectId) return failure;
    const auto bytes = decodeBase64(str(*call.body, "fileData"));
    if (!bytes) return error(kInvalidRequest, "The file data is not Base64.");
    if (!m_store.storeDesignFile(*projectId, str(*call.body, "fileName"), *bytes))
        return error(kStorageFailed, "The design file could not be stored.");
    return json(boost::json::object{{"status", true}});
}

StandinServer::Reply StandinServer::detailInfo(const Call& call)
{
    Reply failure;
    const auto projectId = memberProject(call, failure);
    if (!projectId) return failure;
    const std::string artboardId = str(*call.body, "artboardId");
    auto artboard = m_store.storedArtboard(*projectId, artboardId);
    if (!artboard) return error(kArtboardNotFound, "Artboard not found.", artboardId);
    StandinDetail::Input input;
    input.platform = str(*call.body, "platform");
    if (input.platform != "iOS" && input.platform != "Android") input.platform = m_store.platformOf(*projectId);
    input.artboard = std::move(*artboard);
    input.artboards = m_store.storedArtboards(*projectId);
    input.masters = m_store.storedMasters(*projectId);
    input.textStyles = m_store.storedStyles(*projectId, "textStyles");
    input.layerStyles = m_store.storedStyles(*projectId, "layerStyles");
    input.components = m_store.components(*projectId);
    input.detachedInstances = m_store.detachedInstances(*projectId);
    return json(StandinDetail::reply(input));
}

StandinServer::Reply StandinServer::downloadArtboardPreview(const Call& call)
{
    Reply failure;
    const auto projectId = memberProject(call, failure);
    if (!projectId) return failure;
    const std::string artboardId = str(*call.body, "oid");
    if (!m_store.storedArtboard(*projectId, artboardId)) return error(kArtboardNotFound, "Artboard not found.", artboardId);
    // A known artboard without a preview answers an empty link: the canvas shows its warning.
    const auto path = m_store.compressedPreview(*projectId, artboardId);
    const std::string link = path ? "http://127.0.0.1:" + std::to_string(call.localPort) + "/" + *path : std::string();
    return json(boost::json::object{{"imageData", ""}, {"mediaLink", link}, {"fileName", artboardId}, {"scale", "1"}});
}

StandinServer::Reply StandinServer::getAllComponents(const Call& call)
{
    Reply failure;
    const auto projectId = memberProject(call, failure);
    if (!projectId) return failure;
    return json(boost::json::object{{"components", m_store.components(*projectId)}});
}

StandinServer::Reply StandinServer::getComponentTypeList(const Call& call)
{
    Reply failure;
    const auto projectId = memberProject(call, failure);
    if (!projectId) return failure;
    return json(boost::json::object{{"componentTypeList", StandinDetail::componentTypeList()},
                                    {"convertibleTypeList", StandinDetail::convertibleTypeList()}});
}

StandinServer::Reply StandinServer::deleteComponent(const Call& call)
{
    Reply failure;
    const auto projectId = memberProject(call, failure);
    if (!projectId) return failure;
    return json(boost::json::object{{"status", m_store.deleteComponent(*projectId, str(*call.body, "componentId"))}});
}

StandinServer::Reply StandinServer::deleteComponentInstance(const Call& call)
{
    Reply failure;
    const auto projectId = memberProject(call, failure);
    if (!projectId) return failure;
    const std::string instanceId = str(*call.body, "instanceId");
    const bool detached = isComponentInstance(*projectId, instanceId) && m_store.detachInstance(*projectId, instanceId);
    return json(boost::json::object{{"status", detached}});
}

bool StandinServer::isComponentInstance(const std::string& projectId, const std::string& viewId) const
{
    if (viewId.empty() || m_store.detachedInstances(projectId).count(viewId)) return false;
    for (const auto& record : m_store.storedArtboards(projectId)) {
        const auto layer = StandinLayers::parsedJson(record);
        const std::string symbolID = layer ? instanceSymbol(*layer, viewId) : std::string();
        if (symbolID.empty()) continue;
        for (const auto& c : m_store.components(projectId)) {
            if (c.is_object() && str(c.get_object(), "symbolId") == symbolID) return true;
        }
        return false;
    }
    return false;
}
