#include "Import/Plugin/PluginMessageChannel.h"

#include "Import/Plugin/AdobeXDDesignImportHelper.h"
#include "Import/Plugin/ExportHelper.h"
#include "Import/Sketch/SketchDesignImporter.h"
#include "Projects/ProjectDisplayInfo.h"
#include "platform/DebugLog.h"
#include "platform/MainQueue.h"
#include "platform/ScriptedDialogPresenter.h"
#include "support/ServiceTestDoubles.h"

#include <gtest/gtest.h>

#include <QWebSocket>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kWaitMs = 10000; // safety net only

const std::string kReceived = "Server websocket did receive message: ";

std::string startMessage(const std::string& fileName)
{
    return R"({"actionCode":"start","source":"adobeXd","fileName":")" + fileName + R"("})";
}

// Records the dispatcher calls and the channel's debug lines in one list, in the order they happen.
class PluginMessageChannelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::setDebugCapture([this](const QString& line) { events.push_back(line.toStdString()); });
        PluginMessageChannel::ImportEntry entry;
        entry.canStartImport = [this](const std::string& fileName) {
            events.push_back("canStartImport " + fileName);
            return fileName.find("busy") == std::string::npos; // the dispatcher declines "busy" hand-offs
        };
        entry.checkLoginAndStart = [this](const std::string& fileName) {
            events.push_back("checkLoginAndStart " + fileName);
            if (duringHandOff) duringHandOff();
        };
        entry.isUploadRunning = [this] { return uploadRunning; };
        entry.refuseWhileRunning = [this] { events.push_back("refuseWhileRunning"); };
        listenWith(std::move(entry));
    }
    // A channel on a free port with the client connected to it.
    void listenWith(PluginMessageChannel::ImportEntry entry)
    {
        client.close();
        channel = std::make_unique<PluginMessageChannel>(std::move(entry), 0);
        channel->start();
        ASSERT_TRUE(waitForEvent("Server did start\u2026"));
        client.open(QUrl(QStringLiteral("ws://127.0.0.1:%1").arg(channel->websocketServer()->serverPort())));
        ASSERT_TRUE(platform::runMainLoopUntil([this] { return client.state() == QAbstractSocket::ConnectedState; }, kWaitMs));
    }
    void TearDown() override
    {
        client.close();
        channel.reset();
        platform::setDebugCapture(nullptr);
    }

    bool waitForEvent(const std::string& event)
    {
        return platform::runMainLoopUntil([&] { return std::count(events.begin(), events.end(), event) > 0; }, kWaitMs);
    }
    // Sends one message and waits until it was handled, including any hand-off it started.
    void exchange(const std::string& message, bool binary = false)
    {
        events.clear();
        if (binary)
            client.sendBinaryMessage(QByteArray::fromStdString(message));
        else
            client.sendTextMessage(QString::fromStdString(message));
        ASSERT_TRUE(platform::runMainLoopUntil(
            [&] { return std::any_of(events.begin(), events.end(), [](const std::string& e) { return e.starts_with(kReceived); }); },
            kWaitMs));
        ASSERT_TRUE(platform::runMainLoopUntil([&] { return !channel->isHandOffPending(); }, kWaitMs));
    }
    std::vector<std::string> events;
    bool uploadRunning = false;
    std::function<void()> duringHandOff;
    std::unique_ptr<PluginMessageChannel> channel;
    QWebSocket client;
};

} // namespace

TEST_F(PluginMessageChannelTest, MessagesAreHandledAsTheDispatcherExpects)
{
    const std::string xd = startMessage("/tmp/design.xdzvusk");
    const std::string refused = startMessage("/tmp/busy.xdzvusk");
    const std::string wrongTypes = R"({"actionCode":1,"source":["adobeXd"],"fileName":"/tmp/d.xdzvusk"})";
    const struct {
        const char* name;
        std::string message;
        std::vector<std::string> expected;
        bool binary = false;
        bool whileUploading = false;
    } cases[] = {
        {"xd start", xd,
         {"canStartImport /tmp/design.xdzvusk", "Plugin export didStart: true", kReceived + xd,
          "checkLoginAndStart /tmp/design.xdzvusk"}},
        {"declined by the dispatcher", refused,
         {"canStartImport /tmp/busy.xdzvusk", "Plugin export didStart: false", kReceived + refused}},
        {"wrong value types", wrongTypes, {kReceived + wrongTypes}},
        {"empty text", "", {"JSONSerialization error", kReceived}},
        {"not JSON", "start please", {"JSONSerialization error", kReceived + "start please"}},
        {"bare value", "42", {kReceived + "42"}},
        {"binary", xd, {kReceived}, true},
        // The open-file road's refusal, shown after the message was handled, as a hand-off is.
        {"while an upload runs", xd,
         {kReceived + xd, "Plugin export ignored: an upload is running", "refuseWhileRunning"}, false, true},
    };
    for (const auto& c : cases) {
        uploadRunning = c.whileUploading;
        exchange(c.message, c.binary);
        EXPECT_EQ(events, c.expected) << c.name;
    }
}

// A start message naming a ".zvusk" file was routed to the Sketch road, which runs the program
// that file names. The channel belongs to the XD plug-in: anything but an XD export is refused.
TEST_F(PluginMessageChannelTest, StartMessageNamingAnythingButAnXDExportIsRefused)
{
    for (const std::string name : {"/tmp/design.zvusk", "/tmp/x.xdzvusk.zvusk", "/tmp/design.sketch",
                                   "/Applications/Sketch.app/Contents/MacOS/sketchtool", ""}) {
        const std::string message = startMessage(name);
        exchange(message);
        EXPECT_EQ(events, (std::vector<std::string>{"Plugin export refused: not an Adobe XD export: " + name,
                                                    kReceived + message}))
            << name;
    }
}

TEST_F(PluginMessageChannelTest, StartMessageDuringAModalHandOffIsNotHandedOffAgain)
{
    // The hand-off shows a modal dialog (a nested event loop) while the plug-in sends again.
    const std::string first = startMessage("/tmp/first.xdzvusk");
    const std::string second = startMessage("/tmp/second.xdzvusk");
    duringHandOff = [&] {
        duringHandOff = nullptr;
        client.sendTextMessage(QString::fromStdString(second));
        platform::runMainLoopUntil([&] { return std::count(events.begin(), events.end(), kReceived + second) == 1; },
                                   kWaitMs);
    };
    exchange(first);
    EXPECT_EQ(events, (std::vector<std::string>{"canStartImport /tmp/first.xdzvusk", "Plugin export didStart: true",
                                                kReceived + first, "checkLoginAndStart /tmp/first.xdzvusk",
                                                "Plugin export ignored: a hand-off is being prepared",
                                                kReceived + second}));
    // Once the first hand-off is over, the next message is handed off again.
    exchange(second);
    EXPECT_EQ(events.back(), "checkLoginAndStart /tmp/second.xdzvusk");
}

TEST_F(PluginMessageChannelTest, OversizeMessageClosesTheConnectionWithoutHandOff)
{
    events.clear();
    const std::string padded = startMessage("/tmp/" + std::string(70 * 1024, 'p') + ".xdzvusk");
    client.sendTextMessage(QString::fromStdString(padded));
    ASSERT_TRUE(waitForEvent("Server websocket did close with code: 1009"));
    EXPECT_EQ(events, std::vector<std::string>{"Server websocket did close with code: 1009"});
}

// A start message during an upload was only logged: the user saw nothing happen.
TEST_F(PluginMessageChannelTest, StartMessageDuringAnUploadShowsTheUploadInProgressDialog)
{
    EventLog log;
    RecordingNavigator navigator(log);
    platform::ScriptedDialogPresenter dialogs;
    QObject uploadWindow;
    uploadWindow.setObjectName(QStringLiteral("upload-window"));
    ExportHelper& helper = ExportHelper::importer();
    helper.windowController = &uploadWindow;
    helper.startExportProcess(ProjectDisplayInfo{});
    ASSERT_TRUE(helper.isUploadRunning());
    listenWith(PluginMessageChannel::exportHelperEntry());
    log.events.clear();

    exchange(startMessage("/tmp/design.xdzvusk"));

    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].text.toStdString(), "An upload is in progress");
    EXPECT_EQ(log.events, (std::vector<std::string>{"activate", "bringToFront:upload-window"}));
    helper.uploadEnded();
    helper.windowController = nullptr;
}

// An XD start message that arrived during a Sketch upload was queued without choosing its importer;
// when the upload ended first, the Sketch importer read the XD export and the hand-off was lost.
TEST_F(PluginMessageChannelTest, StartMessageQueuedDuringAnUploadThatEndsReachesTheXDImporter)
{
    platform::ScriptedDialogPresenter dialogs;
    QObject uploadWindow;
    ExportHelper& helper = ExportHelper::importer();
    helper.designImporter = &SketchDesignImporter::importer();
    helper.windowController = &uploadWindow;
    helper.uploadStarted();
    ASSERT_TRUE(helper.isUploadRunning());

    PluginMessageChannel::ImportEntry entry = PluginMessageChannel::exportHelperEntry();
    // The upload ends in the turn between the message and its queued hand-off.
    entry.isUploadRunning = [&helper, seen = false]() mutable {
        const bool running = helper.isUploadRunning();
        if (!seen) helper.uploadEnded();
        seen = true;
        return running;
    };
    IDesignImporter* importerAtStart = nullptr;
    entry.checkLoginAndStart = [&](const std::string&) { importerAtStart = helper.designImporter; };
    listenWith(std::move(entry));

    exchange(startMessage("/tmp/design.xdzvusk"));

    EXPECT_EQ(importerAtStart, &AdobeXDDesignImportHelper::importer());
    EXPECT_TRUE(dialogs.shown().empty());
    helper.windowController = nullptr;
}
