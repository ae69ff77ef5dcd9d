#include "StandinStore.h"

#include "StandinDetail.h"
#include "StandinLayers.h"

#include "platform/Archive.h"
#include "platform/JsonText.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <algorithm>

namespace {

constexpr auto str = &StandinStore::stringField;

std::string randomToken()
{
    quint32 words[6];
    QRandomGenerator::system()->fillRange(words);
    return QByteArray(reinterpret_cast<const char*>(words), sizeof(words)).toHex().toStdString();
}

std::string isoText(const QDateTime& t)
{
    return t.toUTC().toString(Qt::ISODate).toStdString();
}

boost::json::object newProject(const std::string& id, const std::string& name, const std::string& platform,
                               const std::string& owner)
{
    boost::json::object p;
    p["projectId"] = id;
    p["platform"] = platform;
    p["updateTime"] = isoText(QDateTime::currentDateTimeUtc());
    p["name"] = name;
    p["preview"] = nullptr;
    p["members"] = boost::json::array{boost::json::object{{"email", owner}, {"role", "owner"}}};
    p["artboardIds"] = boost::json::array{};
    return p;
}

// The symbol ids of the instances below a layer, in tree order, without repeats.
void collectSymbolIds(const boost::json::object& layer, std::vector<std::string>& out)
{
    const auto* layers = StandinLayers::array(layer, "layers");
    if (!layers) return;
    for (const auto& child : *layers) {
        if (!StandinLayers::isShownLayer(child)) continue;
        const auto& o = child.get_object();
        const std::string symbolID = str(o, "symbolID");
        if (str(o, "_class") == "symbolInstance" && std::find(out.begin(), out.end(), symbolID) == out.end())
            out.push_back(symbolID);
        collectSymbolIds(o, out);
    }
}

constexpr std::size_t kComponentsPerImport = 4;

} // namespace

StandinStore::StandinStore(const QString& dataDir, std::int64_t tokenTtlSeconds)
    : m_dataDir(dataDir), m_tokenTtlSeconds(tokenTtlSeconds)
{
}

QString StandinStore::filePath(const QString& name) const
{
    return m_dataDir + QLatin1Char('/') + name;
}

bool StandinStore::saveJson(const QString& path, const boost::json::value& value) const
{
    const auto text = platform::jsonText(value, platform::JsonStyle::Pretty);
    if (!text) return false;
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write(text->data(), static_cast<qint64>(text->size()));
    return f.commit();
}

std::optional<boost::json::value> StandinStore::loadJson(const QString& path) const
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = f.readAll();
    return platform::parseJson(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

bool StandinStore::open(QString* error)
{
    if (!QDir().mkpath(m_dataDir)) {
        if (error) *error = QStringLiteral("cannot create the data folder ") + m_dataDir;
        return false;
    }
    const auto users = loadJson(filePath(QStringLiteral("users.json")));
    if (!users) {
        seed();
        if (!saveUsers() || !saveProjects() || !saveTokens()) {
            if (error) *error = QStringLiteral("cannot write into the data folder ") + m_dataDir;
            return false;
        }
        return true;
    }
    if (users->is_array()) {
        for (const auto& u : users->get_array()) {
            if (!u.is_object()) continue;
            const auto& o = u.get_object();
            User user{str(o, "userId"), str(o, "email"), str(o, "password"), str(o, "username"), str(o, "name")};
            if (user.email.empty()) continue;
            if (user.userId.empty()) user.userId = user.email;
            m_users.push_back(std::move(user));
        }
    }
    if (auto projects = loadJson(filePath(QStringLiteral("projects.json"))); projects && projects->is_array()) {
        for (auto& p : projects->get_array())
            if (p.is_object()) m_projects.push_back(std::move(p));
    }
    if (auto tokens = loadJson(filePath(QStringLiteral("tokens.json"))); tokens && tokens->is_object()) {
        if (auto* a = tokens->get_object().if_contains("access"); a && a->is_object()) m_accessTokens = a->get_object();
        if (auto* r = tokens->get_object().if_contains("refresh"); r && r->is_object()) m_refreshTokens = r->get_object();
    }
    return true;
}

void StandinStore::seed()
{
    const std::string demo = "demo@example.com";
    m_users.push_back(User{"demo-user", demo, "demo", "demo", "Demo User"});
    m_projects.push_back(newProject("demo-ios", "Demo iOS", "iOS", demo));
    m_projects.push_back(newProject("demo-android", "Demo Android", "Android", demo));
}

bool StandinStore::saveUsers() const
{
    boost::json::array arr;
    for (const auto& u : m_users) {
        arr.push_back(boost::json::object{{"userId", u.userId}, {"email", u.email}, {"password", u.password},
                                          {"username", u.username}, {"name", u.name}});
    }
    return saveJson(filePath(QStringLiteral("users.json")), arr);
}

bool StandinStore::saveProjects() const
{
    return saveJson(filePath(QStringLiteral("projects.json")), m_projects);
}

bool StandinStore::saveTokens() const
{
    return saveJson(filePath(QStringLiteral("tokens.json")),
                    boost::json::object{{"access", m_accessTokens}, {"refresh", m_refreshTokens}});
}

std::optional<StandinStore::User> StandinStore::userByCredentials(const std::string& email, const std::string& password) const
{
    for (const auto& u : m_users) {
        if (u.email == email && u.password == password) return u;
    }
    return std::nullopt;
}

std::optional<StandinStore::User> StandinStore::userByAccessToken(const std::string& token) const
{
    if (token.empty()) return std::nullopt;
    const auto* entry = m_accessTokens.if_contains(token);
    if (!entry || !entry->is_object()) return std::nullopt;
    const auto* expires = entry->get_object().if_contains("expiresAt");
    if (!expires || !expires->is_int64() || expires->get_int64() <= QDateTime::currentSecsSinceEpoch()) return std::nullopt;
    const std::string email = str(entry->get_object(), "email");
    for (const auto& u : m_users) {
        if (u.email == email) return u;
    }
    return std::nullopt;
}

StandinStore::Access StandinStore::issueTokens(const User& user)
{
    const std::string refreshToken = randomToken();
    m_refreshTokens[refreshToken] = user.email;
    auto access = refresh(refreshToken);
    return access ? *access : Access{};
}

std::optional<StandinStore::Access> StandinStore::refresh(const std::string& refreshToken)
{
    const auto* email = m_refreshTokens.if_contains(refreshToken);
    if (refreshToken.empty() || !email || !email->is_string()) return std::nullopt;
    const qint64 expiresAt = QDateTime::currentSecsSinceEpoch() + m_tokenTtlSeconds;
    const std::string accessToken = randomToken();
    m_accessTokens[accessToken] = boost::json::object{{"email", *email}, {"expiresAt", expiresAt}};
    saveTokens();
    return Access{accessToken, refreshToken, isoText(QDateTime::fromSecsSinceEpoch(expiresAt))};
}

boost::json::object StandinStore::listed(const boost::json::object& project)
{
    boost::json::object out = project;
    const auto* ids = project.if_contains("artboardIds");
    out["artboardCount"] = (ids && ids->is_array()) ? static_cast<std::int64_t>(ids->get_array().size()) : 0;
    return out;
}

boost::json::array StandinStore::projectsOf(const User& user) const
{
    boost::json::array out;
    for (const auto& p : m_projects) {
        if (isMember(user, str(p.get_object(), "projectId"))) out.push_back(listed(p.get_object()));
    }
    return out;
}

boost::json::object StandinStore::createProject(const User& user, const std::string& name, const std::string& platform)
{
    boost::json::object p = newProject("p-" + randomToken().substr(0, 16), name, platform, user.email);
    m_projects.push_back(p);
    saveProjects();
    return listed(p);
}

boost::json::object* StandinStore::findProject(const std::string& projectId)
{
    for (auto& p : m_projects) {
        if (p.is_object() && str(p.get_object(), "projectId") == projectId) return &p.get_object();
    }
    return nullptr;
}

const boost::json::object* StandinStore::findProject(const std::string& projectId) const
{
    return const_cast<StandinStore*>(this)->findProject(projectId);
}

bool StandinStore::isMember(const User& user, const std::string& projectId) const
{
    const auto* p = findProject(projectId);
    if (!p) return false;
    const auto* members = p->if_contains("members");
    if (!members || !members->is_array()) return false;
    for (const auto& m : members->get_array()) {
        if (m.is_object() && str(m.get_object(), "email") == user.email) return true;
    }
    return false;
}

std::string StandinStore::stringField(const boost::json::object& object, std::string_view key)
{
    const auto* v = object.if_contains(key);
    if (!v || !v->is_string()) return {};
    return std::string(v->get_string());
}

QString StandinStore::safeName(const std::string& text)
{
    QString out;
    for (unsigned char c : text) {
        const bool allowed = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.'
                             || c == '_' || c == '@' || c == '-';
        out.append(allowed ? QLatin1Char(static_cast<char>(c)) : QLatin1Char('_'));
        if (out.size() >= 120) break;
    }
    bool onlyDots = true;
    for (QChar c : out) onlyDots = onlyDots && c == QLatin1Char('.');
    if (onlyDots) out.prepend(QLatin1Char('_'));
    return out;
}

QDir StandinStore::uploadDir(const std::string& projectId, const QString& sub) const
{
    return QDir(filePath(QStringLiteral("uploads/") + safeName(projectId) + QLatin1Char('/') + sub));
}

bool StandinStore::writeInside(const QDir& dir, const QString& name, const QByteArray& bytes) const
{
    const QString dirPath = dir.path();
    // A folder checked once is trusted until a write into it fails (it may have been removed since).
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!m_checkedDirs.contains(dirPath)) {
            if (!QDir().mkpath(dirPath)) return false;
            // safeName keeps separators out already; this guards the rule against later edits
            const QString root = QFileInfo(m_dataDir).canonicalFilePath() + QLatin1Char('/');
            if (!QFileInfo(dirPath).canonicalFilePath().append(QLatin1Char('/')).startsWith(root)) return false;
            m_checkedDirs.insert(dirPath);
        }
        // A plain write, not QSaveFile: an upload need not survive a power cut, and syncing every
        // file kept a large import waiting on the disk hundreds of times.
        QFile f(dir.filePath(name));
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return f.write(bytes) == bytes.size() && f.flush();
        m_checkedDirs.remove(dirPath);
    }
    return false;
}

bool StandinStore::storeImport(const std::string& projectId, const boost::json::object& request)
{
    auto* project = findProject(projectId);
    if (!project) return false;
    auto asJson = [](const boost::json::value& v) {
        const auto text = platform::jsonText(v, platform::JsonStyle::Pretty);
        return text ? QByteArray::fromStdString(*text) : QByteArray();
    };
    auto& ids = (*project)["artboardIds"];
    if (!ids.is_array()) ids = boost::json::array{};
    if (const auto* artboards = request.if_contains("artboards"); artboards && artboards->is_array()) {
        for (const auto& a : artboards->get_array()) {
            if (!a.is_object()) continue;
            const std::string oid = str(a.get_object(), "oid");
            if (!writeInside(uploadDir(projectId, QStringLiteral("artboards")), safeName(oid) + QStringLiteral(".json"), asJson(a)))
                return false;
            bool known = false;
            for (const auto& id : ids.get_array()) known = known || (id.is_string() && id.get_string() == oid);
            if (!known) ids.get_array().push_back(boost::json::string(oid));
        }
    }
    if (const auto* masters = request.if_contains("symbolMasters"); masters && masters->is_array()) {
        for (const auto& m : masters->get_array()) {
            if (!m.is_object()) continue;
            const QString name = safeName(str(m.get_object(), "oid")) + QStringLiteral(".json");
            if (!writeInside(uploadDir(projectId, QStringLiteral("symbolMasters")), name, asJson(m))) return false;
        }
    }
    for (const char* key : {"textStyles", "layerStyles"}) {
        const auto* styles = request.if_contains(key);
        const boost::json::value list = (styles && styles->is_array()) ? *styles : boost::json::array{};
        if (!writeInside(uploadDir(projectId, QStringLiteral("styles")), QLatin1String(key) + QStringLiteral(".json"), asJson(list)))
            return false;
    }
    (*project)["updateTime"] = isoText(QDateTime::currentDateTimeUtc());
    addComponents(projectId, request);
    return saveProjects();
}

bool StandinStore::storeImage(const std::string& projectId, const std::string& artboardId, const std::string& fileName,
                              const std::string& scale, const std::string& format, const QByteArray& bytes)
{
    std::string name = fileName;
    if (!scale.empty()) name += "@" + scale;
    if (!format.empty()) name += "." + format;
    // A new preview replaces the compressed copy made for downloads.
    if (fileName == artboardId) QFile::remove(uploadDir(projectId, QStringLiteral("previews")).filePath(safeName(artboardId) + QStringLiteral(".png.gz")));
    return writeInside(uploadDir(projectId, QStringLiteral("images/") + safeName(artboardId)), safeName(name), bytes);
}

bool StandinStore::storeDesignFile(const std::string& projectId, const std::string& fileName, const QByteArray& bytes)
{
    return writeInside(uploadDir(projectId, QStringLiteral("design")), safeName(fileName), bytes);
}

std::optional<QByteArray> StandinStore::uploadedFile(const std::string& path) const
{
    const QStringList segments = QString::fromStdString(path).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (segments.size() < 2 || segments.front() != QLatin1String("files")) return std::nullopt;
    QString relative = QStringLiteral("uploads");
    for (qsizetype i = 1; i < segments.size(); ++i) relative += QLatin1Char('/') + safeName(segments[i].toStdString());
    QFile f(filePath(relative));
    if (!QFileInfo(f).isFile() || !f.open(QIODevice::ReadOnly)) return std::nullopt;
    return f.readAll();
}

std::string StandinStore::platformOf(const std::string& projectId) const
{
    const auto* p = findProject(projectId);
    return p ? str(*p, "platform") : std::string();
}

std::optional<boost::json::object> StandinStore::storedArtboard(const std::string& projectId, const std::string& artboardId) const
{
    const auto* p = findProject(projectId);
    const auto* ids = p ? p->if_contains("artboardIds") : nullptr;
    if (artboardId.empty() || !ids || !ids->is_array()) return std::nullopt;
    bool listed = false;
    for (const auto& id : ids->get_array()) listed = listed || (id.is_string() && id.get_string() == artboardId);
    if (!listed) return std::nullopt;
    const auto value = loadJson(uploadDir(projectId, QStringLiteral("artboards")).filePath(safeName(artboardId) + QStringLiteral(".json")));
    if (!value || !value->is_object()) return std::nullopt;
    return value->get_object();
}

std::vector<boost::json::object> StandinStore::storedArtboards(const std::string& projectId) const
{
    std::vector<boost::json::object> out;
    const auto* p = findProject(projectId);
    const auto* ids = p ? p->if_contains("artboardIds") : nullptr;
    if (!ids || !ids->is_array()) return out;
    for (const auto& id : ids->get_array()) {
        if (!id.is_string()) continue;
        if (auto a = storedArtboard(projectId, std::string(id.get_string()))) out.push_back(std::move(*a));
    }
    return out;
}

std::vector<boost::json::object> StandinStore::storedMasters(const std::string& projectId) const
{
    std::vector<boost::json::object> out;
    const QDir dir = uploadDir(projectId, QStringLiteral("symbolMasters"));
    for (const QString& name : dir.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name)) {
        const auto value = loadJson(dir.filePath(name));
        if (value && value->is_object()) out.push_back(value->get_object());
    }
    return out;
}

boost::json::array StandinStore::storedStyles(const std::string& projectId, const char* key) const
{
    const auto value = loadJson(uploadDir(projectId, QStringLiteral("styles")).filePath(QLatin1String(key) + QStringLiteral(".json")));
    return value && value->is_array() ? value->get_array() : boost::json::array();
}

boost::json::object StandinStore::componentState(const std::string& projectId) const
{
    const auto value = loadJson(uploadDir(projectId, {}).filePath(QStringLiteral("components.json")));
    boost::json::object state = value && value->is_object() ? value->get_object() : boost::json::object();
    for (const char* key : {"components", "detachedInstances"})
        if (!state.contains(key) || !state.at(key).is_array()) state[key] = boost::json::array();
    return state;
}

bool StandinStore::saveComponentState(const std::string& projectId, const boost::json::object& state) const
{
    const auto text = platform::jsonText(state, platform::JsonStyle::Pretty);
    return text && writeInside(uploadDir(projectId, {}), QStringLiteral("components.json"), QByteArray::fromStdString(*text));
}

boost::json::array StandinStore::components(const std::string& projectId) const
{
    return componentState(projectId).at("components").get_array();
}

std::set<std::string> StandinStore::detachedInstances(const std::string& projectId) const
{
    std::set<std::string> out;
    const auto state = componentState(projectId);
    for (const auto& id : state.at("detachedInstances").get_array())
        if (id.is_string()) out.insert(std::string(id.get_string()));
    return out;
}

bool StandinStore::deleteComponent(const std::string& projectId, const std::string& componentId)
{
    auto state = componentState(projectId);
    auto& list = state["components"].get_array();
    const auto before = list.size();
    for (auto it = list.begin(); it != list.end();) {
        it = (it->is_object() && str(it->get_object(), "componentId") == componentId) ? list.erase(it) : it + 1;
    }
    return list.size() != before && saveComponentState(projectId, state);
}

bool StandinStore::detachInstance(const std::string& projectId, const std::string& instanceId)
{
    if (instanceId.empty() || detachedInstances(projectId).count(instanceId)) return false;
    auto state = componentState(projectId);
    state["detachedInstances"].get_array().emplace_back(instanceId);
    return saveComponentState(projectId, state);
}

void StandinStore::addComponents(const std::string& projectId, const boost::json::object& request)
{
    std::vector<std::string> used;
    if (const auto* artboards = request.if_contains("artboards"); artboards && artboards->is_array()) {
        for (const auto& a : artboards->get_array()) {
            if (!a.is_object()) continue;
            if (const auto layer = StandinLayers::parsedJson(a.get_object())) collectSymbolIds(*layer, used);
        }
    }
    auto state = componentState(projectId);
    auto& list = state["components"].get_array();
    std::size_t added = 0;
    const auto* masters = StandinLayers::array(request, "symbolMasters");
    static const boost::json::array none;
    for (const auto& m : masters ? *masters : none) {
        if (!m.is_object()) continue;
        const auto& master = m.get_object();
        const std::string symbolID = str(master, "symbolID");
        if (added == kComponentsPerImport || std::find(used.begin(), used.end(), symbolID) == used.end()) continue;
        bool known = false;
        for (const auto& c : list) known = known || (c.is_object() && str(c.get_object(), "symbolId") == symbolID);
        if (known) continue;
        list.push_back(StandinDetail::componentOf(symbolID, str(master, "name"), platformOf(projectId)));
        ++added;
    }
    if (added) saveComponentState(projectId, state);
}

std::optional<std::string> StandinStore::compressedPreview(const std::string& projectId, const std::string& artboardId) const
{
    const QString name = safeName(artboardId) + QStringLiteral(".png.gz");
    const QDir previews = uploadDir(projectId, QStringLiteral("previews"));
    const std::string path = "files/" + safeName(projectId).toStdString() + "/previews/" + name.toStdString();
    if (QFileInfo(previews.filePath(name)).isFile()) return path;
    // The client uploads an artboard's preview as the PNG named after the artboard, at scale 1.
    QFile png(uploadDir(projectId, QStringLiteral("images/") + safeName(artboardId)).filePath(safeName(artboardId + "@1.png")));
    if (!png.open(QIODevice::ReadOnly)) return std::nullopt;
    const auto packed = platform::gzipData(png.readAll());
    if (!packed || !writeInside(previews, name, *packed)) return std::nullopt;
    return path;
}
