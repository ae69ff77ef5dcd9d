#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class EchoingDialogPresenter;
class ExportViewController;
class PluginChannelClient;
class PluginMessageChannel;
class ProjectSelectionViewController;

// Walks the application's own import road without a screen: signs in through the service
// client, hands the file over as the desktop would (open-file), double-clicks the chosen project
// in the project selection and follows the progress screen to its end. Every progress report
// the screen shows is printed as "progress PERCENT TEXT".
//
// On the Adobe XD road the export is put into the plug-in's data folder instead, and the hand-off
// is the plug-in's start message, sent over a real WebSocket connection to the application's
// plug-in channel; what the channel said about it is printed as "channel LINE".
class ImportDriver : public QObject {
    Q_OBJECT

public:
    struct Options {
        QUrl service;
        QString email;
        QString password;
        std::string projectId;
        // The answer to the question about artboards without exportable images.
        bool answerContinue = true;
        int timeoutSeconds = 600;
        // Also print "stats ..." with the time from hand-off to 100 and the peak memory.
        bool stats = false;
        // Sketch: the export file. XD: the plug-in data folder to import; empty: whatever the
        // home's plug-in data folder holds.
        QString file;

        bool xd = false;
        // The port the application's plug-in channel listens on; 0: any free one.
        quint16 wsPort = 0;
        // Sent instead of the plug-in's start message.
        std::optional<QString> message;
        // The home folder to run in; empty: a private temporary one, removed at the end.
        QString home;
    };

    // What the XD plug-in sends when its export is done.
    static QString startMessage();

    // Exit statuses.
    static constexpr int kFinished = 0;
    static constexpr int kFailed = 1; // the run failed or was cancelled, or the road did not get that far
    static constexpr int kTimedOut = 2;

    ImportDriver(Options options, std::function<void(const QString& line)> print);
    ~ImportDriver() override;

    // Runs the whole road; answers the exit status.
    int run();

private:
    enum class Ending { none, finished, failed, cancelled };

    bool signIn();
    // XD: the export in the plug-in's data folder ("plugin-folder PATH" tells where).
    bool placeXDExport();
    // XD: starts the application's plug-in channel and sends it the start message.
    bool handOffOverChannel();
    void channelLine(const QString& line);
    // The selection, or nullptr when a dialog since `alertsBefore` said the road ends, the
    // channel did not take the hand-off, or time ran out.
    ProjectSelectionViewController* waitForProjectSelection(std::size_t alertsBefore);
    ExportViewController* doubleClickProject(ProjectSelectionViewController* selection);
    int followUpload(ExportViewController* screen);
    void printStats();
    int remainingMs() const;
    int failWith(const QString& message);
    static void closeAllWindows();

    Options m_options;
    std::function<void(const QString&)> m_print;
    EchoingDialogPresenter* m_dialogs = nullptr; // owned
    QElapsedTimer m_clock;
    QElapsedTimer m_sinceHandOff;
    std::optional<qint64> m_handOffToHundredMs;
    std::optional<qint64> m_uploadToHundredMs;
    QElapsedTimer m_sinceUploadStart;
    Ending m_ending = Ending::none;

    std::unique_ptr<PluginMessageChannel> m_channel;
    std::unique_ptr<PluginChannelClient> m_channelClient; // goes before the channel it talks to
    bool m_channelStarted = false;
    bool m_channelAccepted = false;
    // The channel took the message without starting an import for it.
    bool m_channelDeclined = false;
};
