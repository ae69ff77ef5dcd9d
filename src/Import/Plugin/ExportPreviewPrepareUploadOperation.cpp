#include "Import/Plugin/ExportPreviewPrepareUploadOperation.h"

#include "Base/ServiceEndPoints.h"
#include "Import/Plugin/ResourceUploadRequest.h"
#include "Import/Plugin/StatusCheckedCall.h"
#include "Import/Plugin/UploadErrorText.h"
#include "Import/Plugin/UploadTextRules.h"

void ExportPreviewPrepareUploadOperation::main()
{
    if (isCancelled() || !sketchImporter || !artboardItem) return;
    prepareArtboardPreview(artboardItem, *sketchImporter);
}

void ExportPreviewPrepareUploadOperation::prepareArtboardPreview(const std::shared_ptr<ArtboardSumModel>& fromSumModel,
                                                                 SketchImporter& importer)
{
    if (stopped()) return;
    auto self = shared_from_this();
    importer.preparePreview(
        fromSumModel, sketchToolPath,
        [self, fromSumModel](const QString&) {
            if (self->stopped()) return;
            std::optional<std::string> previewData;
            if (fromSumModel->preview) {
                if (const auto base64 = UploadTextRules::base64String(*fromSumModel->preview)) previewData = base64->toStdString();
            }
            // An empty preview would replace the artboard's picture on the service with nothing.
            if (!previewData || previewData->empty()) {
                self->fail(UploadErrorText::text("sketchUpload.error.previewNoImage"));
                return;
            }
            auto upload = [self, fromSumModel, previewData] { self->upload(*fromSumModel, previewData); };
            if (self->gate) self->gate->whenOpen(std::move(upload));
            else upload();
        },
        [self](const QString& reason) {
            if (self->stopped()) return;
            self->fail(reason.toStdString());
        });
}

void ExportPreviewPrepareUploadOperation::upload(const ArtboardSumModel& artboardSumItem,
                                                 const std::optional<std::string>& previewData)
{
    ResourceUploadRequest request;
    request.fileName = artboardSumItem.do_objectID;
    request.imageName = artboardSumItem.do_objectID;
    request.oid = artboardSumItem.do_objectID;
    request.artboardId = artboardSumItem.do_objectID;
    request.imageData = previewData.value_or(std::string());
    request.projectId = projectId;
    request.appVersion = appVersion;
    request.format = "png";
    request.scale = "1";

    auto self = shared_from_this();
    // The preview's reply carries no status of its own; only an explicit false refuses it.
    StatusCheckedCall::send(
        ServiceEndPoints::Export::uploadResource, request, true, StatusCheckedCall::StatusRule::absentPasses,
        [self, previewData](const boost::json::object&) {
            if (self->stopped()) return;
            if (self->successHandler) self->successHandler(previewData);
        },
        [self](const std::optional<ErrorModel>& error) {
            if (self->stopped()) return;
            self->fail(error ? UploadErrorText::serviceMessage(*error)
                             : UploadErrorText::text("sketchUpload.error.previewRefused"));
        });
}

void ExportPreviewPrepareUploadOperation::fail(std::string message)
{
    if (!failureHandler) return;
    failureHandler(UploadFailure{artboardItem ? artboardItem->name : std::string(), std::move(message)});
}

bool ExportPreviewPrepareUploadOperation::stopped() const
{
    return (gate && gate->isClosed()) || isCancelled();
}
