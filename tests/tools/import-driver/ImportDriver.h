#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <functional>
#include <optional>
#include <string>

class EchoingDialogPresenter;
class ExportViewController;
class ProjectSelectionViewController;

// Walks the application's own import road without a screen: signs in through the service
// client, hands the file over as the desktop would (open-file), double-clicks the chosen project
// in the project selection and follows the progress screen to its end. Every progress report
// the screen shows is printed as "progress PERCENT TEXT".
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
        QString file;
    };

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
    ProjectSelectionViewController* waitForProjectSelection();
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
};
