#include "Import/Sketch/SketchDesignImporter.h"

#include "App/ModalUtilities.h"
#include "platform/DebugLog.h"
#include "platform/Localization.h"
#include "platform/PropertyList.h"

#include <utility>

SketchDesignImporter& SketchDesignImporter::importer()
{
    static SketchDesignImporter instance;
    return instance;
}

std::optional<SketchExportInfoDocument> SketchDesignImporter::readExportFile(const QString& path, QString* error,
                                                                            platform::DeferredText* reason)
{
    platform::PropertyListLimits limits;
    limits.maxFileBytes = kMaxExportFileBytes;
    limits.maxDepth = kMaxExportFileDepth;
    QString readError;
    platform::PropertyListProblem problem = platform::PropertyListProblem::none;
    const std::optional<boost::json::value> root = platform::readPropertyList(path, &readError, &problem, limits);
    if (!root) {
        if (error) *error = readError.isEmpty() ? QStringLiteral("not a property list") : readError;
        if (reason && problem == platform::PropertyListProblem::tooLarge)
            *reason = {"sketchImporter.exportFile.tooLarge", {QString::number(kMaxExportFileBytes / 1024)}};
        if (reason && problem == platform::PropertyListProblem::tooDeep)
            *reason = {"sketchImporter.exportFile.tooDeep", {QString::number(kMaxExportFileDepth)}};
        return std::nullopt;
    }
    if (!root->is_object()) {
        if (error) *error = QStringLiteral("the property list's root is not a dictionary");
        return std::nullopt;
    }
    if (const auto* ids = root->as_object().if_contains("artboardIds"); ids && ids->is_array()
        && ids->as_array().size() > kMaxArtboardIds) {
        if (error) *error = QStringLiteral("too many artboard ids");
        if (reason) *reason = {"sketchImporter.exportFile.tooManyIds", {QString::number(kMaxArtboardIds)}};
        return std::nullopt;
    }
    SketchExportInfoDocument document = jsonmap::fromJson<SketchExportInfoDocument>(*root);
    if (document.sketchFilePath.empty()) {
        if (error) *error = QStringLiteral("no Sketch document named");
        return std::nullopt;
    }
    return document;
}

bool SketchDesignImporter::doBeforeProjectSelection(const std::string& fileName)
{
    // Whatever happens below, the earlier export must not survive into this hand-off.
    pluginExportInfo.reset();

    const QString path = QString::fromStdString(fileName);
    QString error;
    platform::DeferredText reason;
    std::optional<SketchExportInfoDocument> document = readExportFile(path, &error, &reason);
    if (!document) {
        platform::debugPrint(QStringLiteral("Could not read the Sketch export file ") + path + QStringLiteral(": ") + error);
        ErrorModel model;
        model.errorMsg = platform::localized("sketchImporter.exportFile.unreadable.title").toStdString();
        model.errorInformativeText =
            (reason.isEmpty() ? platform::localizedFormat("sketchImporter.exportFile.unreadable.text", {path})
                              : platform::localizedFormat("sketchImporter.exportFile.refused.text", {path, reason.text()}))
                .toStdString();
        ModalUtilities::showErrorDialog(model);
        return false;
    }
    pluginExportInfo = std::move(document);
    return true;
}

void SketchDesignImporter::processDesignFile(const std::string& projectId, const std::string& platform,
                                             bool shouldUploadDesign, ProgressCompletion exportCompletion,
                                             ProgressCompletion stepCompletion, std::function<void()> cancelCompletion,
                                             std::function<void(const UploadFailure&)> failureCompletion)
{
    m_run = SketchUploadRun::start(pluginExportInfo, projectId, platform, shouldUploadDesign,
                                   {std::move(exportCompletion), std::move(stepCompletion), std::move(cancelCompletion),
                                    std::move(failureCompletion), std::exchange(m_readingObserver, {})});
}

std::vector<UploadFailure> SketchDesignImporter::uploadWarnings() const
{
    return m_run ? m_run->warnings() : std::vector<UploadFailure>{};
}

std::vector<std::string> SketchDesignImporter::getArtboardIds() const
{
    return pluginExportInfo ? pluginExportInfo->artboardIds : std::vector<std::string>{};
}
