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

    // Shared, so a completion arriving after the wait gave up writes into live memory.
    using Result = std::shared_ptr<std::optional<HttpResult>>;
    static std::optional<HttpResult> wait(const Result& result)
    {
        runMainLoopUntil([&] { return result->has_value(); }, 20000);
        return *result;
    }
    static std::optional<HttpResult> post(const QUrl& url, const platform::HttpHeaders& headers = {},
                                          qint64 maxReplyBytes = HttpSession::kMaxReplyBytes)
    {
        auto result = std::make_shared<std::optional<HttpResult>>();
        HttpSession::shared().postJson(url, "{}", headers, [result](const HttpResult& r) { *result = r; }, maxReplyBytes);
        return wait(result);
    }
    static std::optional<HttpResult> get(const QUrl& url, qint64 maxBytes)
    {
        auto result = std::make_shared<std::optional<HttpResult>>();
        HttpSession::shared().get(url, maxBytes, [result](const HttpResult& r) { *result = r; });
        return wait(result);
    }
};

} // namespace

TEST_F(HttpSessionTest, RedirectsAreFollowedOnlyWithinTheSameOrigin)
{
    LocalHttpServer server;
    LocalHttpServer other;
    other.reply("/final", 200, "elsewhere");
    server.reply("/final", 200, "here");
    const QByteArray port = QByteArray::number(server.port());
    const std::pair<const char*, QByteArray> redirects[] = {
        {"/relative", "/final"},
        {"/absolute", server.url(QStringLiteral("/final")).toEncoded()},
        {"/other-port", other.url(QStringLiteral("/final")).toEncoded()},
        {"/other-host", "http://localhost:" + port + "/final"},
        {"/other-scheme", "https://127.0.0.1:" + port + "/final"},
    };
    for (const auto& [path, location] : redirects)
        server.reply(path, path == std::string_view("/absolute") ? 307 : 302, {}, "Location: " + location + "\r\n");

    const std::pair<const char*, bool> cases[] = {
        {"/relative", true}, {"/absolute", true}, {"/other-port", false}, {"/other-host", false}, {"/other-scheme", false}};
    for (const auto& [path, followed] : cases) {
        SCOPED_TRACE(path);
        const auto r = get(server.url(QString::fromLatin1(path)), 0);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->transportError, !followed) << r->errorString.toStdString();
        EXPECT_EQ(r->statusCode, followed ? 200 : 0);
        EXPECT_EQ(r->body, followed ? QByteArray("here") : QByteArray());
    }
    EXPECT_TRUE(other.requests().empty()) << "a cross-origin redirect reached the other server";
}

TEST_F(HttpSessionTest, DownloadsBeyondTheLimitFail)
{
    LocalHttpServer server;
    const QByteArray big(64 * 1024, 'x');
    server.reply("/declared", 200, big);
    // No Content-Length: the size only shows while the body arrives.
    server.on("/undeclared", [big](const LocalHttpServer::Request&, QTcpSocket* s) {
        s->write("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + big);
        s->disconnectFromHost();
    });
    const std::tuple<const char*, qint64, bool> cases[] = {{"/declared", 1024, true},         {"/undeclared", 1024, true},
                                                           {"/declared", big.size(), false}, {"/undeclared", big.size(), false},
                                                           {"/declared", 0, false}};
    for (const auto& [path, maxBytes, fails] : cases) {
        SCOPED_TRACE(std::string(path) + " " + std::to_string(maxBytes));
        const auto r = get(server.url(QString::fromLatin1(path)), maxBytes);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->transportError, fails);
        EXPECT_EQ(r->body, fails ? QByteArray() : big);
    }
    EXPECT_TRUE(runMainLoopUntil([&] { return server.openConnections() == 0; }, 5000)) << "an aborted download kept its connection";
}

TEST_F(HttpSessionTest, StalledOrTricklingTransfersTimeOutAndCloseTheirConnections)
{
    LocalHttpServer server;
    server.on("/stall", [](const LocalHttpServer::Request&, QTcpSocket* s) {
        s->write("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\npartial");
    });
    server.on("/trickle", [](const LocalHttpServer::Request&, QTcpSocket* s) {
        s->write("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n");
        auto* timer = new QTimer(s);
        QObject::connect(timer, &QTimer::timeout, s, [s] { s->write("x"); });
        timer->start(20);
    });
    // the transfer time-out catches a stall, the overall one a body that never ends
    const std::tuple<const char*, int, int> cases[] = {{"/stall", 200, 60000}, {"/trickle", 5000, 300}};
    for (const auto& [path, transferMs, overallMs] : cases) {
        SCOPED_TRACE(path);
        HttpSession::shared().setTimeouts(transferMs, overallMs);
        const auto r = post(server.url(QString::fromLatin1(path)));
        ASSERT_TRUE(r);
        EXPECT_TRUE(r->transportError) << "an incomplete body was reported as a reply";
        EXPECT_TRUE(r->body.isEmpty());
        EXPECT_TRUE(runMainLoopUntil([&] { return server.openConnections() == 0; }, 5000)) << "the aborted connection stayed open";
        if (overallMs < transferMs) {
            EXPECT_TRUE(r->errorString.contains(QStringLiteral("timed out"))) << r->errorString.toStdString();
        }
    }
}

TEST_F(HttpSessionTest, ShutdownEndsTransfersInFlightSilentlyAndLeavesTheSessionUsable)
{
    LocalHttpServer server;
    server.on("/stall", [](const LocalHttpServer::Request&, QTcpSocket* s) {
        s->write("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\npartial");
    });
    server.reply("/ok", 200, "fine");
    bool called = false;
    HttpSession::shared().postJson(server.url(QStringLiteral("/stall")), "{}", {}, [&](const HttpResult&) { called = true; });
    ASSERT_TRUE(runMainLoopUntil([&] { return server.openConnections() == 1; }, 5000));

    HttpSession::shared().shutdown();
    EXPECT_TRUE(runMainLoopUntil([&] { return server.openConnections() == 0; }, 5000)) << "the transfer was not ended";
    runMainLoopUntil([] { return false; }, 50);
    EXPECT_FALSE(called) << "a completion ran while the application was going away";

    const auto r = post(server.url(QStringLiteral("/ok")));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->body, QByteArray("fine"));
}

// A reply body that never ended was buffered until the process aborted: every POST reply is
// capped, and beyond the cap the call fails as a transport failure.
TEST_F(HttpSessionTest, ReplyBodiesBeyondTheCapOrWithoutEndFailInsteadOfFillingMemory)
{
    LocalHttpServer server;
    constexpr qint64 kCap = 256 * 1024;
    server.reply("/declared", 200, QByteArray(kCap + 1, 'x'));
    server.reply("/within", 200, QByteArray(kCap, 'x'));
    server.on("/endless", [](const LocalHttpServer::Request&, QTcpSocket* s) {
        s->write("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n");
        auto* timer = new QTimer(s);
        QObject::connect(timer, &QTimer::timeout, s, [s] { s->write(QByteArray(64 * 1024, 'y')); });
        timer->start(1);
    });
    const std::tuple<const char*, bool> cases[] = {{"/declared", true}, {"/endless", true}, {"/within", false}};
    for (const auto& [path, fails] : cases) {
        SCOPED_TRACE(path);
        const auto r = post(server.url(QString::fromLatin1(path)), {}, kCap);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->transportError, fails);
        if (fails) EXPECT_TRUE(r->errorString.contains(QStringLiteral("larger than"))) << r->errorString.toStdString();
        else EXPECT_EQ(r->body.size(), kCap);
    }
    EXPECT_TRUE(runMainLoopUntil([&] { return server.openConnections() == 0; }, 5000));
}

// The service headers carry the session's token: a redirect to another origin, even another port
// of this machine, must not take them there.
TEST_F(HttpSessionTest, ServiceHeadersNeverFollowARedirectToAnotherOrigin)
{
    LocalHttpServer server;
    LocalHttpServer other;
    other.reply("/take", 200, "{}");
    server.reply("/take", 200, "{}");
    server.reply("/away", 307, {}, "Location: " + other.url(QStringLiteral("/take")).toEncoded() + "\r\n");
    server.reply("/here", 307, {}, "Location: /take\r\n");
    const platform::HttpHeaders headers = {{"Authorization", "secret-token"}, {"appVersion", "1.0"}};
    for (const char* path : {"/away", "/here"}) {
        SCOPED_TRACE(path);
        const auto r = post(server.url(QString::fromLatin1(path)), headers);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->transportError, std::string_view(path) == "/away");
    }
    EXPECT_TRUE(other.requests().empty()) << "the token reached another origin";
    ASSERT_EQ(server.requests().size(), 3u);
    EXPECT_TRUE(server.requests().back().head.contains("Authorization: secret-token")) << "same origin keeps the headers";
}
