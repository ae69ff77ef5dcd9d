// The local stand-in of the service, driven over real HTTP.

#include "Account/LoginRequest.h"
#include "Projects/AllProjectResponse.h"
#include "Projects/CreateProjectRequest.h"
#include "platform/HttpSession.h"
#include "platform/JsonText.h"
#include "platform/MainQueue.h"
#include "support/StandinService.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QTemporaryDir>

namespace {

AccessDTO signInTokens(const StandinService& service)
{
    const auto reply = service.post("user/login", {{"email", "demo@example.com"}, {"password", "demo"}});
    return reply ? jsonmap::fromJson<LoginResponse>(*reply).accessDto : AccessDTO{};
}

std::string signIn(const StandinService& service)
{
    return signInTokens(service).accessToken;
}

std::int64_t errorId(const std::optional<boost::json::object>& reply)
{
    if (!reply) return -1;
    return jsonmap::fromJson<BaseResponseModel>(*reply).errorModel.value_or(ErrorModel{}).errorId;
}

std::vector<std::string> projectIds(const StandinService& service, const std::string& token)
{
    std::vector<std::string> ids;
    const auto reply = service.post("project/getAll", {}, token);
    if (!reply) return ids;
    for (const auto& p : jsonmap::fromJson<AllProjectResponse>(*reply).projects) ids.push_back(p.projectId);
    return ids;
}

struct RawReply {
    int status = 0;
    QByteArray body;
};

RawReply rawPost(const StandinService& service, const std::string& path, const QByteArray& body)
{
    auto result = std::make_shared<std::optional<platform::HttpResult>>();
    platform::HttpSession::shared().postJson(QUrl(service.baseUrl().toString() + QLatin1Char('/') + QString::fromStdString(path)),
                                             body, {}, [result](const platform::HttpResult& r) { *result = r; });
    platform::runMainLoopUntil([result] { return result->has_value(); }, 30000);
    if (!*result) return {};
    return RawReply{(*result)->statusCode, (*result)->body};
}

} // namespace

TEST(Standin, DemoUserSignsInAndSeesTheSeededProjects)
{
    StandinService service;
    ASSERT_TRUE(service.isRunning()) << service.errorText().toStdString();
    const std::string token = signIn(service);
    ASSERT_FALSE(token.empty());

    const auto reply = service.post("project/getAll", {}, token);
    ASSERT_TRUE(reply);
    const auto list = jsonmap::fromJson<AllProjectResponse>(*reply);
    EXPECT_TRUE(list.shouldUploadSketch);
    ASSERT_EQ(list.projects.size(), 2u);
    EXPECT_EQ(list.projects[0].projectId, "demo-ios");
    EXPECT_EQ(list.projects[0].name, "Demo iOS");
    EXPECT_EQ(list.projects[0].platform, "iOS");
    EXPECT_EQ(list.projects[1].projectId, "demo-android");
    EXPECT_EQ(list.projects[1].name, "Demo Android");
    EXPECT_EQ(list.projects[1].platform, "Android");
    ASSERT_EQ(list.projects[0].members.size(), 1u);
    EXPECT_EQ(list.projects[0].members[0].email, "demo@example.com");

    StandinService::Options options;
    options.shouldUploadSketch = false;
    StandinService noSketch(options);
    const auto second = noSketch.post("project/getAll", {}, signIn(noSketch));
    ASSERT_TRUE(second);
    EXPECT_FALSE(jsonmap::fromJson<AllProjectResponse>(*second).shouldUploadSketch);
}

TEST(Standin, RefusesRequestsWithoutAValidToken)
{
    StandinService::Options expiring;
    expiring.tokenTtlSeconds = 0;
    StandinService expired(expiring);
    StandinService service;

    struct Case {
        const char* name;
        const StandinService& service;
        std::string token;
    };
    const Case cases[] = {
        {"no token", service, ""},
        {"unknown token", service, "not-a-token"},
        {"expired token", expired, signIn(expired)},
        {"refresh token used as access token", service, signInTokens(service).refreshToken},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(errorId(c.service.post("project/getAll", {}, c.token)), 401) << c.name;
        EXPECT_EQ(errorId(c.service.post("project/create", {{"name", "x"}, {"platform", "iOS"}}, c.token)), 401) << c.name;
    }
    EXPECT_EQ(errorId(service.post("user/refreshToken", {{"refreshToken", "nope"}})), 401);
    EXPECT_EQ(errorId(service.post("user/login", {{"email", "demo@example.com"}, {"password", "wrong"}})), 10001);
}

TEST(Standin, CreatedProjectsTokensAndUploadsSurviveARestart)
{
    QTemporaryDir root;
    StandinService::Options options;
    options.dataDir = root.filePath(QStringLiteral("data"));
    std::string token;
    std::string projectId;
    {
        StandinService first(options);
        token = signIn(first);
        CreateProjectRequest request;
        request.name = "Kept";
        request.platform = "Android";
        const auto reply = first.post("project/create", jsonmap::toJsonObject(request), token);
        ASSERT_TRUE(reply);
        const auto created = jsonmap::fromJson<CreateProjectResponse>(*reply).project;
        EXPECT_EQ(created.name, "Kept");
        EXPECT_EQ(created.platform, "Android");
        projectId = created.projectId;
        ASSERT_FALSE(projectId.empty());
        const auto upload = first.post("import/newScreensFromSketch",
                                       {{"projectId", projectId}, {"artboards", boost::json::array{{{"oid", "A1"}, {"name", "Home"}}}}},
                                       token);
        ASSERT_TRUE(upload);
        EXPECT_EQ(upload->at("status"), true);
    }
    StandinService second(options);
    const auto ids = projectIds(second, token);
    EXPECT_EQ(ids, (std::vector<std::string>{"demo-ios", "demo-android", projectId}));
    const auto list = jsonmap::fromJson<AllProjectResponse>(*second.post("project/getAll", {}, token));
    EXPECT_EQ(list.projects.back().artboardCount, 1);
    EXPECT_EQ(list.projects.back().artboardIds, (std::vector<std::string>{"A1"}));
}

TEST(Standin, RefusesBadProjectRequests)
{
    StandinService service;
    const std::string token = signIn(service);
    struct Case {
        const char* path;
        boost::json::object body;
        std::int64_t errorId;
    };
    const Case cases[] = {
        {"project/create", {{"name", ""}, {"platform", "iOS"}}, 10002},
        {"project/create", {{"name", "x"}, {"platform", "ios"}}, 10002},
        {"project/create", {{"name", "x"}}, 10002},
        {"import/newScreensFromSketch", {{"projectId", "someone-elses"}}, 20001},
        {"resource/uploadResource", {{"projectId", "demo-ios"}, {"imageData", "***"}}, 10002},
        {"resource/uploadDesignFile", {{"projectId", "demo-ios"}, {"fileData", "%%"}}, 10002},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(errorId(service.post(c.path, c.body, token)), c.errorId) << c.path << " " << platform::jsonText(c.body).value_or("");
    }
    EXPECT_EQ(projectIds(service, token).size(), 2u) << "a refused creation adds nothing";
}

TEST(Standin, StoresUploadsByProjectArtboardAndFileName)
{
    StandinService service;
    const std::string token = signIn(service);
    const boost::json::object import{
        {"projectId", "demo-ios"},
        {"artboards", boost::json::array{{{"oid", "A1"}, {"jsonString", "{}"}}, {{"oid", "A2"}}}},
        {"symbolMasters", boost::json::array{{{"oid", "M1"}, {"symbolID", "S1"}}}},
        {"textStyles", boost::json::array{{{"jsonString", "{\"t\":1}"}}}},
        {"layerStyles", boost::json::array{}}};
    EXPECT_EQ(errorId(service.post("import/newScreensFromSketch", import, token)), 0);
    EXPECT_EQ(errorId(service.post("resource/uploadResource",
                                   {{"projectId", "demo-ios"}, {"artboardId", "A1"}, {"fileName", "icon"}, {"scale", "1.5"},
                                    {"format", "png"}, {"imageData", "iVBORw=="}},
                                   token)),
              0);
    EXPECT_EQ(errorId(service.post("resource/uploadDesignFile",
                                   {{"projectId", "demo-ios"}, {"fileName", "Design.zip"}, {"fileData", "UEsDBA=="}}, token)),
              0);

    const QString uploads = service.dataDir() + QStringLiteral("/uploads/demo-ios/");
    EXPECT_TRUE(QFileInfo::exists(uploads + QStringLiteral("artboards/A1.json")));
    EXPECT_TRUE(QFileInfo::exists(uploads + QStringLiteral("artboards/A2.json")));
    EXPECT_TRUE(QFileInfo::exists(uploads + QStringLiteral("symbolMasters/M1.json")));
    EXPECT_TRUE(QFileInfo::exists(uploads + QStringLiteral("styles/textStyles.json")));
    EXPECT_EQ(readFileBytes(uploads + QStringLiteral("images/A1/icon@1.5.png")), QByteArray::fromBase64("iVBORw=="));
    EXPECT_EQ(readFileBytes(uploads + QStringLiteral("design/Design.zip")), QByteArray("PK\x03\x04"));
    const auto stored = platform::parseJsonObject(readFileBytes(uploads + QStringLiteral("artboards/A1.json")).toStdString());
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->at("jsonString"), "{}");
    const auto list = jsonmap::fromJson<AllProjectResponse>(*service.post("project/getAll", {}, token));
    EXPECT_EQ(list.projects[0].artboardIds, (std::vector<std::string>{"A1", "A2"}));
}

TEST(Standin, HostileNamesNeverWriteOutsideTheDataFolder)
{
    // deep enough that even a name that escapes lands inside the test's own folder
    QTemporaryDir root;
    StandinService::Options options;
    options.dataDir = root.filePath(QStringLiteral("1/2/3/4/5/6/7/8/data"));
    StandinService service(options);
    const std::string token = signIn(service);
    const std::string escapedAbsolute = root.filePath(QStringLiteral("escaped")).toStdString();
    const std::string hostile[] = {"../../../../../../escaped", escapedAbsolute, "..", ".", "a/../../b", "x\\..\\..\\y", "",
                                   "%2e%2e", "\xc3\xbc/"};
    for (const std::string& n : hostile) {
        service.post("resource/uploadResource",
                     {{"projectId", "demo-ios"}, {"artboardId", n}, {"fileName", n}, {"scale", n}, {"format", n},
                      {"imageData", "aGk="}},
                     token);
        service.post("resource/uploadDesignFile", {{"projectId", "demo-ios"}, {"fileName", n}, {"fileData", "aGk="}}, token);
        service.post("import/newScreensFromSketch",
                     {{"projectId", "demo-ios"}, {"artboards", boost::json::array{{{"oid", n}}}},
                      {"symbolMasters", boost::json::array{{{"oid", n}}}}},
                     token);
    }
    const QString allowed = QDir(options.dataDir).canonicalPath() + QLatin1Char('/');
    int files = 0;
    QDirIterator it(root.path(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = QFileInfo(it.next()).canonicalFilePath();
        ++files;
        EXPECT_TRUE(path.startsWith(allowed)) << path.toStdString();
    }
    EXPECT_GT(files, 10);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(escapedAbsolute)));
}

TEST(Standin, ScriptedRepliesComeFirstInOrderAndRunOut)
{
    StandinService::Options options;
    options.scriptJson = R"([{"path":"/x","times":2,"body":{"n":1}},
                             {"path":"*","status":503,"body":"down"},
                             {"path":"x","body":{"n":3}}])";
    StandinService service(options);
    struct Step {
        const char* path;
        int status;
        QByteArray body;
    };
    const Step steps[] = {
        {"x", 200, R"({"n":1})"}, {"x", 200, R"({"n":1})"}, {"x", 503, "down"}, {"x", 200, R"({"n":3})"},
        {"x", 404, R"({"errorModel":{"errorId":404,"errorMsg":"Unknown endpoint.","errorInformativeText":"x"}})"},
    };
    for (const auto& s : steps) {
        const RawReply reply = rawPost(service, s.path, "{}");
        EXPECT_EQ(reply.status, s.status);
        EXPECT_EQ(reply.body, s.body);
    }
}

TEST(Standin, RecordsEveryRequestBeforeAnswering)
{
    StandinService service;
    rawPost(service, "user/login", R"({"email":"demo@example.com","password":"demo"})");
    rawPost(service, "project/getAll", "not json");
    const auto records = service.records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].at("method"), "POST");
    EXPECT_EQ(records[0].at("path"), "user/login");
    EXPECT_EQ(StandinService::bodyString(records[0], "email"), "demo@example.com");
    EXPECT_EQ(StandinService::header(records[0], "content-type"), "application/json");
    EXPECT_EQ(records[1].at("body"), "not json");
    const RawReply refused = rawPost(service, "project/create", "[1]");
    EXPECT_EQ(errorId(platform::parseJsonObject(refused.body.toStdString())), 10002);
}
