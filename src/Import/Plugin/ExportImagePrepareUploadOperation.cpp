#include "Import/Plugin/ExportImagePrepareUploadOperation.h"

#include "Base/ServiceEndPoints.h"
#include "Import/Plugin/ResourceUploadRequest.h"
#include "Import/Plugin/StatusCheckedCall.h"
#include "Import/Plugin/UploadErrorText.h"
#include "Import/Plugin/UploadTextRules.h"

#include <QFile>
#include <QFileInfo>

#include <cmath>

namespace {

// The file's name without its extension, as the tool runner named it: "I@2x.png" -> "I@2x".
std::string nameWithoutExtension(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return (dot > 0 ? name.left(dot) : name).toStdString();
}

} // namespace

std::vector<ExportImagePrepareUploadOperation::ScaleStep> ExportImagePrepareUploadOperation::scaleChain(const std::string& platform)
{
    if (platform == "iOS")
        return {{FileFormats::png, 1.0}, {FileFormats::png, 2.0}, {FileFormats::png, 3.0}, {FileFormats::pdf, -1.0}};
    return {{FileFormats::png, 1.0}, {FileFormats::png, 1.5}, {FileFormats::png, 2.0},
            {FileFormats::png, 3.0}, {FileFormats::png, 4.0}, {FileFormats::svg, -1.0}};
}

std::string ExportImagePrepareUploadOperation::getScale(FileFormats format, double scale)
{
    if (format == FileFormats::svg || format == FileFormats::pdf) return "-1";
    if (scale == 1.5) return "1.5";
    return std::to_string(static_cast<long long>(std::trunc(scale)));
}

void ExportImagePrepareUploadOperation::main()
{
    if (isCancelled() || !sketchImporter) return;
    prepareAndUpload(exportableSummary);
}

void ExportImagePrepareUploadOperation::prepareAndUpload(const SketchExportableImageModel& exportableItem)
{
    exportableSummary = exportableItem;
    m_chain = scaleChain(platform);
    cutAndUploadProjectResource(0);
}

void ExportImagePrepareUploadOperation::cutAndUploadProjectResource(std::size_t step)
{
    if (stopped() || !sketchImporter) return;
    if (step >= m_chain.size()) {
        StatusResponse done;
        done.status = true;
        if (successHandler) successHandler(done);
        return;
    }
    auto self = shared_from_this();
    sketchImporter->exportAsset(
        exportableSummary, sketchToolPath, m_chain[step].format, m_chain[step].scale,
        [self, step](const QString& filePath) {
            if (self->stopped()) return;
            self->upload(step, filePath);
        },
        [self](const QString& reason) {
            if (self->stopped()) return;
            self->fail(reason.toStdString());
        });
}

void ExportImagePrepareUploadOperation::upload(std::size_t step, const QString& filePath)
{
    QFile file(filePath);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly)) bytes = file.readAll();
    if (bytes.isEmpty()) {
        fail(UploadErrorText::text("sketchUpload.error.imageUnreadable", {QFileInfo(filePath).fileName()}));
        return;
    }

    const ScaleStep scaleStep = m_chain[step];
    auto request = std::make_shared<ResourceUploadRequest>();
    request->fileName = nameWithoutExtension(filePath);
    request->imageName = UploadTextRules::imageNameStripped(QString::fromStdString(exportableSummary.name.value_or(std::string())))
                             .toStdString();
    request->imageData = bytes.toBase64().toStdString();
    request->projectId = projectId;
    request->appVersion = appVersion;
    request->oid = exportableItemId;
    request->artboardId = artboardId;
    request->format = std::string(fileFormatRawValue(scaleStep.format));
    request->scale = getScale(scaleStep.format, scaleStep.scale);

    auto self = shared_from_this();
    auto send = [self, step, request] {
        StatusCheckedCall::send(
            ServiceEndPoints::Export::uploadResource, *request, true, StatusCheckedCall::StatusRule::mustBeTrue,
            [self, step](const boost::json::object&) {
                if (self->stopped()) return;
                self->cutAndUploadProjectResource(step + 1);
            },
            [self, format = request->format, scale = request->scale](const std::optional<ErrorModel>& error) {
                if (self->stopped()) return;
                self->fail(error ? UploadErrorText::serviceMessage(*error)
                                 : UploadErrorText::text("sketchUpload.error.imageRefused",
                                                         {QString::fromStdString(scale), QString::fromStdString(format)}));
            });
    };
    if (gate) gate->whenOpen(std::move(send));
    else send();
}

void ExportImagePrepareUploadOperation::fail(std::string message)
{
    if (!failureHandler) return;
    const std::string name = exportableSummary.name && !exportableSummary.name->empty() ? *exportableSummary.name
                                                                                       : exportableItemId;
    failureHandler(UploadFailure{name, std::move(message)});
}
