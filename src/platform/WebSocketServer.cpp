#include "platform/WebSocketServer.h"

#include "platform/DebugLog.h"

#include <QMetaObject>
#include <QWebSocket>
#include <QWebSocketCorsAuthenticator>
#include <QWebSocketServer>

#include <algorithm>
#include <exception>

namespace platform {

WebSocketServer::WebSocketServer(const QHostAddress& host, quint16 port, QObject* parent)
    : WebSocketServer(host, port, Limits{}, parent)
{
}

WebSocketServer::WebSocketServer(const QHostAddress& host, quint16 port, const Limits& limits, QObject* parent)
    : QObject(parent)
    , m_host(host)
    , m_port(port)
    , m_limits(limits)
{
}

WebSocketServer::~WebSocketServer()
{
    // Nobody may hear of the teardown: the delegate is often destroyed alongside us.
    m_delegate = nullptr;
    for (const auto& socket : m_sockets) {
        if (!socket) continue;
        QObject::disconnect(socket, nullptr, this, nullptr);
        socket->abort();
        delete socket.data();
    }
    m_sockets.clear();
    if (m_server) {
        QObject::disconnect(m_server.get(), nullptr, this, nullptr);
        m_server->close();
    }
}

void WebSocketServer::setDelegate(WebSocketServerDelegate* delegate)
{
    m_delegate = delegate;
}

template <class Call>
void WebSocketServer::notify(Call&& call)
{
    if (!m_delegate) return;
    try {
        call(*m_delegate);
    } catch (const std::exception& e) {
        debugPrint(QStringLiteral("WebSocket delegate failed: ") + QString::fromUtf8(e.what()));
    } catch (...) {
        debugPrint(QStringLiteral("WebSocket delegate failed"));
    }
}

template <class Call>
void WebSocketServer::notifyLater(Call call)
{
    QMetaObject::invokeMethod(this, [this, call = std::move(call)] { notify(call); }, Qt::QueuedConnection);
}

bool WebSocketServer::isBrowserOrigin(const QString& origin)
{
    const QString text = origin.trimmed().toLower();
    if (text.isEmpty()) return false;
    if (text == QLatin1String("null")) return true;
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    if (colon <= 0) return false;
    const QStringView scheme = QStringView(text).left(colon);
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

void WebSocketServer::start()
{
    if (m_server && m_server->isListening()) {
        notifyLater([this](auto& d) { d.serverDidStart(this); });
        return;
    }
    m_stopping = false;
    m_server = std::make_unique<QWebSocketServer>(QStringLiteral("Quorvex"), QWebSocketServer::NonSecureMode);
    m_server->setMaxPendingConnections(std::max(1, m_limits.maxPendingConnections));
    // Both must be direct: the authenticator is read as soon as the signal returns, and limits
    // must be on a new socket before the event loop hands it any frame.
    connect(m_server.get(), &QWebSocketServer::originAuthenticationRequired, this,
            &WebSocketServer::onOriginAuthentication, Qt::DirectConnection);
    connect(m_server.get(), &QWebSocketServer::newConnection, this, &WebSocketServer::onNewConnection,
            Qt::DirectConnection);
    connect(m_server.get(), &QWebSocketServer::acceptError, this, [this](QAbstractSocket::SocketError) {
        const QString description = m_server ? m_server->errorString() : QString();
        notify([this, &description](auto& d) { d.serverDidFail(this, description); });
    });

    if (m_server->listen(m_host, m_port)) {
        notifyLater([this](auto& d) { d.serverDidStart(this); });
    } else {
        notifyLater([this, description = m_server->errorString()](auto& d) { d.serverDidFail(this, description); });
    }
}

void WebSocketServer::stop()
{
    if (!m_server) return;
    m_stopping = true;
    const auto sockets = m_sockets;
    for (const auto& socket : sockets) {
        if (socket) socket->close(QWebSocketProtocol::CloseCodeGoingAway);
    }
    m_server->close();
    notifyLater([this](auto& d) { d.serverDidStop(this); });
}

bool WebSocketServer::isListening() const
{
    return m_server && m_server->isListening();
}

quint16 WebSocketServer::serverPort() const
{
    return m_server ? m_server->serverPort() : m_port;
}

void WebSocketServer::onOriginAuthentication(QWebSocketCorsAuthenticator* authenticator)
{
    if (!authenticator) return;
    if (isBrowserOrigin(authenticator->origin())) {
        debugPrint(QStringLiteral("WebSocket handshake refused for origin: ") + authenticator->origin());
        authenticator->setAllowed(false);
    }
}

void WebSocketServer::onNewConnection()
{
    while (m_server && m_server->hasPendingConnections()) {
        QWebSocket* socket = m_server->nextPendingConnection();
        if (!socket) break;
        socket->setParent(this);
        socket->setMaxAllowedIncomingFrameSize(m_limits.maxFrameSize);
        socket->setMaxAllowedIncomingMessageSize(m_limits.maxMessageSize);

        // The handshake check above is the gate; this one keeps a socket out should a handshake
        // ever slip past it (the origin is also what the socket reports).
        if (isBrowserOrigin(socket->origin())) {
            debugPrint(QStringLiteral("WebSocket connection refused for origin: ") + socket->origin());
            socket->close(QWebSocketProtocol::CloseCodePolicyViolated, QStringLiteral("origin not allowed"));
            socket->deleteLater();
            continue;
        }
        if (m_stopping || openConnectionCount() >= m_limits.maxOpenConnections) {
            debugPrint(QStringLiteral("WebSocket connection refused: too many connections"));
            socket->close(QWebSocketProtocol::CloseCodePolicyViolated, QStringLiteral("too many connections"));
            socket->deleteLater();
            continue;
        }
        adopt(socket);
    }
}

void WebSocketServer::adopt(QWebSocket* socket)
{
    m_sockets.emplace_back(socket);
    connect(socket, &QWebSocket::textMessageReceived, this, [this, socket](const QString& text) {
        notify([this, socket, &text](auto& d) { d.webSocketDidReceiveMessage(this, socket, WebSocketMessage(text)); });
    });
    connect(socket, &QWebSocket::binaryMessageReceived, this, [this, socket](const QByteArray& data) {
        notify([this, socket, &data](auto& d) { d.webSocketDidReceiveMessage(this, socket, WebSocketMessage(data)); });
    });
    connect(socket, qOverload<QAbstractSocket::SocketError>(&QWebSocket::error), this, [this, socket](QAbstractSocket::SocketError) {
        const QString description = socket->errorString();
        notify([this, socket, &description](auto& d) { d.webSocketDidFail(this, socket, description); });
    });
    connect(socket, &QWebSocket::disconnected, this, [this, socket] {
        const int code = static_cast<int>(socket->closeCode());
        const QString reason = socket->closeReason();
        const bool wasClean = socket->closeCode() != QWebSocketProtocol::CloseCodeAbnormalDisconnection;
        forget(socket);
        notify([this, socket, code, &reason, wasClean](auto& d) { d.webSocketDidClose(this, socket, code, reason, wasClean); });
        socket->deleteLater();
    });
    notify([this, socket](auto& d) { d.webSocketDidOpen(this, socket); });
}

void WebSocketServer::forget(QWebSocket* socket)
{
    m_sockets.erase(std::remove_if(m_sockets.begin(), m_sockets.end(),
                                   [socket](const QPointer<QWebSocket>& s) { return !s || s.data() == socket; }),
                    m_sockets.end());
}

} // namespace platform
