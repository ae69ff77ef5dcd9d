#include "platform/HttpSession.h"

#include "platform/MainQueue.h"

#include "LocalHttpServer.h"

#include <gtest/gtest.h>

#include <QTimer>

#include <optional>
#include <string>
#include <vector>

using platform::HttpResult;
using platform::HttpSession;
using platform::runMainLoopUntil;

namespace {

class HttpSessionTest : public ::testing::Test {
protected:
    void TearDown() override { HttpSession::shared().setTimeouts(150000, 600000); }

    static std::optional<HttpResult> post(const QUrl& url, const QByteArray& body = "{}", const platform::HttpHeaders& headers = {})
    {
        // Shared, so a completion arriving after the wait gave up writes into live memory.
        auto result = std::make_shared<std::optional<HttpResult>>();
        HttpSession::shared().postJson(url, body, headers, [result](const HttpResult& r) { *result = r; });
        runMainLoopUntil([&] { return result->has_value(); }, 20000);
        return *result;
    }

    static std::optional<HttpResult> get(const QUrl& url, qint64 maxBytes)
    {
        auto result = std::make_shared<std::optional<HttpResult>>();
        HttpSession::shared().get(url, maxBytes, [result](const HttpResult& r) { *result = r; });
        runMainLoopUntil([&] { return result->has_value(); }, 20000);
        return *result;
    }
};

} // namespace

TEST_F(HttpSessionTest, PostSendsJsonWithTheGivenHeaders)
{
    LocalHttpServer server;
    server.on("/user/login", [](const LocalHttpServer::Request&, QTcpSocket* s) {
        LocalHttpServer::respond(s, 200, "{\"ok\":true}", "Content-Type: application/json\r\n");
    });
    const auto r = post(server.url(QStringLiteral("/user/login")), "{\"email\":\"a@b.c\"}",
                        {{"Authorization", "token-1"}, {"appVersion", "1.0.0"}});
    ASSERT_TRUE(r);
    EXPECT_FALSE(r->transportError) << r->errorString.toStdString();
    EXPECT_EQ(r->statusCode, 200);
    EXPECT_EQ(r->body, QByteArray("{\"ok\":true}"));
    ASSERT_EQ(server.requests().size(), 1u);
    const auto& req = server.requests()[0];
    EXPECT_EQ(req.method, QByteArray("POST"));
    EXPECT_EQ(req.body, QByteArray("{\"email\":\"a@b.c\"}"));
    EXPECT_EQ(req.header("Content-Type"), QByteArray("application/json"));
    EXPECT_EQ(req.header("Authorization"), QByteArray("token-1"));
    EXPECT_EQ(req.header("appVersion"), QByteArray("1.0.0"));
}

TEST_F(HttpSessionTest, ErrorStatusesAreRepliesNotTransportErrors)
{
    LocalHttpServer server;
    for (int status : {400, 401, 403, 404, 500, 503}) {
        server.on("/s" + QByteArray::number(status), [status](const LocalHttpServer::Request&, QTcpSocket* s) {
            LocalHttpServer::respond(s, status, "{\"errorModel\":{\"errorId\":" + QByteArray::number(status) + "}}");
        });
    }
    for (int status : {400, 401, 403, 404, 500, 503}) {
        const auto r = post(server.url(QStringLiteral("/s%1").arg(status)));
        ASSERT_TRUE(r) << status;
        EXPECT_FALSE(r->transportError) << status;
        EXPECT_EQ(r->statusCode, status);
        EXPECT_EQ(r->body, "{\"errorModel\":{\"errorId\":" + QByteArray::number(status) + "}}");
    }
}

TEST_F(HttpSessionTest, CompletionsAreNeverDeliveredInsideTheCall)
{
    LocalHttpServer server;
    server.on("/ok", [](const LocalHttpServer::Request&, QTcpSocket* s) { LocalHttpServer::respond(s, 200, "x"); });
    quint16 closedPort;
    {
        LocalHttpServer gone;
        closedPort = gone.port();
    }
    const std::vector<QUrl> urls{server.url(QStringLiteral("/ok")),
                                 QUrl(QStringLiteral("http://127.0.0.1:%1/x").arg(closedPort)),
                                 QUrl(QStringLiteral("notascheme://host/x")), QUrl()};
    for (const auto& url : urls) {
        std::vector<std::string> events;
        HttpSession::shared().postJson(url, "{}", {}, [&](const HttpResult&) { events.push_back("completion"); });
        events.push_back("returned");
        ASSERT_TRUE(runMainLoopUntil([&] { return events.size() == 2; }, 20000)) << url.toString().toStdString();
        EXPECT_EQ(events, (std::vector<std::string>{"returned", "completion"})) << url.toString().toStdString();
        runMainLoopUntil([] { return false; }, 10);
        EXPECT_EQ(events.size(), 2u) << "completion delivered twice for " << url.toString().toStdString();
    }
}

TEST_F(HttpSessionTest, RefusedConnectionIsATransportError)
{
    quint16 closedPort;
    {
        LocalHttpServer gone;
        closedPort = gone.port();
    }
    const auto r = post(QUrl(QStringLiteral("http://127.0.0.1:%1/x").arg(closedPort)));
    ASSERT_TRUE(r);
    EXPECT_TRUE(r->transportError);
    EXPECT_EQ(r->statusCode, 0);
    EXPECT_FALSE(r->errorString.isEmpty());
}

TEST_F(HttpSessionTest, RedirectsAreFollowedOnlyWithinTheSameOrigin)
{
    LocalHttpServer server;
    LocalHttpServer other;
    other.on("/final", [](const LocalHttpServer::Request&, QTcpSocket* s) { LocalHttpServer::respond(s, 200, "elsewhere"); });
    server.on("/final", [](const LocalHttpServer::Request&, QTcpSocket* s) { LocalHttpServer::respond(s, 200, "here"); });
    server.on("/relative", [](const LocalHttpServer::Request&, QTcpSocket* s) {
        LocalHttpServer::respond(s, 302, {}, "Location: /final\r\n");
    });
    const QByteArray absolute = server.url(QStringLiteral("/final")).toEncoded();
    server.on("/absolute", [absolute](const LocalHttpServer::Request&, QTcpSocket* s) {
        LocalHttpServer::respond(s, 307, {}, "Location: " + absolute + "\r\n");
    });
    const QByteArray otherPort = other.url(QStringLiteral("/final")).toEncoded();
    server.on("/other-port", [otherPort](const LocalHttpServer::Request&, QTcpSocket* s) {
        LocalHttpServer::respond(s, 302, {}, "Location: " + otherPort + "\r\n");
    });
    const QByteArray otherHost = "http://localhost:" + QByteArray::number(server.port()) + "/final";
    server.on("/other-host", [otherHost](const LocalHttpServer::Request&, QTcpSocket* s) {
        LocalHttpServer::respond(s, 302, {}, "Location: " + otherHost + "\r\n");
    });
    server.on("/other-scheme", [&server](const LocalHttpServer::Request&, QTcpSocket* s) {
        LocalHttpServer::respond(s, 302, {}, "Location: https://127.0.0.1:" + QByteArray::number(server.port()) + "/final\r\n");
    });

    struct Case {
        const char* path;
        bool followed;
    } cases[] = {{"/relative", true}, {"/absolute", true}, {"/other-port", false}, {"/other-host", false}, {"/other-scheme", false}};
    for (const auto& c : cases) {
        const auto r = get(server.url(QString::fromLatin1(c.path)), 0);
        ASSERT_TRUE(r) << c.path;
        if (c.followed) {
            EXPECT_FALSE(r->transportError) << c.path << " " << r->errorString.toStdString();
            EXPECT_EQ(r->statusCode, 200) << c.path;
            EXPECT_EQ(r->body, QByteArray("here")) << c.path;
        } else {
            EXPECT_TRUE(r->transportError) << c.path;
            EXPECT_TRUE(r->body.isEmpty()) << c.path;
        }
    }
    EXPECT_TRUE(other.requests().empty()) << "a cross-origin redirect reached the other server";
}

TEST_F(HttpSessionTest, DownloadsBeyondTheLimitFail)
{
    LocalHttpServer server;
    const QByteArray big(64 * 1024, 'x');
    server.on("/declared", [big](const LocalHttpServer::Request&, QTcpSocket* s) { LocalHttpServer::respond(s, 200, big); });
    // No Content-Length: the size only shows while the body arrives.
    server.on("/undeclared", [big](const LocalHttpServer::Request&, QTcpSocket* s) {
        s->write("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + big);
        s->disconnectFromHost();
    });
    struct Case {
        const char* path;
        qint64 maxBytes;
        bool fails;
    } cases[] = {{"/declared", 1024, true},    {"/undeclared", 1024, true}, {"/declared", big.size(), false},
                 {"/undeclared", big.size(), false}, {"/declared", 0, false}};
    for (const auto& c : cases) {
        const auto r = get(server.url(QString::fromLatin1(c.path)), c.maxBytes);
        ASSERT_TRUE(r) << c.path << " " << c.maxBytes;
        EXPECT_EQ(r->transportError, c.fails) << c.path << " " << c.maxBytes;
        if (c.fails) {
            EXPECT_TRUE(r->body.isEmpty());
        } else {
            EXPECT_EQ(r->body, big) << c.path << " " << c.maxBytes;
        }
    }
    EXPECT_TRUE(runMainLoopUntil([&] { return server.openConnections() == 0; }, 5000)) << "an aborted download kept its connection";
}

TEST_F(HttpSessionTest, StalledTransferTimesOutAndClosesItsConnection)
{
    LocalHttpServer server;
    server.on("/stall", [](const LocalHttpServer::Request&, QTcpSocket* s) {
        s->write("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\npartial");
    });
    HttpSession::shared().setTimeouts(200, 60000);
    const auto r = post(server.url(QStringLiteral("/stall")));
    ASSERT_TRUE(r);
    EXPECT_TRUE(r->transportError) << "an incomplete body was reported as a reply";
    EXPECT_TRUE(r->body.isEmpty());
    EXPECT_TRUE(runMainLoopUntil([&] { return server.openConnections() == 0; }, 5000)) << "the timed-out connection stayed open";
}

TEST_F(HttpSessionTest, TricklingTransferHitsTheOverallTimeoutAndClosesItsConnection)
{
    LocalHttpServer server;
    server.on("/trickle", [](const LocalHttpServer::Request&, QTcpSocket* s) {
        s->write("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n");
        auto* timer = new QTimer(s);
        QObject::connect(timer, &QTimer::timeout, s, [s] { s->write("x"); });
        timer->start(20);
    });
    HttpSession::shared().setTimeouts(5000, 300);
    const auto r = post(server.url(QStringLiteral("/trickle")));
    ASSERT_TRUE(r);
    EXPECT_TRUE(r->transportError);
    EXPECT_TRUE(r->errorString.contains(QStringLiteral("timed out")));
    EXPECT_TRUE(runMainLoopUntil([&] { return server.openConnections() == 0; }, 5000)) << "the aborted connection stayed open";
}
