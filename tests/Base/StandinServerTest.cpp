// The local stand-in of the service must never write outside its data folder, whatever names a
// request carries.

#include "Account/UserProfile.h"
#include "support/StandinService.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>

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
