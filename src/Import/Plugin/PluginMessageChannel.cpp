#include "Import/Plugin/PluginMessageChannel.h"

#include "Import/Plugin/ExportHelper.h"
#include "Import/Plugin/PluginExportInfoDocument.h"
#include "platform/DebugLog.h"
#include "platform/JsonText.h"
#include "platform/Localization.h"

#include <QHostAddress>
#include <QMetaObject>

#include <exception>

namespace {
// Plug-in messages are three short texts; anything nested deeper is not one of them.
constexpr unsigned kMaxMessageDepth = 32;

QString received(const platform::WebSocketMessage& message)
{
    const QString prefix = QStringLiteral("Server websocket did receive message: ");
    if (const auto* text = std::get_if<QString>(&message)) return prefix + *text;
    return prefix;
}
} // namespace

PluginMessageChannel::PluginMessageChannel(quint16 port, QObject* parent)
    : PluginMessageChannel(exportHelperEntry(), port, parent)
{
}

PluginMessageChannel::PluginMessageChannel(ImportEntry entry, quint16 port, QObject* parent)
    : QObject(parent)
    , m_entry(std::move(entry))
    , m_port(port)
{
}

PluginMessageChannel::~PluginMessageChannel()
{
    if (m_server) m_server->setDelegate(nullptr);
}

void PluginMessageChannel::start()
{
    if (!m_server) {
        m_server = std::make_unique<platform::WebSocketServer>(QHostAddress(QStringLiteral("127.0.0.1")), m_port);
        m_server->setDelegate(this);
    }
    m_server->start();
}

std::optional<boost::json::object> PluginMessageChannel::getJSONDictionary(const platform::WebSocketMessage& message)
{
    const auto* text = std::get_if<QString>(&message);
    if (!text) return std::nullopt;
    if (!text->isValidUtf16()) return std::nullopt;
    const QByteArray bytes = text->toUtf8();
    auto value = platform::parseJson(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                                     nullptr, kMaxMessageDepth);
    if (!value) {
        platform::debugPrint(QStringLiteral("JSONSerialization error"));
        return std::nullopt;
    }
    if (!value->is_object()) return std::nullopt;
    return std::move(value->as_object());
}

void PluginMessageChannel::serverDidStart(platform::WebSocketServer*)
{
    platform::debugPrint(QStringLiteral("Server did start\u2026"));
}

void PluginMessageChannel::serverDidStop(platform::WebSocketServer*)
{
    platform::debugPrint(QStringLiteral("Server did stop\u2026"));
}

void PluginMessageChannel::serverDidFail(platform::WebSocketServer*, const QString& errorDescription)
{
    platform::debugPrint(QStringLiteral("Server did fail with error: ") + errorDescription + QStringLiteral("\u2026"));
}

void PluginMessageChannel::webSocketDidOpen(platform::WebSocketServer*, QWebSocket*)
{
    platform::debugPrint(QStringLiteral("Server websocket did open"));
}

void PluginMessageChannel::webSocketDidReceiveMessage(platform::WebSocketServer*, QWebSocket*,
                                                      const platform::WebSocketMessage& message)
{
    if (const auto dictionary = getJSONDictionary(message)) {
        const auto document = jsonmap::fromJson<PluginExportInfoDocument>(*dictionary);
        if (document.actionCode == "start" && document.source == "adobeXd") handleStartMessage(document.fileName);
    }
    platform::debugPrint(received(message));
}

void PluginMessageChannel::webSocketDidFail(platform::WebSocketServer*, QWebSocket*, const QString& errorDescription)
{
    platform::debugPrint(QStringLiteral("Server websocket did fail with error: ") + errorDescription
                         + QStringLiteral("\u2026"));
}

void PluginMessageChannel::webSocketDidClose(platform::WebSocketServer*, QWebSocket*, int code, const QString&, bool)
{
    platform::debugPrint(QStringLiteral("Server websocket did close with code: ") + QString::number(code));
}

bool PluginMessageChannel::isAdobeXDExportName(const std::string& fileName)
{
    // The dispatcher picks by substring, ".zvusk" first: a name holding both would go to the
    // Sketch road, which runs the program its export file names.
    return fileName.find(".xdzvusk") != std::string::npos && fileName.find(".zvusk") == std::string::npos;
}

void PluginMessageChannel::handleStartMessage(const std::string& fileName)
{
    if (!isAdobeXDExportName(fileName)) {
        platform::debugPrint(QStringLiteral("Plugin export refused: not an Adobe XD export: ")
                             + platform::shortenedForDisplay(QString::fromStdString(fileName), 256));
        return;
    }
    if (m_handOffPending) {
        platform::debugPrint(QStringLiteral("Plugin export ignored: a hand-off is being prepared"));
        return;
    }
    // While an upload runs the hand-off is only the refusal, a dialog like any hand-off's. The
    // importer is not chosen yet: choosing it now would change the running upload's importer.
    if (m_entry.isUploadRunning && m_entry.isUploadRunning()) {
        queueHandOff(fileName, false);
        return;
    }
    const bool started = m_entry.canStartImport && m_entry.canStartImport(fileName);
    if (started) queueHandOff(fileName, true);
    platform::debugPrint(QStringLiteral("Plugin export didStart: ") + (started ? QStringLiteral("true") : QStringLiteral("false")));
}

void PluginMessageChannel::queueHandOff(const std::string& fileName, bool importerChosen)
{
    m_handOffPending = true;
    QMetaObject::invokeMethod(
        this, [this, fileName, importerChosen] { runHandOff(fileName, importerChosen); }, Qt::QueuedConnection);
}

void PluginMessageChannel::runHandOff(const std::string& fileName, bool importerChosen)
{
    try {
        if (m_entry.isUploadRunning && m_entry.isUploadRunning()) {
            platform::debugPrint(QStringLiteral("Plugin export ignored: an upload is running"));
            if (m_entry.refuseWhileRunning) m_entry.refuseWhileRunning();
        } else if (!importerChosen && !(m_entry.canStartImport && m_entry.canStartImport(fileName))) {
            // The upload ended before its turn came; without the dispatcher's choice the importer
            // of the upload before would read this export.
            platform::debugPrint(QStringLiteral("Plugin export didStart: false"));
        } else if (m_entry.checkLoginAndStart) {
            m_entry.checkLoginAndStart(fileName);
        }
    } catch (const std::exception& e) {
        platform::debugPrint(QStringLiteral("Plugin export failed: ") + QString::fromUtf8(e.what()));
    } catch (...) {
        platform::debugPrint(QStringLiteral("Plugin export failed"));
    }
    m_handOffPending = false;
}

PluginMessageChannel::ImportEntry PluginMessageChannel::exportHelperEntry()
{
    ImportEntry entry;
    entry.canStartImport = [](const std::string& fileName) {
        return ExportHelper::importer().canStartImport(QString::fromStdString(fileName));
    };
    entry.checkLoginAndStart = [](const std::string& fileName) {
        ExportHelper::importer().checkLoginAndStart(QString::fromStdString(fileName));
    };
    entry.isUploadRunning = [] { return ExportHelper::importer().isUploadRunning(); };
    entry.refuseWhileRunning = [] { ExportHelper::importer().refuseWhileRunning(); };
    return entry;
}
