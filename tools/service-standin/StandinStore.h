#pragma once

#include <boost/json.hpp>

#include <QDir>
#include <QSet>
#include <QString>

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// The stand-in's state: users, projects, tokens and uploads, kept as files under one data
// folder so that a restart of the stand-in keeps them.
//
// Layout of the data folder:
//   users.json     [{"userId","email","password","username","name"}]
//   projects.json  [{"projectId","platform","updateTime","name","preview","members":[{"email","role"}],"artboardIds"}]
//   tokens.json    {"access":{token:{"email","expiresAt"}},"refresh":{token:email}}
//   uploads/<projectId>/artboards/<oid>.json, symbolMasters/<oid>.json,
//   uploads/<projectId>/styles/textStyles.json, styles/layerStyles.json,
//   uploads/<projectId>/images/<artboardId>/<fileName>[@<scale>][.<format>],
//   uploads/<projectId>/design/<fileName>
//   uploads/<projectId>/previews/<artboardId>.png.gz   (the preview, gzip-compressed on first download)
//   uploads/<projectId>/components.json  {"components":[...],"detachedInstances":[view ids]}
// Every name taken from a request passes through safeName() before it becomes part of a path.
class StandinStore {
public:
    struct User {
        std::string userId;
        std::string email;
        std::string password;
        std::string username;
        std::string name;
    };
    struct Access {
        std::string accessToken;
        std::string refreshToken;
        std::string expiredAt;
    };

    StandinStore(const QString& dataDir, std::int64_t tokenTtlSeconds);

    // Reads the data folder, seeding the demo user and projects into a fresh one.
    // False when the folder cannot be made or written.
    bool open(QString* error);

    std::optional<User> userByCredentials(const std::string& email, const std::string& password) const;
    // The user of an access token that is known and not expired.
    std::optional<User> userByAccessToken(const std::string& token) const;

    Access issueTokens(const User& user);
    // A new access token for a known refresh token (which stays valid).
    std::optional<Access> refresh(const std::string& refreshToken);

    // Projects the user is a member of, as the service lists them.
    boost::json::array projectsOf(const User& user) const;
    // Creates a project owned by the user and answers its listed form.
    boost::json::object createProject(const User& user, const std::string& name, const std::string& platform);
    bool isMember(const User& user, const std::string& projectId) const;

    // Stores what an import carries and adds its artboards to the project.
    bool storeImport(const std::string& projectId, const boost::json::object& request);
    bool storeImage(const std::string& projectId, const std::string& artboardId, const std::string& fileName,
                    const std::string& scale, const std::string& format, const QByteArray& bytes);
    bool storeDesignFile(const std::string& projectId, const std::string& fileName, const QByteArray& bytes);

    // What the editor's replies are made from. An artboard is known when the project lists it.
    std::string platformOf(const std::string& projectId) const;
    std::optional<boost::json::object> storedArtboard(const std::string& projectId, const std::string& artboardId) const;
    std::vector<boost::json::object> storedArtboards(const std::string& projectId) const;
    std::vector<boost::json::object> storedMasters(const std::string& projectId) const;
    boost::json::array storedStyles(const std::string& projectId, const char* key) const;

    // The project's components and the instance views detached from them.
    boost::json::array components(const std::string& projectId) const;
    std::set<std::string> detachedInstances(const std::string& projectId) const;
    // False when there is no such component (or it could not be saved).
    bool deleteComponent(const std::string& projectId, const std::string& componentId);
    // Detaches an instance view from its component; false when it is already detached.
    bool detachInstance(const std::string& projectId, const std::string& instanceId);

    // The path, as GET "files/..." serves it, of the artboard's preview stored gzip-compressed;
    // nullopt when no preview was uploaded for it.
    std::optional<std::string> compressedPreview(const std::string& projectId, const std::string& artboardId) const;

    // The bytes of a stored upload addressed as "files/<path below uploads>"; each segment
    // is read through safeName(), so no request reaches outside the uploads folder.
    std::optional<QByteArray> uploadedFile(const std::string& path) const;

    // A file or folder name made from outside text: only [A-Za-z0-9._@-] kept (others become '_'),
    // at most 120 characters, never empty and never only dots.
    static QString safeName(const std::string& text);

    // A string member of a JSON object; "" when absent or not a string.
    static std::string stringField(const boost::json::object& object, std::string_view key);

private:
    QString filePath(const QString& name) const;
    bool saveJson(const QString& path, const boost::json::value& value) const;
    std::optional<boost::json::value> loadJson(const QString& path) const;
    bool saveUsers() const;
    bool saveProjects() const;
    bool saveTokens() const;
    QDir uploadDir(const std::string& projectId, const QString& sub) const;
    bool writeInside(const QDir& dir, const QString& name, const QByteArray& bytes) const;
    void seed();
    boost::json::object componentState(const std::string& projectId) const;
    bool saveComponentState(const std::string& projectId, const boost::json::object& state) const;
    // Components made of the masters the import's artboards use (the first few).
    void addComponents(const std::string& projectId, const boost::json::object& request);
    static boost::json::object listed(const boost::json::object& project);
    boost::json::object* findProject(const std::string& projectId);
    const boost::json::object* findProject(const std::string& projectId) const;

    QString m_dataDir;
    mutable QSet<QString> m_checkedDirs; // upload folders known to exist inside the data folder
    std::int64_t m_tokenTtlSeconds;
    std::vector<User> m_users;
    boost::json::array m_projects;
    boost::json::object m_accessTokens;  // token -> {"email","expiresAt"}
    boost::json::object m_refreshTokens; // token -> email
};
