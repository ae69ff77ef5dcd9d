#include "support/StandinService.h"

#include <csignal>
#include <sys/prctl.h>

#include "Account/LoginRequest.h"
#include "Account/UserProfile.h"
#include "Base/ServiceEndPoint.h"
#include "Base/ServiceManager.h"
#include "platform/HttpSession.h"
#include "platform/JsonText.h"
#include "platform/MainQueue.h"

#include <QDeadlineTimer>
#include <QFile>

namespace {
constexpr QLatin1String kListeningPrefix("listening on ");
constexpr int kStartTimeoutMs = 30000;

std::string_view view(const QByteArray& bytes)
{
    return std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::string stringOf(const boost::json::value* v)
{
    return v && v->is_string() ? std::string(v->get_string()) : std::string();
}
} // namespace

StandinService::Options StandinService::withScript(std::string scriptJson)
{
    return Options{std::move(scriptJson), {}, {}};
}

StandinService::StandinService()
    : StandinService(Options{})
{
}

StandinService::StandinService(const Options& options)
    : m_workDir(std::make_unique<QTemporaryDir>())
{
    m_previousBaseUrl = ServiceEndPoint::baseUrl();
    start(options);
}

StandinService::~StandinService()
{
    stop();
    ServiceEndPoint::setBaseUrl(m_previousBaseUrl);
}

QString StandinService::recordPath() const
{
    return m_workDir->filePath(QStringLiteral("record.jsonl"));
}

void StandinService::start(const Options& options)
{
    m_dataDir = options.dataDir.isEmpty() ? m_workDir->filePath(QStringLiteral("data")) : options.dataDir;
    QStringList args{QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--data"), m_dataDir,
                     QStringLiteral("--record"), recordPath()};
    if (!options.scriptJson.empty()) {
        const QString scriptPath = m_workDir->filePath(QStringLiteral("script.json"));
        QFile f(scriptPath);
        if (!f.open(QIODevice::WriteOnly) || f.write(QByteArray::fromStdString(options.scriptJson)) < 0) {
            m_error = QStringLiteral("cannot write the script in ") + m_workDir->path();
            return;
        }
        args << QStringLiteral("--script") << scriptPath;
    }
    if (options.shouldUploadSketch)
        args << QStringLiteral("--should-upload-sketch")
             << (*options.shouldUploadSketch ? QStringLiteral("true") : QStringLiteral("false"));

    m_process = std::make_unique<QProcess>();
    m_process->setProcessChannelMode(QProcess::SeparateChannels);
    // A test that crashes must not leave its stand-in service running.
    m_process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    m_process->start(QStringLiteral(QUORVEX_STANDIN_PATH), args);
    if (!m_process->waitForStarted(kStartTimeoutMs)) {
        m_error = QStringLiteral("the stand-in did not start: ") + m_process->errorString();
        return;
    }
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (!m_process->canReadLine()) {
        if (m_process->state() == QProcess::NotRunning || deadline.hasExpired()) {
            m_error = QStringLiteral("the stand-in did not listen: ") + QString::fromLocal8Bit(m_process->readAllStandardError());
            return;
        }
        m_process->waitForReadyRead(100);
    }
    const QString line = QString::fromUtf8(m_process->readLine()).trimmed();
    if (!line.startsWith(kListeningPrefix)) {
        m_error = QStringLiteral("unexpected first line: ") + line;
        return;
    }
    m_baseUrl = QUrl(line.mid(kListeningPrefix.size()));
    ServiceEndPoint::setBaseUrl(m_baseUrl);
}

void StandinService::stop()
{
    if (!m_process) return;
    if (m_process->state() != QProcess::NotRunning) {
        m_process->kill();
        m_process->waitForFinished(kStartTimeoutMs);
    }
    m_process.reset();
}

std::vector<boost::json::object> StandinService::records() const
{
    std::vector<boost::json::object> out;
    QFile f(recordPath());
    if (!f.open(QIODevice::ReadOnly)) return out;
    while (!f.atEnd()) {
        if (auto o = platform::parseJsonObject(view(f.readLine().trimmed()))) out.push_back(std::move(*o));
    }
    return out;
}

std::vector<std::string> StandinService::recordedPaths() const
{
    std::vector<std::string> out;
    for (const auto& r : records()) out.push_back(stringOf(r.if_contains("path")));
    return out;
}

void StandinService::clearRecords()
{
    QFile::resize(recordPath(), 0);
}

std::optional<std::string> StandinService::header(const boost::json::object& record, std::string_view name)
{
    const auto* headers = record.if_contains("headers");
    if (!headers || !headers->is_object()) return std::nullopt;
    const QString wanted = QString::fromStdString(std::string(name));
    for (const auto& kv : headers->get_object()) {
        if (QString::fromStdString(std::string(kv.key())).compare(wanted, Qt::CaseInsensitive) == 0 && kv.value().is_string())
            return std::string(kv.value().get_string());
    }
    return std::nullopt;
}

std::string StandinService::bodyString(const boost::json::object& record, std::string_view key)
{
    const auto* body = record.if_contains("body");
    return body && body->is_object() ? stringOf(body->get_object().if_contains(key)) : std::string();
}

std::optional<boost::json::object> StandinService::post(const std::string& path, const boost::json::object& body,
                                                        const std::string& accessToken) const
{
    if (!isRunning()) return std::nullopt;
    const auto text = platform::jsonText(body);
    if (!text) return std::nullopt;
    // shared: a reply that comes after the wait gave up must not write into a dead frame
    auto result = std::make_shared<std::optional<platform::HttpResult>>();
    const QUrl url(m_baseUrl.toString() + QLatin1Char('/') + QString::fromStdString(path));
    platform::HttpSession::shared().postJson(url, QByteArray::fromStdString(*text), ServiceManager::serviceHeaders(accessToken),
                                             [result](const platform::HttpResult& r) { *result = r; });
    platform::runMainLoopUntil([result] { return result->has_value(); }, kStartTimeoutMs);
    if (!*result || (*result)->transportError) return std::nullopt;
    return platform::parseJsonObject(view((*result)->body));
}

bool StandinService::signInDemoUser() const
{
    const auto reply = post("user/login", {{"email", "demo@example.com"}, {"password", "demo"}});
    const auto response = jsonmap::fromJson<LoginResponse>(reply ? boost::json::value(*reply) : boost::json::value());
    if (response.accessDto.accessToken.empty()) return false;
    UserProfile::shared().save(response.userInfo, response.accessDto);
    return true;
}
