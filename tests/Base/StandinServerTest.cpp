// The local stand-in of the service must never write outside its data folder, whatever names a
// request carries.

#include "Account/UserProfile.h"
#include "support/StandinService.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>

#include <string>
#include <vector>

TEST(Standin, HostileNamesNeverWriteOutsideTheDataFolder)
{
    // deep enough that even a name that escapes lands inside the test's own folder
    QTemporaryDir root;
    StandinService::Options options;
    options.dataDir = root.filePath(QStringLiteral("1/2/3/4/5/6/7/8/data"));
    StandinService service(options);
    ASSERT_TRUE(service.signInDemoUser()) << service.errorText().toStdString();
    const std::string token = UserProfile::shared().accessDto->accessToken;
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
    UserProfile::shared().clear();
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

TEST(Standin, EditorEndpointsAnswerErrorsOrRefusalsToBadRequests)
{
    StandinService service;
    ASSERT_TRUE(service.signInDemoUser()) << service.errorText().toStdString();
    const std::string token = UserProfile::shared().accessDto->accessToken;
    const boost::json::array junk{1, boost::json::object{{"projectId", "demo-ios"}}};
    struct Case {
        std::string path;
        boost::json::object body;
        std::string accessToken;
        int errorId; // 0: a reply without error, whose "status" (when it has one) is false
    };
    std::vector<Case> cases;
    for (const char* path : {"main/detailInfo", "resource/downloadArtboardPreview", "components/getAll",
                             "components/getComponentTypeList", "components/delete", "components/deleteComponentInstance"}) {
        cases.push_back({path, {{"projectId", "demo-ios"}}, "", 401});
        cases.push_back({path, {{"projectId", "demo-ios"}}, "wrong token", 401});
        cases.push_back({path, {{"projectId", 12}, {"artboardId", junk}}, token, 20001});
        cases.push_back({path, {{"projectId", junk}}, token, 20001});
        cases.push_back({path, {{"projectId", "someone-else"}}, token, 20001});
    }
    // Known project, nothing uploaded: no artboard to show, nothing to delete.
    cases.push_back({"main/detailInfo", {{"projectId", "demo-ios"}, {"artboardId", junk}, {"platform", 3}}, token, 20001});
    cases.push_back({"resource/downloadArtboardPreview", {{"projectId", "demo-ios"}, {"oid", "../../users"}}, token, 20001});
    cases.push_back({"components/delete", {{"projectId", "demo-ios"}, {"componentId", junk}}, token, 0});
    cases.push_back({"components/deleteComponentInstance", {{"projectId", "demo-ios"}, {"instanceId", ""}}, token, 0});
    cases.push_back({"components/getAll", {{"projectId", "demo-ios"}}, token, 0});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path + " " + boost::json::serialize(c.body));
        const auto reply = service.post(c.path, c.body, c.accessToken);
        ASSERT_TRUE(reply) << "the stand-in answers JSON";
        const auto* errorModel = reply->if_contains("errorModel");
        if (c.errorId == 0) {
            EXPECT_FALSE(errorModel);
            if (const auto* status = reply->if_contains("status")) {
                EXPECT_EQ(*status, boost::json::value(false));
            }
        } else {
            ASSERT_TRUE(errorModel && errorModel->is_object());
            EXPECT_EQ(errorModel->get_object().at("errorId").to_number<int>(), c.errorId);
        }
    }
    UserProfile::shared().clear();
}
