// The service client against the stand-in service started as a real process.

#include "Account/LoginRequest.h"
#include "Account/UserProfile.h"
#include "Base/ServiceEndPoints.h"
#include "Base/ServiceManager.h"
#include "Base/ServiceTestDoubles.h"
#include "Projects/AllProjectResponse.h"
#include "Projects/CreateProjectRequest.h"
#include "platform/AppInfo.h"
#include "platform/MainQueue.h"
#include "platform/Reachability.h"
#include "support/StandinService.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using Paths = std::vector<std::string>;
using Events = std::vector<std::string>;

namespace {

const std::string kGenericError = "alert:An error occurred. Please try again.";

class ServiceClient : public ::testing::Test {
protected:
    void SetUp() override
    {
        UserProfile::shared().clear();
        platform::Reachability::setOverride(std::nullopt);
    }
    void TearDown() override
    {
        UserProfile::shared().clear();
        platform::Reachability::setOverride(std::nullopt);
        platform::setShortVersionString(QStringLiteral(QUORVEX_VERSION));
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
    bool waitForEvents(std::size_t n)
    {
        return waitFor([&] { return log.events.size() >= n; });
    }

    static std::string token() { return UserProfile::shared().accessDto ? UserProfile::shared().accessDto->accessToken : ""; }

    EventLog log;
    RecordingNavigator navigator{log};
    RecordingDialogs dialogs{log};
};

StandinService::Options scripted(const std::string& script)
{
    StandinService::Options o;
    o.scriptJson = script;
    return o;
}

} // namespace

TEST_F(ServiceClient, EveryRequestCarriesTheServiceHeadersAndCommonBodyFields)
{
    platform::setShortVersionString(QStringLiteral("9.8.7"));
    StandinService service;
    ASSERT_TRUE(service.isRunning()) << service.errorText().toStdString();

    login("demo");
    ASSERT_TRUE(waitForEvents(1));
    const std::string firstToken = token();
    ASSERT_FALSE(firstToken.empty());
    getAll();
    ASSERT_TRUE(waitForEvents(2));
    CreateProjectRequest create;
    create.name = "Mine";
    create.platform = "iOS";
    ServiceManager::shared().callService<CreateProjectResponse>(ServiceEndPoints::Project::create, create, {},
        [this](const CreateProjectResponse& r) { log.add("created:" + r.project.name); });
    ASSERT_TRUE(waitForEvents(3));
    ServiceManager::shared().refreshAccessToken([this](ServiceManager::RefreshOutcome) { log.add("refreshed"); });
    ASSERT_TRUE(waitForEvents(4));
    EXPECT_EQ(log.events, (Events{"signedIn", "done:2", "created:Mine", "refreshed"}));

    const auto records = service.records();
    ASSERT_EQ(service.recordedPaths(), (Paths{"user/login", "project/getAll", "project/create", "user/refreshToken"}));
    const std::string offset = std::to_string(platform::secondsFromGMT());
    for (std::size_t i = 0; i < records.size(); ++i) {
        const auto& r = records[i];
        EXPECT_EQ(r.at("method").as_string(), "POST");
        EXPECT_EQ(StandinService::header(r, "gmtOffset"), offset) << i;
        EXPECT_EQ(StandinService::header(r, "appVersion"), "9.8.7") << i;
        EXPECT_EQ(StandinService::bodyString(r, "lang"), "en") << i;
        EXPECT_EQ(StandinService::bodyString(r, "version"), "9.8.7") << i;
        // the token goes as it is: no scheme word in front
        if (i == 0) {
            EXPECT_FALSE(StandinService::header(r, "Authorization").has_value());
        } else {
            EXPECT_EQ(StandinService::header(r, "Authorization"), firstToken) << i;
        }
    }
    EXPECT_EQ(StandinService::bodyString(records[0], "email"), "demo@example.com");
    EXPECT_EQ(StandinService::bodyString(records[2], "platform"), "iOS");
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
        {"401", R"("body":{"errorModel":{"errorId":401}})", false, {"backToLogin"}, false},
        {"403", R"("body":{"errorModel":{"errorId":403}})", true, {"backToLogin"}, false},
        {"98002", R"("body":{"errorModel":{"errorId":98002}})", false, {"backToLogin"}, false},
        {"HTTP 401 without body", R"("status":401,"body":"")", false, {"backToLogin"}, false},
        {"HTTP 500 page", R"("status":500,"body":"<html>down</html>")", false, {kGenericError, "error:500"}, true},
        {"HTTP 503 with model", R"("status":503,"body":{"errorModel":{"errorId":71,"errorMsg":"Later"}})", false,
         {"alert:Later", "error:71"}, true},
        {"200 text body", R"("body":"not json")", false, {kGenericError, "error:-1"}, true},
        {"200 array body", R"("body":[1,2])", false, {kGenericError, "error:-1"}, true},
        {"200 empty body", R"("body":"")", true, {"error:-1"}, true},
        {"error id 0 is success", R"("body":{"errorModel":{"errorId":0},"projects":[{"projectId":"x"}]})", false, {"done:1"}, true},
        {"null error model", R"("body":{"errorModel":null,"projects":[]})", false, {"done:0"}, true},
        {"mistyped fields keep defaults", R"("body":{"projects":"many","shouldUploadSketch":1})", false, {"done:0"}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        log.events.clear();
        StandinService service(scripted(R"([{"path":"project/getAll",)" + c.reply + "}]"));
        ASSERT_TRUE(service.isRunning());
        ASSERT_TRUE(service.signInDemoUser());
        ServiceCallOptions options;
        options.ignoreError = c.ignoreError;
        getAll(options);
        ASSERT_TRUE(waitForEvents(c.expected.size()));
        EXPECT_EQ(log.events, c.expected);
        EXPECT_EQ(UserProfile::shared().isSignedIn(), c.sessionKept);
        EXPECT_EQ(UserProfile::isLoggedInBefore(), c.sessionKept);
        UserProfile::shared().clear();
    }
}

TEST_F(ServiceClient, RenewalDemandRenewsTheTokenAndRepeatsTheCallWithIt)
{
    StandinService service(scripted(R"([{"path":"project/getAll","body":{"errorModel":{"errorId":98001}}}])"));
    ASSERT_TRUE(service.signInDemoUser());
    const std::string oldToken = token();
    service.clearRecords();

    getAll();
    ASSERT_TRUE(waitForEvents(1));
    EXPECT_EQ(log.events, (Events{"done:2"}));
    const auto records = service.records();
    ASSERT_EQ(service.recordedPaths(), (Paths{"project/getAll", "user/refreshToken", "project/getAll"}));
    EXPECT_EQ(StandinService::header(records[0], "Authorization"), oldToken);
    EXPECT_EQ(StandinService::header(records[2], "Authorization"), token());
    EXPECT_NE(token(), oldToken);
    EXPECT_EQ(StandinService::bodyString(records[1], "refreshToken"), UserProfile::shared().accessDto->refreshToken);

    // the renewed token is what a later start of the application finds
    UserProfile::shared().accessDto.reset();
    UserProfile::shared().load();
    EXPECT_EQ(token(), StandinService::header(records[2], "Authorization").value_or(""));
}

TEST_F(ServiceClient, RepeatedRenewalDemandEndsTheSessionInsteadOfLooping)
{
    StandinService service(scripted(R"([{"path":"project/getAll","times":-1,"body":{"errorModel":{"errorId":98001}}}])"));
    ASSERT_TRUE(service.signInDemoUser());
    service.clearRecords();

    getAll();
    ASSERT_TRUE(waitForEvents(1));
    EXPECT_EQ(log.events, (Events{"backToLogin"}));
    EXPECT_EQ(service.recordedPaths(), (Paths{"project/getAll", "user/refreshToken", "project/getAll"}));
    EXPECT_FALSE(UserProfile::shared().isSignedIn());
}

TEST_F(ServiceClient, RenewalOutcomesDecideBetweenRepeatSignOutAndError)
{
    struct Case {
        const char* name;
        std::string refreshReply;
        Events expected;
        Paths paths;
        bool sessionKept;
    };
    const Case cases[] = {
        {"refused with 401", R"({"path":"user/refreshToken","body":{"errorModel":{"errorId":401}}})", {"backToLogin"},
         {"project/getAll", "user/refreshToken"}, false},
        {"refused with another id", R"({"path":"user/refreshToken","body":{"errorModel":{"errorId":60001}}})", {"backToLogin"},
         {"project/getAll", "user/refreshToken"}, false},
        {"answer without token", R"({"path":"user/refreshToken","body":{"accessDto":{}}})", {"backToLogin"},
         {"project/getAll", "user/refreshToken"}, false},
        {"no usable answer", R"({"path":"user/refreshToken","status":502,"body":"gateway"})", {kGenericError, "error:-1"},
         {"project/getAll", "user/refreshToken"}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        log.events.clear();
        StandinService service(scripted(R"([{"path":"project/getAll","body":{"errorModel":{"errorId":98001}}},)" + c.refreshReply + "]"));
        ASSERT_TRUE(service.signInDemoUser());
        service.clearRecords();
        getAll();
        ASSERT_TRUE(waitForEvents(c.expected.size()));
        EXPECT_EQ(log.events, c.expected);
        EXPECT_EQ(service.recordedPaths(), c.paths);
        EXPECT_EQ(UserProfile::shared().isSignedIn(), c.sessionKept);
        UserProfile::shared().clear();
    }
}

TEST_F(ServiceClient, ManyFailingRequestsInFlightShowOneLoginWindow)
{
    StandinService service(scripted(R"([{"path":"project/getAll","times":4,"body":{"errorModel":{"errorId":401}}}])"));
    ASSERT_TRUE(service.signInDemoUser());
    DebugLines debug;
    for (int i = 0; i < 4; ++i) getAll();
    ASSERT_TRUE(waitFor([&] { return log.count("backToLogin") + debug.containing("session has already ended") == 4; }));
    EXPECT_EQ(log.events, (Events{"backToLogin"}));
}

TEST_F(ServiceClient, ConcurrentRenewalDemandsShareOneRenewal)
{
    StandinService service(scripted(R"([{"path":"project/getAll","times":3,"body":{"errorModel":{"errorId":98001}}}])"));
    ASSERT_TRUE(service.signInDemoUser());
    service.clearRecords();
    for (int i = 0; i < 3; ++i) getAll();
    ASSERT_TRUE(waitForEvents(3));
    EXPECT_EQ(log.events, (Events{"done:2", "done:2", "done:2"}));
    const auto paths = service.recordedPaths();
    EXPECT_EQ(std::count(paths.begin(), paths.end(), "user/refreshToken"), 1);
    EXPECT_EQ(std::count(paths.begin(), paths.end(), "project/getAll"), 6);
}

TEST_F(ServiceClient, SessionEndingReplyToAnOlderSessionLeavesTheNewOneAlone)
{
    StandinService service(scripted(R"([{"path":"project/getAll","body":{"errorModel":{"errorId":401}}}])"));
    ASSERT_TRUE(service.signInDemoUser());
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
    struct Case {
        const char* name;
        std::string script;
        Events expected;
    };
    const Case cases[] = {
        {"wrong password", "[]", {"alert:Wrong e-mail or password.", "error:10001"}},
        {"401 before any session", R"([{"path":"user/login","body":{"errorModel":{"errorId":401,"errorMsg":"No"}}}])",
         {"alert:No", "error:401"}},
        {"98001 before any session", R"([{"path":"user/login","body":{"errorModel":{"errorId":98001,"errorMsg":"Renew"}}}])",
         {"alert:Renew", "error:98001"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        log.events.clear();
        StandinService service(scripted(c.script));
        login("wrong");
        ASSERT_TRUE(waitForEvents(c.expected.size()));
        EXPECT_EQ(log.events, c.expected);
        EXPECT_EQ(service.recordedPaths(), (Paths{"user/login"}));
    }
}

TEST_F(ServiceClient, NoConnectionShowsTheDialogEvenWhenSilentAndSendsNothing)
{
    for (const bool silent : {false, true}) {
        SCOPED_TRACE(silent);
        log.events.clear();
        StandinService service;
        ASSERT_TRUE(service.signInDemoUser());
        service.clearRecords();
        platform::Reachability::setOverride(false);
        ServiceCallOptions options;
        options.silentNoInternetConnection = silent;
        options.showIndicatorView = true;
        getAll(options);
        EXPECT_TRUE(log.events.empty()) << "handlers must not run inside the call";
        ASSERT_TRUE(waitForEvents(2));
        EXPECT_EQ(log.events, (Events{"alert:No Internet Connection", "noConnection:777777"}));
        EXPECT_EQ(dialogs.lastInformativeText, "Please check your internet connection and try again.");
        EXPECT_TRUE(service.recordedPaths().empty());
        EXPECT_TRUE(UserProfile::shared().isSignedIn());
        platform::Reachability::setOverride(std::nullopt);
    }
}

TEST_F(ServiceClient, TransportFailureShowsTheGenericErrorUnlessIgnored)
{
    for (const bool ignore : {false, true}) {
        SCOPED_TRACE(ignore);
        log.events.clear();
        StandinService service;
        ASSERT_TRUE(service.signInDemoUser());
        service.stop(); // nothing listens on its port any more
        ServiceCallOptions options;
        options.ignoreError = ignore;
        getAll(options);
        const Events expected = ignore ? Events{"error:-1"} : Events{kGenericError, "error:-1"};
        ASSERT_TRUE(waitForEvents(expected.size()));
        EXPECT_EQ(log.events, expected);
        EXPECT_TRUE(UserProfile::shared().isSignedIn());
    }
}

TEST_F(ServiceClient, IndicatorAndHudCoverTheWholeCall)
{
    struct Case {
        const char* name;
        std::string script;
        bool indicator;
        bool target;
        bool hud;
        Events expected;
    };
    const Case cases[] = {
        {"indicator over the window", "[]", true, false, false, {"addIndicator:window", "removeIndicator", "done:2"}},
        {"indicator over a view", "[]", true, true, false, {"addIndicator:target", "removeIndicator", "done:2"}},
        {"hud instead of indicator", "[]", true, false, true, {"showHUD", "hideHUD", "done:2"}},
        {"nothing asked", "[]", false, false, false, {"done:2"}},
        {"error", R"([{"path":"project/getAll","body":{"errorModel":{"errorId":5,"errorMsg":"E"}}}])", true, false, false,
         {"addIndicator:window", "removeIndicator", "alert:E", "error:5"}},
        {"through a renewal", R"([{"path":"project/getAll","body":{"errorModel":{"errorId":98001}}}])", true, false, false,
         {"addIndicator:window", "removeIndicator", "done:2"}},
        {"sign-out", R"([{"path":"project/getAll","body":{"errorModel":{"errorId":401}}}])", true, false, false,
         {"addIndicator:window", "removeIndicator", "backToLogin"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        log.events.clear();
        StandinService service(scripted(c.script));
        ASSERT_TRUE(service.signInDemoUser());
        QObject view;
        RecordingHud hud(log);
        ServiceCallOptions options;
        options.showIndicatorView = c.indicator;
        if (c.target) options.targetIndicatorView = &view;
        if (c.hud) {
            options.hudType = HudType::loading;
            options.hudRepresenter = &hud;
        }
        getAll(options);
        ASSERT_TRUE(waitForEvents(c.expected.size()));
        EXPECT_EQ(log.events, c.expected);
        UserProfile::shared().clear();
    }
}

TEST_F(ServiceClient, GetDataFetchesOnlyHttpAndReportsFailures)
{
    StandinService service;
    ASSERT_TRUE(service.signInDemoUser());
    const auto stored = service.post("resource/uploadResource",
                                     {{"projectId", "demo-ios"}, {"artboardId", "art1"}, {"fileName", "pic"}, {"scale", "2"},
                                      {"format", "png"}, {"imageData", "aGVsbG8="}},
                                     token());
    ASSERT_TRUE(stored && stored->contains("status"));

    struct Case {
        const char* name;
        QUrl url;
        std::optional<QByteArray> data;
        std::string errorStart;
    };
    const QString base = service.baseUrl().toString();
    const Case cases[] = {
        {"stored file", QUrl(base + QStringLiteral("/files/demo-ios/images/art1/pic@2.png")), QByteArray("hello"), ""},
        {"missing file", QUrl(base + QStringLiteral("/files/demo-ios/images/art1/none.png")), std::nullopt, "HTTP status 404"},
        {"local file", QUrl(QStringLiteral("file:///etc/hostname")), std::nullopt, "Unsupported URL"},
        {"other scheme", QUrl(QStringLiteral("ftp://127.0.0.1/x")), std::nullopt, "Unsupported URL"},
        {"no URL", QUrl(), std::nullopt, "Unsupported URL"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bool called = false;
        std::optional<QByteArray> data;
        QString error;
        ServiceManager::shared().getData(c.url, [&](std::optional<QByteArray> d, QString e) {
            called = true;
            data = std::move(d);
            error = std::move(e);
        });
        EXPECT_FALSE(called) << "the completion must not run inside the call";
        ASSERT_TRUE(waitFor([&] { return called; }));
        EXPECT_EQ(data, c.data);
        EXPECT_TRUE(error.toStdString().starts_with(c.errorStart)) << error.toStdString();
    }
    // the service headers stay with the service
    for (const auto& r : service.records()) {
        if (r.at("method").as_string() == "GET") {
            EXPECT_FALSE(StandinService::header(r, "Authorization").has_value());
        }
    }
}
