#include "Import/Plugin/ExportHelper.h"

#include "Account/UserProfile.h"
#include "App/MixpanelManager.h"
#include "App/ModalUtilities.h"
#include "App/NavigatorInterface.h"
#include "Import/Plugin/AdobeXDDesignImportHelper.h"
#include "Import/Sketch/SketchDesignImporter.h"
#include "Projects/ProjectDisplayInfo.h"
#include "platform/DebugLog.h"
#include "platform/Dialogs.h"
#include "platform/Localization.h"
#include "platform/MainQueue.h"

#include <QCoreApplication>
#include <QThread>

#include <algorithm>

namespace {

bool onMainThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

// Importers may report progress from the thread that saw a child process end.
void onMain(std::function<void()> work)
{
    if (onMainThread())
        work();
    else
        platform::dispatchMain(std::move(work));
}

} // namespace

ExportHelper& ExportHelper::importer()
{
    static ExportHelper helper;
    return helper;
}

IDesignImporter* ExportHelper::importerForFileName(const QString& fileName) const
{
    // A substring test, not a suffix test: the plug-ins' names are matched loosely on purpose.
    if (fileName.contains(QStringLiteral(".zvusk"))) return &SketchDesignImporter::importer();
    if (fileName.contains(QStringLiteral(".xdzvusk"))) return &AdobeXDDesignImportHelper::importer();
    return nullptr;
}

void ExportHelper::refuseWhileRunning()
{
    platform::debugPrint(QStringLiteral("A design hand-off was refused: an upload is running"));
    NavigatorInterface& navigator = NavigatorInterface::share();
    navigator.activateApplication();
    navigator.bringWindowToFront(windowController.data());
    ModalUtilities::showInfoDialog(platform::localized("exportHelper.uploadRunning.title"),
                                   platform::localized("exportHelper.uploadRunning.text"));
}

bool ExportHelper::canStartImport(const QString& fileName)
{
    IDesignImporter* chosen = importerForFileName(fileName);
    if (!chosen) return false;
    if (isUploadRunning()) {
        refuseWhileRunning();
        return false;
    }
    designImporter = chosen;
    return true;
}

void ExportHelper::checkLoginAndStart(const QString& fileName)
{
    if (isUploadRunning()) {
        refuseWhileRunning();
        return;
    }
    NavigatorInterface& navigator = NavigatorInterface::share();
    navigator.activateApplication();

    const bool signedIn = UserProfile::isLoggedInBefore() && UserProfile::shared().isSignedIn();
    if (!signedIn) {
        // The hand-off is not remembered: the user starts it again from the design tool.
        navigator.showLoginViewController();
        return;
    }
    if (designImporter && !designImporter->doBeforeProjectSelection(fileName.toStdString())) return;
    navigator.showProjectSelectionViewController(windowController.data(), {});
}

void ExportHelper::startExportProcess(const ProjectDisplayInfo& project)
{
    if (isUploadRunning()) {
        refuseWhileRunning();
        return;
    }
    projectId = project.projectId;
    platform = project.platform;
    if (!windowController) return;

    uploadStarted();
    NavigatorInterface& navigator = NavigatorInterface::share();
    navigator.bringWindowToFront(windowController.data());
    navigator.openExportArtboards(windowController.data(), project);
}

void ExportHelper::processDesignFile(ProgressCompletion exportCompletion, ProgressCompletion stepCompletion,
                                     std::function<void()> cancelCompletion,
                                     std::function<void(const UploadFailure&)> failureCompletion,
                                     std::function<void(bool reading)> readingCompletion)
{
    if (!m_run || !m_run->active) uploadStarted();
    std::shared_ptr<UploadRun> run = m_run;
    auto endRun = [run] { onMain([run] { run->active = false; }); };

    if (!designImporter) {
        endRun();
        if (failureCompletion)
            failureCompletion(UploadFailure{"", platform::localized("exportHelper.error.noDesign").toStdString()});
        return;
    }

    // Importers call their closures without asking whether the screen gave one.
    ProgressCompletion progress = [exportCompletion = std::move(exportCompletion)](const std::string& text,
                                                                                   double percentage) {
        if (exportCompletion) exportCompletion(text, percentage);
    };
    ProgressCompletion step = [endRun, stepCompletion = std::move(stepCompletion)](const std::string& text,
                                                                                  double percentage) {
        if (percentage >= 100.0) endRun();
        if (stepCompletion) stepCompletion(text, percentage);
    };
    std::function<void()> cancel = [endRun, cancelCompletion = std::move(cancelCompletion)] {
        endRun();
        if (cancelCompletion) cancelCompletion();
    };
    std::function<void(const UploadFailure&)> fail = [endRun, failureCompletion = std::move(failureCompletion)](
                                                         const UploadFailure& failure) {
        endRun();
        if (failureCompletion) failureCompletion(failure);
    };
    designImporter->setReadingObserver(std::move(readingCompletion));
    designImporter->processDesignFile(projectId.value_or(std::string()), platform, shouldUploadSketch,
                                      std::move(progress), std::move(step), std::move(cancel), std::move(fail));
}

void ExportHelper::doAfterExportCompleted()
{
    const MixPanelEventCode code = designImporter ? designImporter->getEventCode() : MixPanelEventCode::SKETCH_UPLOAD;
    const std::size_t count = designImporter ? designImporter->getArtboardIds().size() : 0;
    boost::json::object properties;
    properties["Uploaded Artboard/s Count"] = static_cast<std::int64_t>(count);

    const auto& user = UserProfile::shared().userInfo;
    const std::optional<std::string> email = user ? std::optional<std::string>(user->email) : std::nullopt;
    MixpanelManager::mixPanelLog(MixpanelManager::userNameValue(), email, code, std::string(), properties);
    uploadEnded();
}

bool ExportHelper::confirmContinueWithoutExportables(const std::vector<std::pair<std::string, int>>& artboardsInfos)
{
    const bool someWithout = std::any_of(artboardsInfos.begin(), artboardsInfos.end(),
                                         [](const auto& info) { return info.second <= 0; });
    if (!someWithout) return true;

    const int response = ModalUtilities::confirmationDialog(
        platform::localized("exportHelper.noExportable.artboard.questionText"),
        {platform::localized("common.continue"), platform::localized("common.cancel")},
        platform::localizedFormat("exportHelper.noExportable.artboard.text",
                                  {createSelectedArtboardsInfoString(artboardsInfos)}));
    return response == platform::kAlertFirstButtonReturn;
}

QString ExportHelper::createSelectedArtboardsInfoString(const std::vector<std::pair<std::string, int>>& artboardsInfos)
{
    QString detail;
    for (const auto& [name, count] : artboardsInfos)
        detail += platform::localizedFormat("exportHelper.noExportable.artboard.detailedText",
                                            {QString::fromStdString(name), QString::number(count)});
    return detail;
}

void ExportHelper::uploadStarted()
{
    m_run = std::make_shared<UploadRun>();
}

void ExportHelper::uploadEnded()
{
    if (m_run) m_run->active = false;
}

bool ExportHelper::isUploadRunning() const
{
    return m_run && m_run->active && !windowController.isNull();
}
