// The plug-in channel's message handler: a burst of text and binary messages from one client,
// each followed by a turn of the event loop, against a recorded import entry. Only a text message
// that is a JSON object with the start action of the XD plug-in may reach the dispatcher, and a
// hand-off never overlaps another.
//
// Input: messages separated by "\n@@\n"; a message's first byte says text (even) or binary (odd).

#include "Import/Plugin/PluginMessageChannel.h"
#include "support/FuzzSupport.h"

#include <QCoreApplication>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::initialise();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::initialise();
    int asked = 0;
    int started = 0;
    bool inHandOff = false;
    PluginMessageChannel::ImportEntry entry;
    entry.canStartImport = [&](const std::string&) {
        ++asked;
        return asked % 2 == 1; // the dispatcher takes every other hand-off
    };
    entry.checkLoginAndStart = [&](const std::string&) {
        if (inHandOff) __builtin_trap();
        inHandOff = true;
        ++started;
        // A hand-off may spin a nested event loop (a modal dialog) while messages keep coming.
        QCoreApplication::processEvents();
        inHandOff = false;
    };
    entry.isUploadRunning = [&] { return started >= 3; };

    // The channel is never started: messages are delivered as the server would deliver them.
    PluginMessageChannel channel(std::move(entry), 0);
    for (const std::string_view part : fuzz::splitParts(fuzz::view(data, size), 16)) {
        if (part.empty()) continue;
        const std::string_view payload = part.substr(1);
        platform::WebSocketMessage message;
        if (static_cast<unsigned char>(part.front()) % 2 == 0)
            message = QString::fromUtf8(payload.data(), static_cast<qsizetype>(payload.size()));
        else
            message = QByteArray(payload.data(), static_cast<qsizetype>(payload.size()));
        const int askedBefore = asked;
        channel.webSocketDidReceiveMessage(nullptr, nullptr, message);
        // A binary frame never reaches the dispatcher, whatever it holds.
        if (!std::holds_alternative<QString>(message) && asked != askedBefore) __builtin_trap();
        QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
    if (started > asked) __builtin_trap();
    if (channel.isHandOffPending()) __builtin_trap();
    return 0;
}
