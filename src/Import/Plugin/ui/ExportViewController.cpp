#include "Import/Plugin/ui/ExportViewController.h"

#include "App/ModalUtilities.h"
#include "App/NavigatorInterface.h"
#include "Import/Plugin/ExportHelper.h"
#include "platform/DebugLog.h"
#include "platform/Localization.h"
#include "platform/MainQueue.h"

#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

QString qtext(const std::string& text)
{
    return QString::fromStdString(text);
}

// What the labels show of a text from outside (a service message, a name): a label lays out a
// megabyte of text for many seconds, and nobody reads it.
constexpr qsizetype kMaxShownChars = 2000;

QString shown(const std::string& text)
{
    return platform::shortenedForDisplay(qtext(text), kMaxShownChars);
}

// The whole percent the screen shows. Halves go to the even neighbour, as the "%.0f" format
// prints them (12.5 -> 12, 13.5 -> 14), so the bar and the text never disagree.
double wholePercent(double percentage)
{
    return std::isfinite(percentage) ? std::nearbyint(percentage) : 0.0;
}

int barValue(double percentage)
{
    return static_cast<int>(std::clamp(wholePercent(percentage), 0.0, 100.0));
}

QString warningText(const std::vector<UploadFailure>& warnings)
{
    QStringList lines;
    for (const UploadFailure& warning : warnings) {
        lines.append(warning.what.empty() ? qtext(warning.message)
                                          : platform::localizedFormat("exportViewController.warning.item",
                                                                      {qtext(warning.what), qtext(warning.message)}));
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

ExportViewController* ExportViewController::instantiate()
{
    return new ExportViewController;
}

ExportViewController::ExportViewController()
{
    setObjectName(QStringLiteral("ExportViewController"));
    setWindowTitle(platform::localized("exportViewController.title"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 32, 32, 32);
    layout->setSpacing(12);
    layout->addStretch();

    m_indicator = new QProgressBar(this);
    m_indicator->setObjectName(QStringLiteral("indicator"));
    m_indicator->setRange(0, 0); // no range: the bar runs back and forth while busy
    m_indicator->setTextVisible(false);
    m_indicator->setMaximumHeight(6);
    m_indicator->hide();
    layout->addWidget(m_indicator);

    m_exportInfoLabel = new QLabel(this);
    m_exportInfoLabel->setObjectName(QStringLiteral("exportInfoLabel"));
    m_exportInfoLabel->setAlignment(Qt::AlignCenter);
    m_exportInfoLabel->setWordWrap(true);
    m_exportInfoLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_exportInfoLabel);

    m_progressBar = new QProgressBar(this);
    m_progressBar->setObjectName(QStringLiteral("progressBar"));
    m_progressBar->setRange(0, 100);
    m_progressBar->setValue(0);
    m_progressBar->setTextVisible(false);
    layout->addWidget(m_progressBar);

    m_completedPercentageLabel = new QLabel(this);
    m_completedPercentageLabel->setObjectName(QStringLiteral("completedPercentageLabel"));
    m_completedPercentageLabel->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_completedPercentageLabel);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_closeButton = new QPushButton(platform::localized("exportViewController.closeButton"), this);
    m_closeButton->setObjectName(QStringLiteral("closeButton"));
    m_closeButton->hide();
    connect(m_closeButton, &QPushButton::clicked, this, &ExportViewController::closeWindow);
    buttons->addWidget(m_closeButton);
    buttons->addStretch();
    layout->addLayout(buttons);

    layout->addStretch();
    setMinimumSize(420, 240);
}

ExportViewController::~ExportViewController()
{
    // Taken out of a window that lives on (its content replaced): that window is closed the
    // ordinary way again. A window that is deleting us needs nothing.
    if (m_heldWindow && !m_heldWindow->isAncestorOf(this)) m_heldWindow->setAttribute(Qt::WA_DeleteOnClose, true);
}

QString ExportViewController::percentageText(double percentage)
{
    const double shown = wholePercent(percentage);
    // "-0" would read oddly for a tiny negative value.
    return QStringLiteral("%") + QString::number(shown == 0.0 ? 0.0 : shown, 'f', 0);
}

void ExportViewController::showEvent(QShowEvent* event)
{
    ViewController::showEvent(event);
    // The upload starts once the screen is on screen, when the navigator has set the project.
    if (!m_loaded) {
        m_loaded = true;
        holdWindow();
        viewDidLoad();
    }
    if (acceptsReports()) setBusy(true);
}

void ExportViewController::hideEvent(QHideEvent* event)
{
    ViewController::hideEvent(event);
    setBusy(false);
    NavigatorInterface::share().removeIndicator();
}

void ExportViewController::viewDidLoad()
{
    m_completedPercentageLabel->setText(QString());
    m_exportInfoLabel->setText(platform::localized("exportViewController.exportInfoLabel.preparing"));
    m_progressBar->setRange(0, 100);

    // Reports arrive on the main thread; each is applied on a later turn, in call order, so a
    // report never runs inside the importer's own call. A closed window keeps the screen alive
    // until the run ends; only a screen deleted with its window drops the report.
    QPointer<ExportViewController> self(this);
    ProgressCompletion exportCompletion = [self](const std::string& text, double percentage) {
        platform::dispatchMain([self, text = shown(text), percentage] {
            if (self) self->exportReported(text, percentage);
        });
    };
    ProgressCompletion stepCompletion = [self](const std::string& text, double percentage) {
        platform::dispatchMain([self, text = shown(text), percentage] {
            if (self) self->stepReported(text, percentage);
        });
    };
    std::function<void()> cancelCompletion = [self] {
        if (self) self->cancelled();
    };
    // Queued behind the reports made before it, so none of them covers the failure text.
    std::function<void(const UploadFailure&)> failureCompletion = [self](const UploadFailure& failure) {
        platform::dispatchMain([self, failure] {
            if (self) self->failed(failure);
        });
    };
    // The document is read off the main thread; meanwhile the screen says so.
    std::function<void(bool)> readingCompletion = [self](bool reading) {
        if (self) self->readingReported(reading);
    };
    ExportHelper::importer().processDesignFile(std::move(exportCompletion), std::move(stepCompletion),
                                               std::move(cancelCompletion), std::move(failureCompletion),
                                               std::move(readingCompletion));
}

bool ExportViewController::acceptsReports() const
{
    return m_phase == Phase::preparing || m_phase == Phase::progressing;
}

void ExportViewController::readingReported(bool reading)
{
    if (m_phase != Phase::preparing) return;
    m_exportInfoLabel->setText(platform::localized(reading ? "exportViewController.exportInfoLabel.reading"
                                                           : "exportViewController.exportInfoLabel.preparing"));
}

void ExportViewController::exportReported(const QString& text, double percentage)
{
    if (!acceptsReports()) return;
    m_phase = Phase::progressing;
    m_completedPercentageLabel->setText(platform::localizedFormat(
        "exportViewController.completedPercentageLabel.exportCompletion", {percentageText(percentage)}));
    m_exportInfoLabel->setText(platform::localizedFormat("exportViewController.exportInfoLabel.exportCompletion", {text}));
    m_progressBar->setValue(barValue(percentage));
    Q_EMIT progressShown(text, percentage);
    // Only a step report finishes the upload, whatever this percentage says.
}

void ExportViewController::stepReported(const QString& text, double percentage)
{
    if (!acceptsReports()) return;
    m_phase = Phase::progressing;
    m_completedPercentageLabel->setText(platform::localizedFormat(
        "exportViewController.completedPercentageLabel.stepCompletion", {percentageText(percentage)}));
    m_exportInfoLabel->setText(
        platform::localizedFormat("exportViewController.exportInfoLabel.stepCompletion", {text, projectName()}));
    m_progressBar->setValue(barValue(percentage));
    Q_EMIT progressShown(text, percentage);
    if (percentage == 100.0) finish();
}

void ExportViewController::finish()
{
    m_phase = Phase::finishing;
    setBusy(false);
    QPointer<ExportViewController> self(this);
    auto done = std::make_shared<bool>(false);
    // The upload is over whether or not the list comes back: a failed reload must not leave the
    // finished upload's window open and unlogged. Nor must a window the user closed meanwhile
    // keep the upload from being logged.
    NavigatorInterface::share().showProjectsMainController([self, done](bool shown) {
        if (*done) return; // a navigator that answers twice still finishes once
        *done = true;
        if (!shown) platform::debugPrint("The project list could not be reloaded after the upload");
        finishUpload(self);
    });
}

void ExportViewController::finishUpload(const QPointer<ExportViewController>& screen)
{
    ExportHelper& helper = ExportHelper::importer();
    const std::vector<UploadFailure> warnings =
        helper.designImporter ? helper.designImporter->uploadWarnings() : std::vector<UploadFailure>{};
    if (screen) {
        screen->m_phase = Phase::finished;
        screen->closeWindow();
    }
    helper.doAfterExportCompleted();
    if (!warnings.empty()) {
        // On a later turn: the finished window is on its way out and the caller is a service reply.
        platform::dispatchMain([text = warningText(warnings)] {
            ModalUtilities::showInfoDialog(platform::localized("exportViewController.warning.title"), text);
        });
    }
    if (screen) Q_EMIT screen->uploadFinished();
}

void ExportViewController::cancelled()
{
    if (!acceptsReports()) return;
    m_phase = Phase::cancelled;
    setBusy(false);
    closeWindow();
    Q_EMIT uploadCancelled();
}

void ExportViewController::failed(const UploadFailure& failure)
{
    if (!acceptsReports()) return;
    m_phase = Phase::failed;
    setBusy(false);
    ExportHelper::importer().uploadEnded();
    const QString message = failure.message.empty() ? platform::localized("common.errorOccured") : shown(failure.message);
    m_exportInfoLabel->setText(
        failure.what.empty()
            ? platform::localizedFormat("exportViewController.exportInfoLabel.failure", {message})
            : platform::localizedFormat("exportViewController.exportInfoLabel.failureItem", {shown(failure.what), message}));
    m_closeButton->show();
    m_closeButton->setFocus();
    Q_EMIT uploadFailed(m_exportInfoLabel->text());
    // A window the user closed during the run is not brought back for the failure.
    releaseWindow();
}

void ExportViewController::setBusy(bool busy)
{
    m_indicator->setVisible(busy);
}

void ExportViewController::holdWindow()
{
    QWidget* w = window();
    if (w == this || !w->testAttribute(Qt::WA_DeleteOnClose)) return;
    m_heldWindow = w;
    w->setAttribute(Qt::WA_DeleteOnClose, false);
}

void ExportViewController::releaseWindow()
{
    const QPointer<QWidget> w = m_heldWindow;
    m_heldWindow = nullptr;
    if (!w) return;
    w->setAttribute(Qt::WA_DeleteOnClose, true);
    if (w->isHidden()) w->deleteLater();
}

void ExportViewController::closeWindow()
{
    QWidget* w = window();
    if (w == this) {
        close();
        return;
    }
    // A window the user closed during the run is only deleted now; it is not closed twice.
    const bool closedAlready = w->isHidden();
    releaseWindow();
    if (!closedAlready) w->close();
}

QString ExportViewController::projectName() const
{
    return project ? qtext(project->name) : QString();
}
