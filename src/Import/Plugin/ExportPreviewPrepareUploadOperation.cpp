#include "Import/Plugin/ExportPreviewPrepareUploadOperation.h"

#include "Base/ServiceEndPoints.h"
#include "Base/ServiceManager.h"
#include "Import/Plugin/ResourceDownloadResponse.h"
#include "Import/Plugin/ResourceUploadRequest.h"
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
    if (gate && gate->isClosed()) return;
    auto self = shared_from_this();
    importer.preparePreview(
        fromSumModel, sketchToolPath,
        [self, fromSumModel](const QString&) {
            if (self->gate && self->gate->isClosed()) return;
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
            if (self->gate && self->gate->isClosed()) return;
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
    // Whole strings moved in: GCC 12 at -O3 warns wrongly (-Wrestrict) on assigning short literals here.
    request.format = std::string("png");
    request.scale = std::string("1");

    ServiceCallOptions options;
    options.silentNoInternetConnection = true;
    options.ignoreError = true; // the run shows what failed on the progress screen
    auto self = shared_from_this();
    auto onError = [self](const ErrorModel& error) { self->fail(UploadErrorText::serviceMessage(error)); };
    ServiceManager::shared().callService<ResourceDownloadResponse>(
        ServiceEndPoints::Export::uploadResource, request, options,
        [self, previewData](const ResourceDownloadResponse&) {
            if (self->successHandler) self->successHandler(previewData);
        },
        onError, onError);
}

void ExportPreviewPrepareUploadOperation::fail(std::string message)
{
    if (!failureHandler) return;
    failureHandler(UploadFailure{artboardItem ? artboardItem->name : std::string(), std::move(message)});
}
