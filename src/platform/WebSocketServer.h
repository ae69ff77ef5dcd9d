#pragma once

// A local WebSocket server that reports its events to one delegate, in the manner of the
// delegate-style servers the design-tool plug-ins were written against.
//
// Any web page the user visits can open ws://127.0.0.1:<port>, so the server refuses handshakes
// that carry a browser or browser-extension origin (or more than one Origin header), caps the
// size of frames and messages, and limits how many connections may wait or stay open. Whatever
// other clients do, a new one is served: a handshake that does not arrive in time and a
// connection that stays silent are closed, and when the caps are reached the connection that has
// waited or been silent longest makes room for the new one. Every delegate call is made on the thread that owns the
// server (the main thread), from inside Qt's event handling; the delegate must not throw, and a
// throwing delegate is logged and ignored rather than let the exception cross the event loop.

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>
#include <variant>
#include <vector>

class QTcpServer;
class QTcpSocket;
class QWebSocket;
class QWebSocketServer;
class QWebSocketCorsAuthenticator;

namespace platform {

class WebSocketServer;

// A received message: text frames arrive as QString, binary frames as QByteArray.
using WebSocketMessage = std::variant<QString, QByteArray>;

class WebSocketServerDelegate {
public:
    virtual ~WebSocketServerDelegate() = default;

    virtual void serverDidStart(WebSocketServer* server) = 0;
    virtual void serverDidStop(WebSocketServer* server) = 0;
    virtual void serverDidFail(WebSocketServer* server, const QString& errorDescription) = 0;
    virtual void webSocketDidOpen(WebSocketServer* server, QWebSocket* webSocket) = 0;
    virtual void webSocketDidReceiveMessage(WebSocketServer* server, QWebSocket* webSocket,
                                            const WebSocketMessage& message) = 0;
    virtual void webSocketDidFail(WebSocketServer* server, QWebSocket* webSocket, const QString& errorDescription) = 0;
    virtual void webSocketDidClose(WebSocketServer* server, QWebSocket* webSocket, int code, const QString& reason,
                                   bool wasClean) = 0;
};

class WebSocketServer : public QObject {
    Q_OBJECT
public:
    struct Limits {
        quint64 maxMessageSize = 64 * 1024;
        quint64 maxFrameSize = 64 * 1024;
        int maxPendingConnections = 8; // connections whose handshake has not completed
        int maxOpenConnections = 16;
        int maxHandshakeBytes = 16 * 1024;
        int handshakeTimeoutMs = 5000;
        int idleTimeoutMs = 120000; // an open connection that sends nothing for this long is closed
    };

    WebSocketServer(const QHostAddress& host, quint16 port, QObject* parent = nullptr);
    WebSocketServer(const QHostAddress& host, quint16 port, const Limits& limits, QObject* parent = nullptr);
    ~WebSocketServer() override;

    void setDelegate(WebSocketServerDelegate* delegate); // not owned; must outlive the server or be reset
    WebSocketServerDelegate* delegate() const { return m_delegate; }

    // Starts listening. serverDidStart or serverDidFail follows on a later event-loop turn.
    void start();
    // Closes every connection and stops listening; serverDidStop follows on a later turn.
    void stop();

    bool isListening() const;
    // The port actually listened on (useful when constructed with port 0).
    quint16 serverPort() const;
    int openConnectionCount() const { return static_cast<int>(m_sockets.size()); }
    int pendingConnectionCount() const { return static_cast<int>(m_handshaking.size()); }
    const Limits& limits() const { return m_limits; }

    // True for an origin a web browser or a browser extension sends: a web, file or extension
    // scheme, or the opaque origin "null" that browsers send for sandboxed frames and local
    // pages. Native clients send none.
    static bool isBrowserOrigin(const QString& origin);
    // True when the request head (up to the blank line) carries more than one Origin header.
    static bool hasSeveralOrigins(const QByteArray& requestHead);

private:
    void onOriginAuthentication(QWebSocketCorsAuthenticator* authenticator);
    void onNewConnection();
    void onTcpConnection();
    void readHandshake(QTcpSocket* socket);
    void dropHandshake(QTcpSocket* socket);
    void adopt(QWebSocket* socket);
    void touch(QWebSocket* socket);
    void forget(QWebSocket* socket);
    template <class Call>
    void notify(Call&& call);
    // The same on a later event-loop turn.
    template <class Call>
    void notifyLater(Call call);

    QHostAddress m_host;
    quint16 m_port;
    Limits m_limits;
    std::unique_ptr<QTcpServer> m_tcp;
    std::unique_ptr<QWebSocketServer> m_server;
    std::vector<QPointer<QTcpSocket>> m_handshaking; // oldest first; children of this object
    WebSocketServerDelegate* m_delegate = nullptr; // not owned
    std::vector<QPointer<QWebSocket>> m_sockets;   // children of this object, least recently heard first
    bool m_stopping = false;
};

} // namespace platform
