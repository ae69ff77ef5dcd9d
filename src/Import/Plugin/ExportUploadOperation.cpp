#include "Import/Plugin/ExportUploadOperation.h"

#include "Base/ServiceEndPoints.h"
#include "Import/Plugin/ImportAllFromPluginRequest.h"
#include "Import/Plugin/ResourceDesignUploadRequest.h"
#include "Import/Plugin/StatusCheckedCall.h"
#include "Import/Plugin/UploadErrorText.h"
#include "Import/Plugin/UploadTextRules.h"
#include "platform/Archive.h"
#include "platform/DebugLog.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

// "My File.sketch" -> "My File"; a name without extension stays as it is.
QString baseName(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? name.left(dot) : name;
}

template <class Record>
boost::json::array takeIntoJson(std::vector<Record>& records)
{
    boost::json::array list;
    list.reserve(records.size());
    for (Record& record : records) {
        list.push_back(jsonmap::write(record));
        record = Record();
    }
    records.clear();
    records.shrink_to_fit();
    return list;
}

} // namespace

void ExportUploadOperation::main()
{
    if (isCancelled()) return;

    // The records carry the whole design as JSON text. Each is written into the body and dropped
    // at once, so the design is never held as records, as a request and as a body all together.
    boost::json::object body;
    {
        ImportAllFromPluginRequest request;
        request.projectId = projectId;
        request.platform = platform;
        request.appVersion = appVersion;
        body = jsonmap::toJsonObject(request);
    }
    body["artboards"] = takeIntoJson(artboardList);
    body["symbolMasters"] = takeIntoJson(symbolMasterList);
    body["textStyles"] = takeIntoJson(textStyles);
    body["layerStyles"] = takeIntoJson(layerStyles);

    auto self = shared_from_this();
    StatusCheckedCall::send(
        ServiceEndPoints::Import::importNewScreensSketch, std::move(body), false, StatusCheckedCall::StatusRule::mustBeTrue,
        [self](const boost::json::object& reply) {
            if (self->isCancelled()) return;
            self->uploadSketchFile();
            if (self->successHandler) self->successHandler(jsonmap::fromJson<StatusResponse>(reply));
        },
        [self](const std::optional<ErrorModel>& error) {
            if (self->isCancelled() || !self->failureHandler) return;
            self->failureHandler(UploadFailure{std::string(), error ? UploadErrorText::serviceMessage(*error)
                                                                    : UploadErrorText::text("sketchUpload.error.importRefused")});
        });
}

void ExportUploadOperation::uploadSketchFile()
{
    if (!shouldUploadSketch) return;
    if (!sketchFilePath) {
        endDesignFile(UploadFailure{std::string(), UploadErrorText::text("sketchUpload.warning.designFileMissing")});
        return;
    }
    const QString archiveName = baseName(*sketchFilePath) + QStringLiteral(".zip");
    const std::string what = archiveName.toStdString();

    QByteArray archive;
    {
        // A private folder, removed with everything in it when this scope ends.
        QTemporaryDir folder;
        QString error;
        const QString archivePath = folder.filePath(archiveName);
        if (!folder.isValid() || !platform::zipFile(*sketchFilePath, archivePath, &error)) {
            platform::debugPrint(QStringLiteral("Could not zip the design document: ") + error);
            endDesignFile(UploadFailure{what, UploadErrorText::text("sketchUpload.warning.designFileZip", {error})});
            return;
        }
        QFile file(archivePath);
        if (!file.open(QIODevice::ReadOnly)) {
            endDesignFile(UploadFailure{what, UploadErrorText::text("sketchUpload.warning.designFileZip", {file.errorString()})});
            return;
        }
        archive = file.readAll();
    }

    ResourceDesignUploadRequest request;
    request.fileName = UploadTextRules::designArchiveUploadName(archiveName).toStdString();
    request.projectId = projectId;
    request.fileData = archive.toBase64().toStdString();
    archive.clear();

    auto self = shared_from_this();
    StatusCheckedCall::send(
        ServiceEndPoints::Export::uploadDesignFile, request, true, StatusCheckedCall::StatusRule::mustBeTrue,
        [self](const boost::json::object&) { self->endDesignFile(std::nullopt); },
        [self, what](const std::optional<ErrorModel>& error) {
            self->endDesignFile(UploadFailure{what, error ? UploadErrorText::serviceMessage(*error)
                                                          : UploadErrorText::text("sketchUpload.warning.designFileRefused")});
        });
}

void ExportUploadOperation::endDesignFile(std::optional<UploadFailure> warning)
{
    if (isCancelled()) return;
    if (designFileCompletion) designFileCompletion(warning);
}
