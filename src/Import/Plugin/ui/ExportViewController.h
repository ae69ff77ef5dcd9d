#pragma once

#include "App/ui/ViewController.h"
#include "Import/Plugin/IDesignImporter.h"
#include "Projects/ProjectDisplayInfo.h"

#include <QPointer>

#include <optional>
#include <string>
#include <vector>

class QHideEvent;
class QLabel;
class QProgressBar;
class QPushButton;
class QShowEvent;

// The screen shown while a design is uploaded into the chosen project: what is being done, the
// percentage, a bar from 0 to 100 and a busy indicator. It starts the upload when it is first
// shown. A step report of exactly 100 finishes it once: the project list is reloaded, the window
// closes and the upload is logged, also when the reload fails. A failed run stays on screen with
// what failed and a Close button; a cancelled one closes at once.
//
// The upload outlives its window: closing the window while the run goes on only hides it, so the
// screen inside still finishes the run (the list is reloaded and the upload logged at 100). The
// window is let go, and deleted if it was closed, once the run has ended.
class ExportViewController : public ViewController {
    Q_OBJECT

public:
    enum class Phase { preparing, progressing, finishing, finished, failed, cancelled };

    static ExportViewController* instantiate();

    // The target project; set by the navigator before the screen is shown.
    std::optional<ProjectDisplayInfo> project;

    // "%" followed by the percentage as "%.0f" prints it: 42.6 -> "%43", halves to the even
    // neighbour (12.5 -> "%12", 13.5 -> "%14"). Values that are not numbers show as 0.
    static QString percentageText(double percentage);

    Phase phase() const { return m_phase; }

    QLabel* exportInfoLabel() const { return m_exportInfoLabel; }
    QLabel* completedPercentageLabel() const { return m_completedPercentageLabel; }
    QProgressBar* progressBar() const { return m_progressBar; }
    // Stands in for the spinning indicator and the looping animation: busy while the upload runs.
    QProgressBar* indicator() const { return m_indicator; }
    // Shown only after a failure.
    QPushButton* closeButton() const { return m_closeButton; }

Q_SIGNALS:
    // What the screen has just shown, for whoever watches the upload without looking at it (the
    // headless import driver): each applied report, then exactly one of the three endings.
    void progressShown(const QString& text, double percentage);
    // The list has been reloaded (or could not be), the window closed and the upload logged.
    void uploadFinished();
    void uploadFailed(const QString& shownText);
    void uploadCancelled();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

public:
    ~ExportViewController() override;

private:
    ExportViewController();

    // Sets the labels to their first texts and hands the three reports to the importer.
    void viewDidLoad();
    void readingReported(bool reading);
    void exportReported(const QString& text, double percentage);
    void stepReported(const QString& text, double percentage);
    void cancelled();
    void failed(const UploadFailure& failure);
    void finish();
    // Closes the screen's window (when it is still there), logs the upload and shows what did
    // not stop it but went wrong.
    static void finishUpload(const QPointer<ExportViewController>& screen);
    void setBusy(bool busy);
    bool acceptsReports() const;
    // Keeps the window from being deleted when it is closed, until releaseWindow().
    void holdWindow();
    // The run is over: the window is deleted on close again, and at once when already closed.
    void releaseWindow();
    void closeWindow();
    QString projectName() const;

    Phase m_phase = Phase::preparing;
    bool m_loaded = false;

    QLabel* m_exportInfoLabel = nullptr;          // owned by the layout
    QLabel* m_completedPercentageLabel = nullptr; // owned by the layout
    QProgressBar* m_progressBar = nullptr;        // owned by the layout
    QProgressBar* m_indicator = nullptr;          // owned by the layout
    QPushButton* m_closeButton = nullptr;         // owned by the layout
    QPointer<QWidget> m_heldWindow;               // our window while the run holds it; not owned
};
