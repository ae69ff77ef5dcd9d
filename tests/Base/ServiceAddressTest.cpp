#include "Base/ServiceAddress.h"
#include "Base/ServiceEndPoint.h"

#include <gtest/gtest.h>

namespace {

struct AddressCase {
    const char* name;
    QStringList arguments;
    const char* environment;
    const char* url;     // expected address, "" when refused
    QStringList rest;    // the command line left for the files
    const char* problem = ""; // when refused
};

TEST(ServiceAddress, CommandLineThenEnvironmentThenBuiltDefault)
{
    const QString def = ServiceAddress::builtDefault().toString();
    const auto q = [](const char* s) { return QString::fromUtf8(s); };
    const std::vector<AddressCase> cases = {
        {"built default", {q("quorvex"), q("a.zvusk")}, "", "", {q("quorvex"), q("a.zvusk")}},
        {"environment", {q("quorvex")}, "https://svc.example.com", "https://svc.example.com", {q("quorvex")}},
        {"option beats environment", {q("quorvex"), q("--service"), q("http://127.0.0.2:9"), q("b.zvusk")},
         "https://svc.example.com", "http://127.0.0.2:9", {q("quorvex"), q("b.zvusk")}},
        {"option with =", {q("quorvex"), q("--service=http://[::1]:80")}, "", "http://[::1]:80", {q("quorvex")}},
        {"clear text to another host", {q("quorvex"), q("--service"), q("http://svc.example.com")}, "", "", {},
         "--service must be https (http only for this machine): http://svc.example.com"},
        {"clear text in the environment", {q("quorvex")}, "http://10.0.0.1:8765", "", {},
         "QUORVEX_SERVICE_URL must be https (http only for this machine): http://10.0.0.1:8765"},
        {"not an address", {q("quorvex"), q("--service"), q("nonsense")}, "", "", {}, "--service is not a service address: nonsense"},
        {"option without a value", {q("quorvex"), q("--service")}, "", "", {}, "--service needs an address"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto choice = ServiceAddress::fromStart(c.arguments, QString::fromUtf8(c.environment));
        if (std::string(c.name) == "built default") {
            EXPECT_EQ(choice.url.toString(), def);
        } else if (*c.url) {
            EXPECT_TRUE(choice.problem.isEmpty()) << choice.problem.toStdString();
            EXPECT_EQ(choice.url, QUrl(QString::fromUtf8(c.url)));
        } else {
            EXPECT_EQ(choice.problem.toStdString(), c.problem);
            EXPECT_FALSE(choice.url.isValid());
            continue;
        }
        EXPECT_EQ(choice.arguments, c.rest);
    }
}

TEST(ServiceAddress, ClearTextOnlyToThisMachine)
{
    const std::vector<std::pair<const char*, bool>> cases = {
        {"http://127.0.0.1:8765", true},   {"http://127.8.9.10", true},     {"http://localhost:1", true},
        {"http://LOCALHOST", true},        {"http://[::1]:8765", true},     {"https://svc.example.com", true},
        {"https://10.1.2.3", true},        {"http://10.1.2.3", false},      {"http://svc.example.com", false},
        {"http://localhost.example.com", false}, {"http://0.0.0.0", false}, {"ftp://127.0.0.1", false},
        {"ws://127.0.0.1", false},         {"https://", false},
    };
    for (const auto& [url, allowed] : cases) {
        EXPECT_EQ(ServiceAddress::isAllowed(QUrl(QString::fromUtf8(url))), allowed) << url;
    }
    const QUrl before = ServiceEndPoint::baseUrl();
    EXPECT_FALSE(ServiceEndPoint::setBaseUrl(QUrl(QStringLiteral("http://svc.example.com"))));
    EXPECT_EQ(ServiceEndPoint::baseUrl(), before) << "a refused address leaves the current one";
}

} // namespace
