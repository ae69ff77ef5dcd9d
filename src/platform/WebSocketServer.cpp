#include "platform/WebSocketServer.h"

#include "platform/DebugLog.h"

#include <QMetaObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
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
    for (const auto& socket : m_handshaking) {
        if (!socket) continue;
        QObject::disconnect(socket, nullptr, this, nullptr);
        socket->abort();
        delete socket.data();
    }
    m_handshaking.clear();
    if (m_tcp) {
        QObject::disconnect(m_tcp.get(), nullptr, this, nullptr);
        m_tcp->close();
    }
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
    // Schemes of pages, local files and browser extensions; every extension scheme ends so.
    static const QLatin1String kBrowserSchemes[] = {
        QLatin1String("http"),  QLatin1String("https"),  QLatin1String("file"),        QLatin1String("ftp"),
        QLatin1String("data"),  QLatin1String("blob"),   QLatin1String("about"),       QLatin1String("javascript"),
        QLatin1String("chrome"), QLatin1String("chrome-untrusted"), QLatin1String("edge"), QLatin1String("opera"),
        QLatin1String("brave"), QLatin1String("resource"), QLatin1String("moz-extension"), QLatin1String("view-source"),
    };
    for (const QLatin1String& browser : kBrowserSchemes)
        if (scheme == browser) return true;
    return scheme.endsWith(QLatin1String("-extension"));
}

bool WebSocketServer::hasSeveralOrigins(const QByteArray& requestHead)
{
    int origins = 0;
    for (const QByteArray& line : requestHead.split('\n')) {
        const QByteArray name = line.left(line.indexOf(':')).trimmed().toLower();
        // Sec-WebSocket-Origin is what old drafts called it; either counts.
        if (line.contains(':') && (name == "origin" || name == "sec-websocket-origin")) ++origins;
    }
    return origins > 1;
}

void WebSocketServer::start()
{
    if (m_server && m_server->isListening()) {
        notifyLater([this](auto& d) { d.serverDidStart(this); });
        return;
    }
    m_stopping = false;
    // We listen ourselves and hand each connection over once its request head has arrived: that
    // lets us time out and cap connections that never send one, and see every Origin header.
    m_tcp = std::make_unique<QTcpServer>();
    m_tcp->setMaxPendingConnections(std::max(1, m_limits.maxPendingConnections));
    connect(m_tcp.get(), &QTcpServer::newConnection, this, &WebSocketServer::onTcpConnection);
    connect(m_tcp.get(), &QTcpServer::acceptError, this, [this](QAbstractSocket::SocketError) {
        const QString description = m_tcp ? m_tcp->errorString() : QString();
        notify([this, &description](auto& d) { d.serverDidFail(this, description); });
    });
    m_server = std::make_unique<QWebSocketServer>(QStringLiteral("Quorvex"), QWebSocketServer::NonSecureMode);
    m_server->setMaxPendingConnections(std::max(1, m_limits.maxPendingConnections));
    m_server->setHandshakeTimeout(m_limits.handshakeTimeoutMs);
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

    if (m_tcp->listen(m_host, m_port)) {
        notifyLater([this](auto& d) { d.serverDidStart(this); });
    } else {
        notifyLater([this, description = m_tcp->errorString()](auto& d) { d.serverDidFail(this, description); });
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
    const auto handshaking = m_handshaking;
    for (const auto& socket : handshaking) dropHandshake(socket);
    if (m_tcp) m_tcp->close();
    m_server->close();
    notifyLater([this](auto& d) { d.serverDidStop(this); });
}

bool WebSocketServer::isListening() const
{
    return m_tcp && m_tcp->isListening();
}

quint16 WebSocketServer::serverPort() const
{
    return m_tcp ? m_tcp->serverPort() : m_port;
}

void WebSocketServer::onTcpConnection()
{
    while (m_tcp && m_tcp->hasPendingConnections()) {
        QTcpSocket* socket = m_tcp->nextPendingConnection();
        if (!socket) break;
        socket->setParent(this);
        if (m_stopping) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        // The connection that has waited longest without a handshake makes room.
        std::erase_if(m_handshaking, [](const QPointer<QTcpSocket>& s) { return !s; });
        while (static_cast<int>(m_handshaking.size()) >= std::max(1, m_limits.maxPendingConnections)) {
            debugPrint(QStringLiteral("WebSocket connection dropped: too many handshakes waiting"));
            dropHandshake(m_handshaking.front());
        }
        m_handshaking.emplace_back(socket);
        auto* timer = new QTimer(socket);
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, this, [this, socket] {
            debugPrint(QStringLiteral("WebSocket connection dropped: no handshake in time"));
            dropHandshake(socket);
        });
        timer->start(m_limits.handshakeTimeoutMs);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readHandshake(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] { dropHandshake(socket); });
        if (socket->bytesAvailable() > 0) readHandshake(socket);
    }
}

void WebSocketServer::readHandshake(QTcpSocket* socket)
{
    const QByteArray head = socket->peek(m_limits.maxHandshakeBytes + 4);
    const qsizetype end = head.indexOf("\r\n\r\n");
    if (end < 0) {
        if (head.size() > m_limits.maxHandshakeBytes) {
            debugPrint(QStringLiteral("WebSocket connection dropped: handshake too large"));
            dropHandshake(socket);
        }
        return;
    }
    std::erase(m_handshaking, QPointer<QTcpSocket>(socket));
    QObject::disconnect(socket, nullptr, this, nullptr);
    for (QTimer* timer : socket->findChildren<QTimer*>(Qt::FindDirectChildrenOnly)) delete timer;
    if (hasSeveralOrigins(head.left(end))) {
        debugPrint(QStringLiteral("WebSocket handshake refused: more than one Origin header"));
        socket->write("HTTP/1.1 403 Forbidden\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        socket->disconnectFromHost();
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        return;
    }
    // The WebSocket server reads the head itself and takes the socket over.
    m_server->handleConnection(socket);
}

void WebSocketServer::dropHandshake(QTcpSocket* socket)
{
    if (!socket) return;
    std::erase(m_handshaking, QPointer<QTcpSocket>(socket));
    QObject::disconnect(socket, nullptr, this, nullptr);
    socket->abort();
    socket->deleteLater();
}

void WebSocketServer::touch(QWebSocket* socket)
{
    // Least recently heard first: the front is what makes room when the cap is reached.
    const auto it = std::find(m_sockets.begin(), m_sockets.end(), QPointer<QWebSocket>(socket));
    if (it != m_sockets.end()) std::rotate(it, it + 1, m_sockets.end());
    if (auto* idle = socket->findChild<QTimer*>(QStringLiteral("idle"), Qt::FindDirectChildrenOnly)) idle->start();
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
        if (m_stopping) {
            socket->close(QWebSocketProtocol::CloseCodeGoingAway);
            socket->deleteLater();
            continue;
        }
        std::erase_if(m_sockets, [](const QPointer<QWebSocket>& s) { return !s; });
        if (openConnectionCount() >= std::max(1, m_limits.maxOpenConnections)) {
            debugPrint(QStringLiteral("WebSocket connection closed to make room: too many connections"));
            const QPointer<QWebSocket> quietest = m_sockets.front();
            forget(quietest);
            quietest->close(QWebSocketProtocol::CloseCodePolicyViolated, QStringLiteral("too many connections"));
        }
        adopt(socket);
    }
}

void WebSocketServer::adopt(QWebSocket* socket)
{
    m_sockets.emplace_back(socket);
    auto* idle = new QTimer(socket);
    idle->setObjectName(QStringLiteral("idle"));
    idle->setSingleShot(true);
    idle->setInterval(m_limits.idleTimeoutMs);
    connect(idle, &QTimer::timeout, socket, [socket] {
        debugPrint(QStringLiteral("WebSocket connection closed: idle"));
        socket->close(QWebSocketProtocol::CloseCodeGoingAway, QStringLiteral("idle"));
    });
    idle->start();
    connect(socket, &QWebSocket::textMessageReceived, this, [this, socket](const QString& text) {
        touch(socket);
        notify([this, socket, &text](auto& d) { d.webSocketDidReceiveMessage(this, socket, WebSocketMessage(text)); });
    });
    connect(socket, &QWebSocket::binaryMessageReceived, this, [this, socket](const QByteArray& data) {
        touch(socket);
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
