#include "platform/MainQueue.h"
#include "platform/WebSocketServer.h"

#include <gtest/gtest.h>

#include <QHostAddress>
#include <QWebSocket>

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

TEST_F(WebSocketServerTest, ConnectionsBeyondTheCapAreClosed)
{
    WebSocketServer::Limits limits;
    limits.maxOpenConnections = 2;
    startServer(limits);
    Client first, second, third;
    ASSERT_TRUE(first.open(server->serverPort()) && second.open(server->serverPort()));
    third.open(server->serverPort());
    ASSERT_TRUE(platform::runMainLoopUntil([&] { return third.disconnected; }, kWaitMs));
    EXPECT_EQ(third.socket.closeCode(), QWebSocketProtocol::CloseCodePolicyViolated);
    EXPECT_EQ(server->openConnectionCount(), 2);
    EXPECT_EQ(delegate.events, (Events{"open", "open"}));
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
