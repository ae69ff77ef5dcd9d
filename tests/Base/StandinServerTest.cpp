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

using Ids = std::vector<std::string>;

AccessDTO signIn(const StandinService& service)
{
    const auto reply = service.post("user/login", {{"email", "demo@example.com"}, {"password", "demo"}});
    return reply ? jsonmap::fromJson<LoginResponse>(*reply).accessDto : AccessDTO{};
}

std::int64_t errorId(const std::optional<boost::json::object>& reply)
{
    if (!reply) return -1;
    return jsonmap::fromJson<BaseResponseModel>(*reply).errorModel.value_or(ErrorModel{}).errorId;
}

AllProjectResponse projects(const StandinService& service, const std::string& token)
{
    const auto reply = service.post("project/getAll", {}, token);
    return reply ? jsonmap::fromJson<AllProjectResponse>(*reply) : AllProjectResponse{};
}

// The status and body of a POST of raw bytes; status 0 when nothing came back.
std::pair<int, QByteArray> rawPost(const StandinService& service, const std::string& path, const QByteArray& body)
{
    auto result = std::make_shared<std::optional<platform::HttpResult>>();
    platform::HttpSession::shared().postJson(QUrl(service.baseUrl().toString() + QLatin1Char('/') + QString::fromStdString(path)),
                                             body, {}, [result](const platform::HttpResult& r) { *result = r; });
    platform::runMainLoopUntil([result] { return result->has_value(); }, 30000);
    return *result ? std::pair((*result)->statusCode, (*result)->body) : std::pair(0, QByteArray());
}

} // namespace

TEST(Standin, RefusesRequestsWithoutAValidToken)
{
    StandinService::Options expiring;
    expiring.tokenTtlSeconds = 0;
    StandinService expired(expiring);
    StandinService service;
    ASSERT_TRUE(service.isRunning()) << service.errorText().toStdString();
    ASSERT_FALSE(signIn(service).accessToken.empty());

    const std::pair<const StandinService*, std::string> cases[] = {
        {&service, ""},
        {&service, "not-a-token"},
        {&expired, signIn(expired).accessToken},
        {&service, signIn(service).refreshToken}, // a refresh token is no access token
    };
    for (const auto& [target, token] : cases) {
        EXPECT_EQ(errorId(target->post("project/getAll", {}, token)), 401) << token;
        EXPECT_EQ(errorId(target->post("project/create", {{"name", "x"}, {"platform", "iOS"}}, token)), 401) << token;
    }
    EXPECT_EQ(errorId(service.post("user/refreshToken", {{"refreshToken", "nope"}})), 401);
    EXPECT_EQ(errorId(service.post("user/login", {{"email", "demo@example.com"}, {"password", "wrong"}})), 10001);
}

TEST(Standin, CreatedProjectsTokensAndUploadsSurviveARestart)
{
    QTemporaryDir root;
    StandinService::Options options;
    options.dataDir = root.filePath(QStringLiteral("data"));
    options.shouldUploadSketch = false;
    std::string token;
    std::string projectId;
    {
        StandinService first(options);
        token = signIn(first).accessToken;
        const auto reply = first.post("project/create", {{"name", "Kept"}, {"platform", "Android"}}, token);
        ASSERT_TRUE(reply);
        const auto created = jsonmap::fromJson<CreateProjectResponse>(*reply).project;
        EXPECT_EQ(created.name, "Kept");
        EXPECT_EQ(created.platform, "Android");
        projectId = created.projectId;
        ASSERT_FALSE(projectId.empty());
        const auto upload = first.post("import/newScreensFromSketch",
                                       {{"projectId", projectId}, {"artboards", boost::json::array{{{"oid", "A1"}, {"name", "Home"}}}}},
                                       token);
        EXPECT_EQ(errorId(upload), 0);
    }
    StandinService second(options);
    const auto list = projects(second, token);
    EXPECT_FALSE(list.shouldUploadSketch);
    ASSERT_EQ(list.projects.size(), 3u);
    EXPECT_EQ(list.projects[0].projectId, "demo-ios");
    EXPECT_EQ(list.projects[1].projectId, "demo-android");
    EXPECT_EQ(list.projects[2].projectId, projectId);
    EXPECT_EQ(list.projects.back().artboardCount, 1);
    EXPECT_EQ(list.projects.back().artboardIds, Ids{"A1"});
}

TEST(Standin, StoresUploadsByProjectArtboardAndFileName)
{
    StandinService service;
    const std::string token = signIn(service).accessToken;
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
    for (const char* stored : {"artboards/A2.json", "symbolMasters/M1.json", "styles/textStyles.json"})
        EXPECT_TRUE(QFileInfo::exists(uploads + QLatin1String(stored))) << stored;
    EXPECT_EQ(readFileBytes(uploads + QStringLiteral("images/A1/icon@1.5.png")), QByteArray::fromBase64("iVBORw=="));
    EXPECT_EQ(readFileBytes(uploads + QStringLiteral("design/Design.zip")), QByteArray("PK\x03\x04"));
    const auto stored = platform::parseJsonObject(readFileBytes(uploads + QStringLiteral("artboards/A1.json")).toStdString());
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->at("jsonString"), "{}");
    EXPECT_EQ(projects(service, token).projects.at(0).artboardIds, (Ids{"A1", "A2"}));
}

TEST(Standin, HostileNamesNeverWriteOutsideTheDataFolder)
{
    // deep enough that even a name that escapes lands inside the test's own folder
    QTemporaryDir root;
    StandinService::Options options;
    options.dataDir = root.filePath(QStringLiteral("1/2/3/4/5/6/7/8/data"));
    StandinService service(options);
    const std::string token = signIn(service).accessToken;
    const std::string escapedAbsolute = root.filePath(QStringLiteral("escaped")).toStdString();
    for (const std::string& n : {std::string("../../../../../../escaped"), escapedAbsolute, std::string(".."), std::string("."),
                                 std::string("a/../../b"), std::string("x\\..\\..\\y"), std::string(), std::string("%2e%2e"),
                                 std::string("\xc3\xbc/")}) {
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
    StandinService service(StandinService::withScript(R"([{"path":"/x","times":2,"body":{"n":1}},
                                                          {"path":"*","status":503,"body":"down"},
                                                          {"path":"x","body":{"n":3}}])"));
    const std::pair<int, QByteArray> expected[] = {
        {200, R"({"n":1})"}, {200, R"({"n":1})"}, {503, "down"}, {200, R"({"n":3})"},
        {404, R"({"errorModel":{"errorId":404,"errorMsg":"Unknown endpoint.","errorInformativeText":"x"}})"},
    };
    for (const auto& reply : expected) EXPECT_EQ(rawPost(service, "x", "{}"), reply);
}

TEST(Standin, RecordsEveryRequestBeforeAnswering)
{
    StandinService service;
    rawPost(service, "user/login", R"({"email":"demo@example.com","password":"demo"})");
    EXPECT_EQ(errorId(platform::parseJsonObject(rawPost(service, "project/create", "not json").second.toStdString())), 10002);
    const auto records = service.records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].at("method"), "POST");
    EXPECT_EQ(records[0].at("path"), "user/login");
    EXPECT_EQ(StandinService::bodyString(records[0], "email"), "demo@example.com");
    EXPECT_EQ(StandinService::header(records[0], "content-type"), "application/json");
    EXPECT_EQ(records[1].at("body"), "not json");
}
