#pragma once

#include "Import/Plugin/IDesignImporter.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct ProjectDisplayInfo;

// Coordinates one design upload: which importer handles a hand-off, the sign-in test, the
// project selection, the chosen project, the start of the importer on the progress screen and
// the analytics event of a finished upload. All of it runs on the main thread.
class ExportHelper {
public:
    // The process-wide coordinator.
    static ExportHelper& importer();

    ExportHelper() = default;
    ExportHelper(const ExportHelper&) = delete;
    ExportHelper& operator=(const ExportHelper&) = delete;

    // The importer chosen by the last accepted hand-off (a process-wide singleton; not owned).
    IDesignImporter* designImporter = nullptr;
    // Whether the service wants the design document itself; set when the project list for an
    // import is loaded.
    bool shouldUploadSketch = false;
    std::optional<std::string> projectId;
    // The window controller that hosts the project selection and then the progress screen;
    // set by the navigator when it creates that window. Not owned.
    QPointer<QObject> windowController;
    std::string platform = "iOS";

    // Picks the importer by the file name: any name containing ".zvusk" goes to the Sketch
    // importer, ".xdzvusk" to the XD importer; other names are refused and change nothing.
    // While an upload is running an importable hand-off is refused with a message and the
    // upload's window comes to the front.
    bool canStartImport(const QString& fileName);

    // Brings the application forward; signed in, lets the importer read the hand-off and, when
    // it can be used, opens the project selection; signed out, shows the login window.
    void checkLoginAndStart(const QString& fileName);

    // Records the chosen project and opens the progress screen in the selection's window, which
    // marks the upload as running.
    void startExportProcess(const ProjectDisplayInfo& project);

    // Hands the recorded project to the chosen importer. The run counts as ended when a step
    // report reaches 100, or on cancel or failure. Without an importer the failure is reported.
    // `readingCompletion`: see IDesignImporter::setReadingObserver.
    void processDesignFile(ProgressCompletion exportCompletion, ProgressCompletion stepCompletion,
                           std::function<void()> cancelCompletion,
                           std::function<void(const UploadFailure&)> failureCompletion,
                           std::function<void(bool reading)> readingCompletion = {});

    // Records the analytics event of a finished upload and ends the run.
    void doAfterExportCompleted();

    // Asks whether to go on when some selected artboards have no exportable images; each entry is
    // (artboard name, number of exportable images). No dialog when every artboard has images.
    // Only an explicit "Continue" goes on: Escape or closing the dialog cancels.
    bool confirmContinueWithoutExportables(const std::vector<std::pair<std::string, int>>& artboardsInfos);

    // The detail text of that question: one localised entry per artboard, in order.
    static QString createSelectedArtboardsInfoString(const std::vector<std::pair<std::string, int>>& artboardsInfos);

    // The progress screen marks its run: started when it begins, ended when it finishes, fails or
    // is cancelled. Closing its window does not end it; a run whose window is deleted is over.
    void uploadStarted();
    void uploadEnded();
    bool isUploadRunning() const;

    // Tells the user that a hand-off has to wait for the running upload, and brings that
    // upload's window (also one the user closed) to the front.
    void refuseWhileRunning();

private:
    struct UploadRun {
        bool active = true;
    };

    IDesignImporter* importerForFileName(const QString& fileName) const;

    std::shared_ptr<UploadRun> m_run;
};
