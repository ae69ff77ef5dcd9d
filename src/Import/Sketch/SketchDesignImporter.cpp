#include "Import/Sketch/SketchDesignImporter.h"

#include "App/ModalUtilities.h"
#include "platform/DebugLog.h"
#include "platform/Localization.h"
#include "platform/PropertyList.h"

SketchDesignImporter& SketchDesignImporter::importer()
{
    static SketchDesignImporter instance;
    return instance;
}

std::optional<SketchExportInfoDocument> SketchDesignImporter::readExportFile(const QString& path, QString* error)
{
    QString readError;
    const std::optional<boost::json::value> root = platform::readPropertyList(path, &readError);
    if (!root) {
        if (error) *error = readError.isEmpty() ? QStringLiteral("not a property list") : readError;
        return std::nullopt;
    }
    if (!root->is_object()) {
        if (error) *error = QStringLiteral("the property list's root is not a dictionary");
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
    std::optional<SketchExportInfoDocument> document = readExportFile(path, &error);
    if (!document) {
        platform::debugPrint(QStringLiteral("Could not read the Sketch export file ") + path + QStringLiteral(": ") + error);
        ErrorModel model;
        model.errorMsg = platform::localized("sketchImporter.exportFile.unreadable.title").toStdString();
        model.errorInformativeText =
            platform::localizedFormat("sketchImporter.exportFile.unreadable.text", {path}).toStdString();
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
                                    std::move(failureCompletion)});
}

std::vector<UploadFailure> SketchDesignImporter::uploadWarnings() const
{
    return m_run ? m_run->warnings() : std::vector<UploadFailure>{};
}

std::vector<std::string> SketchDesignImporter::getArtboardIds() const
{
    return pluginExportInfo ? pluginExportInfo->artboardIds : std::vector<std::string>{};
}
