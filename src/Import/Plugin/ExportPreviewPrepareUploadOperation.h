#pragma once

#include "Import/Plugin/IDesignImporter.h"
#include "Import/Plugin/ImportGate.h"
#include "Import/Sketch/ArtboardSumModel.h"
#include "Import/Sketch/SketchImporter.h"
#include "platform/OperationQueue.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

// Cuts one artboard's PNG preview and uploads it ("resource/uploadResource") once the run's
// import was accepted. A cut that fails or gives no image fails the run.
class ExportPreviewPrepareUploadOperation : public platform::Operation,
                                            public std::enable_shared_from_this<ExportPreviewPrepareUploadOperation> {
public:
    std::string projectId;
    std::string appVersion;
    std::shared_ptr<SketchImporter> sketchImporter;
    std::shared_ptr<ArtboardSumModel> artboardItem;
    std::optional<std::string> sketchToolPath;
    // Receives the preview's Base64 text.
    std::function<void(const std::optional<std::string>& previewData)> successHandler;

    std::function<void(const UploadFailure&)> failureHandler;
    std::shared_ptr<ImportGate> gate; // shared by every operation of the run

    void main() override;

    void prepareArtboardPreview(const std::shared_ptr<ArtboardSumModel>& fromSumModel, SketchImporter& sketchImporter);
    void upload(const ArtboardSumModel& artboardSumItem, const std::optional<std::string>& previewData);

private:
    // The run ended: nothing more is sent or reported.
    bool stopped() const;
    void fail(std::string message);
};
