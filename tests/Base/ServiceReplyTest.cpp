#include "Base/ServiceEndPoint.h"
#include "Base/ServiceReply.h"
#include "platform/HttpSession.h"

#include <gtest/gtest.h>

namespace {

// The URL of `path` below `base`; the base URL is put back afterwards.
QUrl endPointUrl(const char* base, ServiceEndPoint endPoint)
{
    const QUrl previous = ServiceEndPoint::baseUrl();
    ServiceEndPoint::setBaseUrl(QUrl(QString::fromLatin1(base)));
    const QUrl url = endPoint.url();
    ServiceEndPoint::setBaseUrl(previous);
    return url;
}

} // namespace

TEST(ServiceReply, ClassifiesEveryKindOfAnswer)
{
    using Kind = ServiceReply::Kind;
    struct Case {
        int status;
        const char* body;
        Kind kind;
        std::int64_t errorId;
    };
    const Case cases[] = {
        {200, R"({"status":true})", Kind::success, 0},
        {200, R"({"errorModel":{"errorId":0,"errorMsg":"ignored"}})", Kind::success, 0},
        {200, R"({"errorModel":null})", Kind::success, 0},
        {200, R"({"errorModel":{"errorId":98001}})", Kind::error, 98001},
        {200, R"({"errorModel":{"errorId":"401"}})", Kind::success, 0}, // an id of the wrong type is no id
        {200, R"({"errorModel":{"errorId":401.0}})", Kind::error, 401},
        {204, R"({})", Kind::success, 0},
        // a 200 that carries no object is not an answer
        {200, "", Kind::noValidReply, ErrorModel::kNoValidReply},
        {200, "[]", Kind::noValidReply, ErrorModel::kNoValidReply},
        {200, "{\"a\":", Kind::noValidReply, ErrorModel::kNoValidReply},
        // HTTP failures count as their status unless the body names an id
        {401, "", Kind::error, 401},
        {500, R"({"message":"down"})", Kind::error, 500},
        {500, R"({"errorModel":{"errorId":98002}})", Kind::error, 98002},
        {302, "", Kind::error, 302},
    };
    for (const auto& c : cases) {
        const ServiceReply reply = ServiceReply::from(platform::HttpResult{false, c.status, c.body, {}});
        EXPECT_EQ(reply.kind, c.kind) << c.status << " " << c.body;
        EXPECT_EQ(reply.error.errorId, c.errorId) << c.status << " " << c.body;
    }
}

TEST(ServiceReply, TransportFailureKeepsItsDescription)
{
    // status and body are ignored without a reply
    const ServiceReply reply = ServiceReply::from(platform::HttpResult{true, 200, "{}", QStringLiteral("Connection refused")});
    EXPECT_EQ(reply.kind, ServiceReply::Kind::noValidReply);
    EXPECT_EQ(reply.error.errorId, ErrorModel::kNoValidReply);
    EXPECT_EQ(reply.error.errorInformativeText, "Connection refused");
}

TEST(ServiceEndPoint, UrlJoinsWithOneSlashAndParametersCannotChangeThePath)
{
    EXPECT_EQ(endPointUrl("https://api.example.com/v2/", ServiceEndPoint{QStringLiteral("/project/getAll"), {}, {}}),
              QUrl(QStringLiteral("https://api.example.com/v2/project/getAll")));

    const QUrl url = endPointUrl("https://api.example.com",
                                 ServiceEndPoint{QStringLiteral("project/{projectId}/artboard/{artboardId}"), {},
                                                 {{QStringLiteral("projectId"), QStringLiteral("p 1")},
                                                  {QStringLiteral("artboardId"), QStringLiteral("../x?y#z")}}});
    EXPECT_EQ(url.toString(QUrl::FullyEncoded).toStdString(),
              "https://api.example.com/project/p%201/artboard/..%2Fx%3Fy%23z");
    EXPECT_FALSE(url.hasQuery());
    EXPECT_FALSE(url.hasFragment());
}
