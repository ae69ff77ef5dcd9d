#include "PluginChannelClient.h"

#include "platform/MainQueue.h"

#include <QAbstractSocket>
#include <QUrl>
#include <QWebSocketProtocol>

#include <memory>

PluginChannelClient::PluginChannelClient()
    : m_socket(QString(), QWebSocketProtocol::VersionLatest)
{
}

PluginChannelClient::~PluginChannelClient()
{
    if (m_socket.state() == QAbstractSocket::ConnectedState) m_socket.close(QWebSocketProtocol::CloseCodeNormal);
}

bool PluginChannelClient::connectTo(quint16 port, int timeoutMs, QString* error)
{
    struct State {
        bool connected = false;
        bool failed = false;
    };
    auto state = std::make_shared<State>();
    const auto connected = QObject::connect(&m_socket, &QWebSocket::connected, [state] { state->connected = true; });
    const auto failed = QObject::connect(&m_socket, qOverload<QAbstractSocket::SocketError>(&QWebSocket::error),
                                         [state](QAbstractSocket::SocketError) { state->failed = true; });
    // A refused handshake ends in a disconnect without an error on some Qt versions.
    const auto closed = QObject::connect(&m_socket, &QWebSocket::disconnected, [state] { state->failed = true; });

    QUrl url;
    url.setScheme(QStringLiteral("ws"));
    url.setHost(QStringLiteral("127.0.0.1"));
    url.setPort(port);
    m_socket.open(url);
    platform::runMainLoopUntil([state] { return state->connected || state->failed; }, timeoutMs);

    QObject::disconnect(connected);
    QObject::disconnect(failed);
    QObject::disconnect(closed);
    if (state->connected && m_socket.state() == QAbstractSocket::ConnectedState) return true;
    if (error) {
        *error = state->failed ? m_socket.errorString()
                               : QStringLiteral("no answer from port ") + QString::number(port);
    }
    m_socket.abort();
    return false;
}

bool PluginChannelClient::send(const QString& text, QString* error)
{
    if (m_socket.state() != QAbstractSocket::ConnectedState) {
        if (error) *error = QStringLiteral("not connected");
        return false;
    }
    if (m_socket.sendTextMessage(text) <= 0 && !text.isEmpty()) {
        if (error) *error = m_socket.errorString();
        return false;
    }
    m_socket.flush();
    return true;
}
