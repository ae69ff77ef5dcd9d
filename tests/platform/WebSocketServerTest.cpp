#include "platform/MainQueue.h"
#include "platform/WebSocketServer.h"

#include <gtest/gtest.h>

#include <QHostAddress>
#include <QTcpSocket>
#include <QWebSocket>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using platform::WebSocketServer;
using Events = std::vector<std::string>;

namespace {

// Safety net for waits on the local machine; no assertion depends on how long anything takes.
constexpr int kWaitMs = 10000;

class RecordingDelegate : public platform::WebSocketServerDelegate {
public:
    Events events;

    void serverDidStart(WebSocketServer*) override { events.push_back("start"); }
    void serverDidStop(WebSocketServer*) override { events.push_back("stop"); }
    void serverDidFail(WebSocketServer*, const QString&) override { events.push_back("fail"); }
    void webSocketDidOpen(WebSocketServer*, QWebSocket*) override { events.push_back("open"); }
    void webSocketDidReceiveMessage(WebSocketServer*, QWebSocket*, const platform::WebSocketMessage& message) override
    {
        if (const auto* text = std::get_if<QString>(&message))
            events.push_back("text:" + text->toStdString());
        else
            events.push_back("binary:" + std::to_string(std::get<QByteArray>(message).size()));
    }
    void webSocketDidFail(WebSocketServer*, QWebSocket*, const QString&) override { events.push_back("socket-fail"); }
    void webSocketDidClose(WebSocketServer*, QWebSocket*, int code, const QString&, bool) override
    {
        events.push_back("close:" + std::to_string(code));
    }
    bool has(const std::string& event) const { return std::find(events.begin(), events.end(), event) != events.end(); }
};

struct Client {
    explicit Client(const QString& origin = {}) : socket(origin)
    {
        QObject::connect(&socket, &QWebSocket::disconnected, [this] { disconnected = true; });
    }
    // True once connected; false when the handshake was refused or the connection dropped.
    bool open(quint16 port)
    {
        socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1").arg(port)));
        platform::runMainLoopUntil([this] { return socket.state() == QAbstractSocket::ConnectedState || disconnected; },
                                   kWaitMs);
        return socket.state() == QAbstractSocket::ConnectedState;
    }
    QWebSocket socket;
    bool disconnected = false;
};

class WebSocketServerTest : public ::testing::Test {
protected:
    void startServer(const WebSocketServer::Limits& limits = {})
    {
        server = std::make_unique<WebSocketServer>(QHostAddress::LocalHost, 0, limits);
        delegate.events.clear();
        server->setDelegate(&delegate);
        server->start();
        ASSERT_TRUE(waitFor(delegate, "start"));
        ASSERT_EQ(delegate.events, Events{"start"});
        delegate.events.clear();
    }
    static bool waitFor(const RecordingDelegate& d, const std::string& event)
    {
        return platform::runMainLoopUntil([&] { return d.has(event); }, kWaitMs);
    }

    RecordingDelegate delegate;
    std::unique_ptr<WebSocketServer> server;
};

} // namespace

TEST_F(WebSocketServerTest, MessageOverTheLimitClosesTheConnectionUndelivered)
{
    // Whole frames test the frame limit; small frames test that the pieces add up.
    for (const quint64 outgoingFrameSize : {512u * 1024u, 1024u}) {
        SCOPED_TRACE(outgoingFrameSize);
        startServer();
        Client client;
        client.socket.setOutgoingFrameSize(outgoingFrameSize);
        ASSERT_TRUE(client.open(server->serverPort()));
        const auto limit = static_cast<qsizetype>(server->limits().maxMessageSize);
        client.socket.sendTextMessage(QString(limit, QLatin1Char('a')));
        client.socket.sendTextMessage(QString(limit + 1, QLatin1Char('b')));
        ASSERT_TRUE(waitFor(delegate, "close:1009"));
        EXPECT_EQ(delegate.events, (Events{"open", "text:" + std::string(std::size_t(limit), 'a'), "close:1009"}));
    }
}

// Fifteen connections that opened and stayed silent blocked the channel for good: silent ones
// are closed in time, and at the caps the one silent longest makes room for the newcomer.
TEST_F(WebSocketServerTest, SilentConnectionsNeitherBlockTheServerNorStay)
{
    WebSocketServer::Limits limits;
    limits.maxOpenConnections = 2;
    limits.maxPendingConnections = 4;
    limits.handshakeTimeoutMs = 400;
    limits.idleTimeoutMs = 400;
    startServer(limits);
    std::vector<std::unique_ptr<QTcpSocket>> silent;
    for (int i = 0; i < 15; ++i) {
        silent.push_back(std::make_unique<QTcpSocket>());
        silent.back()->connectToHost(QHostAddress::LocalHost, server->serverPort());
    }
    Client first, second;
    ASSERT_TRUE(first.open(server->serverPort()) && second.open(server->serverPort()));
    second.socket.sendTextMessage(QStringLiteral("heard"));
    ASSERT_TRUE(waitFor(delegate, "text:heard"));
    // Both open connections are taken; the newcomer is served and the quietest one goes.
    Client third;
    ASSERT_TRUE(third.open(server->serverPort()));
    third.socket.sendTextMessage(QStringLiteral("served"));
    ASSERT_TRUE(waitFor(delegate, "text:served"));
    ASSERT_TRUE(platform::runMainLoopUntil([&] { return first.disconnected; }, kWaitMs));
    EXPECT_EQ(first.socket.closeCode(), QWebSocketProtocol::CloseCodePolicyViolated);
    EXPECT_FALSE(second.disconnected);
    // Silence ends every connection in the end, opened or not.
    EXPECT_TRUE(platform::runMainLoopUntil(
        [&] { return server->openConnectionCount() == 0 && server->pendingConnectionCount() == 0; }, kWaitMs));
    EXPECT_TRUE(platform::runMainLoopUntil(
        [&] {
            return std::all_of(silent.begin(), silent.end(),
                               [](const auto& s) { return s->state() == QAbstractSocket::UnconnectedState; });
        },
        kWaitMs));
}

// Handshakes from file:// and extension pages, or with two Origin headers, were accepted.
TEST_F(WebSocketServerTest, HandshakesFromBrowserPagesExtensionsOrWithTwoOriginsAreRefused)
{
    startServer();
    for (const char* origin : {"file://", "chrome-extension://abcdef", "moz-extension://1234", "safari-web-extension://x",
                               "https://evil.example", "http://evil.example", "null", "FILE:///tmp/page.html"}) {
        SCOPED_TRACE(origin);
        EXPECT_TRUE(WebSocketServer::isBrowserOrigin(QString::fromLatin1(origin)));
        Client page{QString::fromLatin1(origin)};
        EXPECT_FALSE(page.open(server->serverPort()));
    }
    QTcpSocket raw;
    raw.connectToHost(QHostAddress::LocalHost, server->serverPort());
    ASSERT_TRUE(raw.waitForConnected(kWaitMs));
    raw.write("GET / HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
              "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n"
              "Origin: uxp://plugin\r\nOrigin: https://evil.example\r\n\r\n");
    QByteArray answer;
    platform::runMainLoopUntil(
        [&] {
            answer += raw.readAll();
            return raw.state() == QAbstractSocket::UnconnectedState;
        },
        kWaitMs);
    EXPECT_TRUE(answer.startsWith("HTTP/1.1 403")) << answer.toStdString();
    EXPECT_TRUE(delegate.events.empty());
    // A native client (no origin) is still served.
    Client plugin;
    EXPECT_TRUE(plugin.open(server->serverPort()));
}

TEST_F(WebSocketServerTest, EventsArriveInOrderAndAThrowingDelegateDoesNotStopTheServer)
{
    struct Throwing : RecordingDelegate {
        void webSocketDidReceiveMessage(WebSocketServer* s, QWebSocket* w, const platform::WebSocketMessage& m) override
        {
            RecordingDelegate::webSocketDidReceiveMessage(s, w, m);
            throw std::runtime_error("delegate bug");
        }
    } throwing;
    startServer();
    server->setDelegate(&throwing);
    Client client;
    ASSERT_TRUE(client.open(server->serverPort()));
    client.socket.sendTextMessage(QStringLiteral("one"));
    client.socket.sendBinaryMessage(QByteArray("abc"));
    client.socket.sendTextMessage(QStringLiteral("two"));
    ASSERT_TRUE(waitFor(throwing, "text:two"));
    client.socket.close(QWebSocketProtocol::CloseCodeNormal);
    ASSERT_TRUE(waitFor(throwing, "close:1000"));
    EXPECT_EQ(throwing.events, (Events{"open", "text:one", "binary:3", "text:two", "close:1000"}));
    EXPECT_EQ(server->openConnectionCount(), 0);
    server->setDelegate(nullptr);
}
