#pragma once

#include <QString>
#include <QWebSocket>

#include <functional>

// The design tool's side of the plug-in channel: a WebSocket client on the local machine that
// connects to the application and sends it one text message, as the XD plug-in does when an
// export is done. It sends no Origin header: the plug-in is a native client, not a web page.
class PluginChannelClient {
public:
    PluginChannelClient();
    ~PluginChannelClient();
    PluginChannelClient(const PluginChannelClient&) = delete;
    PluginChannelClient& operator=(const PluginChannelClient&) = delete;

    // Connects to ws://127.0.0.1:port and waits (running the event loop) until the handshake is
    // done, the connection failed or `timeoutMs` ran out. On failure `error` says why.
    bool connectTo(quint16 port, int timeoutMs, QString* error);

    // Sends the text as one message and hands it to the socket at once.
    bool send(const QString& text, QString* error);

private:
    QWebSocket m_socket;
};
