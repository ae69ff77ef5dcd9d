#pragma once

#include "platform/WebSocketServer.h"

#include <boost/json.hpp>

#include <QObject>

#include <functional>
#include <memory>
#include <optional>
#include <string>

// The application's end of the Adobe XD plug-in's channel: a WebSocket server on the local
// machine whose start messages hand an XD export over to the import dispatcher. It only
// receives. A start message names an XD export or is refused: the Sketch road starts only from
// an export file opened with the application.
//
// A start message is handed on through a queued call, never from inside the socket's event
// handler: the hand-off may show a modal dialog, whose nested event loop would otherwise deliver
// further messages into a hand-off that is still running. While one hand-off waits or runs,
// further start messages are logged and ignored; while an upload runs, a start message is
// refused with the same message the user gets for a design opened from the desktop.
class PluginMessageChannel : public QObject, public platform::WebSocketServerDelegate {
    Q_OBJECT
public:
    static constexpr quint16 kDefaultPort = 9221;

    // What the channel needs of the import dispatcher; tests record these calls.
    struct ImportEntry {
        std::function<bool(const std::string& fileName)> canStartImport;
        std::function<void(const std::string& fileName)> checkLoginAndStart;
        std::function<bool()> isUploadRunning;
        // Tells the user that the start message has to wait for the running upload.
        std::function<void()> refuseWhileRunning;
    };
    // The entry that goes to ExportHelper::importer().
    static ImportEntry exportHelperEntry();

    explicit PluginMessageChannel(quint16 port = kDefaultPort, QObject* parent = nullptr);
    PluginMessageChannel(ImportEntry entry, quint16 port, QObject* parent = nullptr);
    ~PluginMessageChannel() override;

    // Creates the server on 127.0.0.1 and starts it. It is never stopped explicitly.
    void start();
    platform::WebSocketServer* websocketServer() const { return m_server.get(); }

    // A start message was accepted and its hand-off has not finished yet.
    bool isHandOffPending() const { return m_handOffPending; }

    // The message as a JSON object: only text messages that parse as an object qualify.
    // A parse error prints "JSONSerialization error".
    static std::optional<boost::json::object> getJSONDictionary(const platform::WebSocketMessage& message);

    // Whether a start message's file name leads to the Adobe XD importer and nowhere else.
    static bool isAdobeXDExportName(const std::string& fileName);

    // platform::WebSocketServerDelegate
    void serverDidStart(platform::WebSocketServer* server) override;
    void serverDidStop(platform::WebSocketServer* server) override;
    void serverDidFail(platform::WebSocketServer* server, const QString& errorDescription) override;
    void webSocketDidOpen(platform::WebSocketServer* server, QWebSocket* webSocket) override;
    void webSocketDidReceiveMessage(platform::WebSocketServer* server, QWebSocket* webSocket,
                                    const platform::WebSocketMessage& message) override;
    void webSocketDidFail(platform::WebSocketServer* server, QWebSocket* webSocket,
                          const QString& errorDescription) override;
    void webSocketDidClose(platform::WebSocketServer* server, QWebSocket* webSocket, int code, const QString& reason,
                           bool wasClean) override;

private:
    // Asks the dispatcher whether it takes the hand-off and, when it does, queues the hand-off.
    void handleStartMessage(const std::string& fileName);
    // `importerChosen`: the dispatcher has already taken the hand-off and chosen its importer.
    void queueHandOff(const std::string& fileName, bool importerChosen);
    // Starts the import, or refuses it when an upload is running by now. A hand-off queued
    // while an upload ran is first offered to the dispatcher, as a fresh message would be.
    void runHandOff(const std::string& fileName, bool importerChosen);

    ImportEntry m_entry;
    quint16 m_port;
    std::unique_ptr<platform::WebSocketServer> m_server;
    bool m_handOffPending = false;
};
