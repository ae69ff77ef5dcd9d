// The service client against the stand-in service started as a real process.

#include "Account/LoginRequest.h"
#include "Account/UserProfile.h"
#include "Base/ServiceEndPoints.h"
#include "Base/ServiceManager.h"
#include "support/ServiceTestDoubles.h"
#include "Projects/AllProjectResponse.h"
#include "platform/AppInfo.h"
#include "platform/JsonText.h"
#include "platform/MainQueue.h"
#include "platform/Reachability.h"
#include "support/StandinService.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using Paths = std::vector<std::string>;
using Events = std::vector<std::string>;

namespace {

const std::string kGenericError = "alert:An error occurred. Please try again.";
const std::string kRenew = R"({"path":"project/getAll","body":{"errorModel":{"errorId":98001}}})";

std::string errorReply(const std::string& path, const std::string& errorModel, const std::string& extra = "")
{
    return R"({"path":")" + path + R"(",)" + extra + R"("body":{"errorModel":)" + errorModel + "}}";
}

class ServiceClient : public ::testing::Test {
protected:
    void SetUp() override
    {
        UserProfile::shared().clear();
        m_version = platform::shortVersionString();
    }
    void TearDown() override
    {
        UserProfile::shared().clear();
        platform::Reachability::setOverride(std::nullopt);
        platform::setShortVersionString(m_version);
    }
    QString m_version;

    // A stand-in answering `script` (a JSON list) first, with the demo user signed in and the
    // sign-in left out of its records; the log starts empty.
    std::unique_ptr<StandinService> signedIn(const std::string& script = "[]")
    {
        UserProfile::shared().clear();
        log.events.clear();
        auto service = std::make_unique<StandinService>(StandinService::withScript(script));
        EXPECT_TRUE(service->signInDemoUser()) << service->errorText().toStdString();
        service->clearRecords();
        return service;
    }

    // project/getAll through the client; the handlers write "done:<count>", "error:<id>",
    // "noConnection:<id>" into the log.
    void getAll(const ServiceCallOptions& options = {})
    {
        ServiceManager::shared().callService<AllProjectResponse>(
            ServiceEndPoints::Project::getAll, AllProjectRequest{}, options,
            [this](const AllProjectResponse& r) { log.add("done:" + std::to_string(r.projects.size())); },
            [this](const ErrorModel& e) { log.add("error:" + std::to_string(e.errorId)); },
            [this](const ErrorModel& e) { log.add("noConnection:" + std::to_string(e.errorId)); });
    }

    void login(const std::string& password)
    {
        LoginRequest request;
        request.email = "demo@example.com";
        request.password = password;
        ServiceManager::shared().callService<LoginResponse>(
            ServiceEndPoints::User::login, request, {},
            [this](const LoginResponse& r) {
                UserProfile::shared().save(r.userInfo, r.accessDto);
                log.add("signedIn");
            },
            [this](const ErrorModel& e) { log.add("error:" + std::to_string(e.errorId)); });
    }

    bool waitFor(const std::function<bool()>& done) { return platform::runMainLoopUntil(done, 30000); }
    // Waits for as many events as expected, then compares.
    void expectEvents(const Events& expected)
    {
        ASSERT_TRUE(waitFor([&] { return log.events.size() >= expected.size(); })) << log.events.size();
        EXPECT_EQ(log.events, expected);
    }

    static std::string token() { return UserProfile::shared().accessDto ? UserProfile::shared().accessDto->accessToken : ""; }

    EventLog log;
    RecordingNavigator navigator{log};
    RecordingDialogs dialogs{log};
};

} // namespace

TEST_F(ServiceClient, EveryRequestCarriesTheServiceHeadersAndCommonBodyFields)
{
    platform::setShortVersionString(QStringLiteral("9.8.7"));
    StandinService service;
    ASSERT_TRUE(service.isRunning()) << service.errorText().toStdString();

    login("demo");
    ASSERT_TRUE(waitFor([&] { return !log.events.empty(); }));
    const std::string firstToken = token();
    ASSERT_FALSE(firstToken.empty());
    getAll();
    ASSERT_TRUE(waitFor([&] { return log.events.size() == 2; }));
    ServiceManager::shared().refreshAccessToken([this](ServiceManager::RefreshOutcome) { log.add("refreshed"); });
    expectEvents({"signedIn", "done:2", "refreshed"});

    const auto records = service.records();
    ASSERT_EQ(service.recordedPaths(), (Paths{"user/login", "project/getAll", "user/refreshToken"}));
    const std::string offset = std::to_string(platform::secondsFromGMT());
    for (std::size_t i = 0; i < records.size(); ++i) {
        const auto& r = records[i];
        EXPECT_EQ(r.at("method").as_string(), "POST");
        EXPECT_EQ(StandinService::header(r, "gmtOffset"), offset) << i;
        EXPECT_EQ(StandinService::header(r, "appVersion"), "9.8.7") << i;
        EXPECT_EQ(StandinService::bodyString(r, "lang"), "en") << i;
        EXPECT_EQ(StandinService::bodyString(r, "version"), "9.8.7") << i;
        // the token goes as it is, without a scheme word in front; the sign-in has none
        EXPECT_EQ(StandinService::header(r, "Authorization"), i == 0 ? std::nullopt : std::optional(firstToken)) << i;
    }
    EXPECT_EQ(StandinService::bodyString(records[0], "email"), "demo@example.com");
}

TEST_F(ServiceClient, ErrorRoadsFollowTheErrorId)
{
    struct Case {
        const char* name;
        std::string reply; // one scripted reply of project/getAll
        bool ignoreError;
        Events expected;
        bool sessionKept;
    };
    const std::string brokenModel = R"("body":{"errorModel":{"errorId":70001,"errorMsg":"Broken","errorInformativeText":"why"}})";
    const Case cases[] = {
        {"service error", brokenModel, false, {"alert:Broken", "error:70001"}, true},
        {"service error ignored", brokenModel, true, {"error:70001"}, true},
        {"400", R"("body":{"errorModel":{"errorId":400}})", false, {"backToLogin"}, false},
        {"403", R"("body":{"errorModel":{"errorId":403}})", true, {"backToLogin"}, false},
        {"98002", R"("body":{"errorModel":{"errorId":98002}})", false, {"backToLogin"}, false},
        {"HTTP 401 without body", R"("status":401,"body":"")", false, {"backToLogin"}, false},
        {"HTTP 500 page", R"("status":500,"body":"<html>down</html>")", false, {kGenericError, "error:500"}, true},
        {"HTTP 503 with model", R"("status":503,"body":{"errorModel":{"errorId":71,"errorMsg":"Later"}})", false,
         {"alert:Later", "error:71"}, true},
        {"200 text body", R"("body":"not json")", false, {kGenericError, "error:-1"}, true},
        {"200 empty body", R"("body":"")", true, {"error:-1"}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto service = signedIn(R"([{"path":"project/getAll",)" + c.reply + "}]");
        ServiceCallOptions options;
        options.ignoreError = c.ignoreError;
        getAll(options);
        expectEvents(c.expected);
        EXPECT_EQ(UserProfile::shared().isSignedIn(), c.sessionKept);
        EXPECT_EQ(UserProfile::isLoggedInBefore(), c.sessionKept);
    }
}

// The reply travels by move from the bytes to the handler, and its tree is let go once the typed
// response is read; each kind of handler must still be given the whole of it.
TEST_F(ServiceClient, TypedAndUntypedHandlersAreGivenTheWholeReply)
{
    const std::string body = R"({"projects":[{"projectId":"p1","name":"One","artboardIds":["a","b"]},)"
                             R"({"projectId":"p2","preview":null,"members":[{"email":"x@example.com"}]}],)"
                             R"("shouldUploadSketch":true,"unknown":{"kept":[1,2.5,"three"]}})";
    const auto service = signedIn(R"([{"path":"project/getAll","times":2,"body":)" + body + "}]");
    const boost::json::object expected = platform::parseJsonObject(body).value();
    std::optional<AllProjectResponse> typed;
    std::optional<boost::json::object> untyped;
    ServiceManager::shared().callService<AllProjectResponse>(ServiceEndPoints::Project::getAll, AllProjectRequest{}, {},
                                                             [&](AllProjectResponse response) { typed = std::move(response); });
    ServiceManager::shared().callServiceJson(ServiceEndPoints::Project::getAll, {}, {},
                                             [&](boost::json::object reply) { untyped = std::move(reply); });
    ASSERT_TRUE(waitFor([&] { return typed && untyped; }));
    EXPECT_EQ(jsonmap::write(*typed), jsonmap::write(jsonmap::fromJson<AllProjectResponse>(boost::json::value(expected))));
    EXPECT_EQ(*untyped, expected);
}

TEST_F(ServiceClient, RenewalDemandRenewsTheTokenAndRepeatsTheCallWithIt)
{
    const auto service = signedIn("[" + kRenew + "]");
    const std::string oldToken = token();

    getAll();
    expectEvents({"done:2"});
    const auto records = service->records();
    ASSERT_EQ(service->recordedPaths(), (Paths{"project/getAll", "user/refreshToken", "project/getAll"}));
    EXPECT_EQ(StandinService::header(records[0], "Authorization"), oldToken);
    EXPECT_EQ(StandinService::header(records[2], "Authorization"), token());
    EXPECT_NE(token(), oldToken);
    EXPECT_EQ(StandinService::bodyString(records[1], "refreshToken"), UserProfile::shared().accessDto->refreshToken);

    // the renewed token is what a later start of the application finds
    UserProfile::shared().accessDto.reset();
    UserProfile::shared().load();
    EXPECT_EQ(token(), StandinService::header(records[2], "Authorization").value_or(""));
}

TEST_F(ServiceClient, FailedRenewalSignsOutOrReportsAndARepeatedDemandNeverLoops)
{
    const Paths renewed{"project/getAll", "user/refreshToken"};
    const struct {
        const char* name;
        std::string script;
        Events expected;
        Paths paths;
        bool sessionKept;
    } cases[] = {
        {"refused", kRenew + "," + errorReply("user/refreshToken", R"({"errorId":60001})"), {"backToLogin"}, renewed, false},
        {"answer without token", kRenew + R"(,{"path":"user/refreshToken","body":{"accessDto":{}}})", {"backToLogin"}, renewed,
         false},
        {"no usable answer", kRenew + R"(,{"path":"user/refreshToken","status":502,"body":"gateway"})",
         {kGenericError, "error:-1"}, renewed, true},
        // the repeated call is asked to renew again: the session ends instead of a loop
        {"demanded again", errorReply("project/getAll", R"({"errorId":98001})", R"("times":-1,)"), {"backToLogin"},
         {"project/getAll", "user/refreshToken", "project/getAll"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto service = signedIn("[" + c.script + "]");
        getAll();
        expectEvents(c.expected);
        EXPECT_EQ(service->recordedPaths(), c.paths);
        EXPECT_EQ(UserProfile::shared().isSignedIn(), c.sessionKept);
    }
}

TEST_F(ServiceClient, ManyFailingRequestsInFlightShowOneLoginWindow)
{
    const auto service = signedIn("[" + errorReply("project/getAll", R"({"errorId":401})", R"("times":4,)") + "]");
    DebugLines debug;
    for (int i = 0; i < 4; ++i) getAll();
    ASSERT_TRUE(waitFor([&] { return log.count("backToLogin") + debug.containing("session has already ended") == 4; }));
    EXPECT_EQ(log.events, (Events{"backToLogin"}));
}

TEST_F(ServiceClient, ConcurrentRenewalDemandsShareOneRenewal)
{
    const auto service = signedIn("[" + errorReply("project/getAll", R"({"errorId":98001})", R"("times":3,)") + "]");
    for (int i = 0; i < 3; ++i) getAll();
    expectEvents({"done:2", "done:2", "done:2"});
    const auto paths = service->recordedPaths();
    EXPECT_EQ(std::count(paths.begin(), paths.end(), "user/refreshToken"), 1);
    EXPECT_EQ(std::count(paths.begin(), paths.end(), "project/getAll"), 6);
}

TEST_F(ServiceClient, SessionEndingReplyToAnOlderSessionLeavesTheNewOneAlone)
{
    const auto service = signedIn("[" + errorReply("project/getAll", R"({"errorId":401})") + "]");
    DebugLines debug;
    getAll();
    // the user signs in anew before the answer to the old session's request arrives
    AccessDTO fresh = *UserProfile::shared().accessDto;
    fresh.accessToken = "a-newer-session";
    UserProfile::shared().save(*UserProfile::shared().userInfo, fresh);

    ASSERT_TRUE(waitFor([&] { return debug.containing("session has already ended") == 1; }));
    EXPECT_TRUE(log.events.empty());
    EXPECT_EQ(token(), "a-newer-session");
}

TEST_F(ServiceClient, SignInRefusalIsAnOrdinaryErrorNotASignOut)
{
    const std::pair<std::string, Events> cases[] = {
        {"[" + errorReply("user/login", R"({"errorId":401,"errorMsg":"No"})") + "]", {"alert:No", "error:401"}},
        {"[" + errorReply("user/login", R"({"errorId":98001,"errorMsg":"Renew"})") + "]", {"alert:Renew", "error:98001"}},
    };
    for (const auto& [script, expected] : cases) {
        SCOPED_TRACE(script);
        log.events.clear();
        StandinService service(StandinService::withScript(script));
        login("wrong");
        expectEvents(expected);
        EXPECT_EQ(service.recordedPaths(), (Paths{"user/login"}));
    }
}

TEST_F(ServiceClient, NoConnectionShowsTheDialogEvenWhenSilentAndSendsNothing)
{
    for (const bool silent : {false, true}) {
        SCOPED_TRACE(silent);
        const auto service = signedIn();
        platform::Reachability::setOverride(false);
        ServiceCallOptions options;
        options.silentNoInternetConnection = silent;
        options.showIndicatorView = true;
        getAll(options);
        EXPECT_TRUE(log.events.empty()) << "handlers must not run inside the call";
        expectEvents({"alert:No Internet Connection", "noConnection:777777"});
        EXPECT_EQ(dialogs.lastInformativeText, "Please check your internet connection and try again.");
        EXPECT_TRUE(service->recordedPaths().empty());
        EXPECT_TRUE(UserProfile::shared().isSignedIn());
        platform::Reachability::setOverride(std::nullopt);
    }
}

TEST_F(ServiceClient, TransportFailureShowsTheGenericErrorAndKeepsTheSession)
{
    const auto service = signedIn();
    service->stop(); // nothing listens on its port any more
    getAll();
    expectEvents({kGenericError, "error:-1"});
    EXPECT_TRUE(UserProfile::shared().isSignedIn());
}

TEST_F(ServiceClient, GetDataFetchesOnlyHttpAndReportsFailures)
{
    const auto service = signedIn();
    const auto stored = service->post("resource/uploadResource",
                                      {{"projectId", "demo-ios"}, {"artboardId", "art1"}, {"fileName", "pic"}, {"scale", "2"},
                                       {"format", "png"}, {"imageData", "aGVsbG8="}},
                                      token());
    ASSERT_TRUE(stored && stored->contains("status"));

    const QString base = service->baseUrl().toString();
    const struct {
        QUrl url;
        std::optional<QByteArray> data;
        std::string errorStart;
    } cases[] = {
        {QUrl(base + QStringLiteral("/files/demo-ios/images/art1/pic@2.png")), QByteArray("hello"), ""},
        {QUrl(base + QStringLiteral("/files/demo-ios/images/art1/none.png")), std::nullopt, "HTTP status 404"},
        {QUrl(QStringLiteral("file:///etc/hostname")), std::nullopt, "Unsupported URL"},
        {QUrl(QStringLiteral("ftp://127.0.0.1/x")), std::nullopt, "Unsupported URL"},
        {QUrl(), std::nullopt, "Unsupported URL"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url.toString().toStdString());
        std::optional<std::pair<std::optional<QByteArray>, QString>> answer;
        ServiceManager::shared().getData(c.url, [&](std::optional<QByteArray> d, QString e) { answer.emplace(std::move(d), std::move(e)); });
        EXPECT_FALSE(answer) << "the completion must not run inside the call";
        ASSERT_TRUE(waitFor([&] { return answer.has_value(); }));
        EXPECT_EQ(answer->first, c.data);
        EXPECT_TRUE(answer->second.toStdString().starts_with(c.errorStart)) << answer->second.toStdString();
    }
    // the service headers stay with the service
    for (const auto& r : service->records()) {
        if (r.at("method").as_string() == "GET") {
            EXPECT_FALSE(StandinService::header(r, "Authorization").has_value());
        }
    }
}
