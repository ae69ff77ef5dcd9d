#pragma once

#include "Base/BaseModel.h"
#include "Import/Plugin/ArtboardExportInfo.h"
#include "Import/Plugin/IDesignImporter.h"
#include "Import/Plugin/LayerStylesExportInfo.h"
#include "Import/Plugin/SymbolMasterExportInfo.h"
#include "Import/Plugin/TextStylesExportInfo.h"
#include "platform/OperationQueue.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Sends the import request ("import/newScreensFromSketch") and, once the service has accepted it
// and wants the design document, the zipped document ("resource/uploadDesignFile").
class ExportUploadOperation : public platform::Operation, public std::enable_shared_from_this<ExportUploadOperation> {
public:
    std::string projectId;
    std::string platform;
    std::string appVersion;
    // The document to zip: the run's stored copy in the data folder, never the user's own file,
    // which may have changed since it was read.
    std::optional<QString> sketchFilePath;
    std::vector<ArtboardExportInfo> artboardList;
    std::vector<SymbolMasterExportInfo> symbolMasterList;
    std::vector<TextStylesExportInfo> textStyles;
    std::vector<LayerStylesExportInfo> layerStyles;
    std::function<void(const StatusResponse&)> successHandler;
    bool shouldUploadSketch = false;

    // The import was refused (status false) or failed.
    std::function<void(const UploadFailure&)> failureHandler;
    // Called once, when the design document's upload has ended, whenever shouldUploadSketch is
    // set and the import was accepted: nullopt when the service took it, otherwise what went wrong.
    std::function<void(const std::optional<UploadFailure>&)> designFileCompletion;

    void main() override;

private:
    void uploadSketchFile();
    void endDesignFile(std::optional<UploadFailure> warning);
};
