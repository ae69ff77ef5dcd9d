#pragma once

#include "Base/BaseModel.h"
#include "Import/Plugin/FileFormats.h"
#include "Import/Plugin/IDesignImporter.h"
#include "Import/Plugin/ImportGate.h"
#include "Import/Sketch/SketchExportableImageModel.h"
#include "Import/Sketch/SketchImporter.h"
#include "platform/OperationQueue.h"

#include <QString>

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Cuts one exportable image at every scale of the project's platform and uploads each file
// ("resource/uploadResource"), one step after the other: a step starts only when the service has
// accepted the previous one. Uploads wait for the run's import to be accepted. Any failed cut,
// unreadable file or refused upload fails the run.
class ExportImagePrepareUploadOperation : public platform::Operation,
                                          public std::enable_shared_from_this<ExportImagePrepareUploadOperation> {
public:
    struct ScaleStep {
        FileFormats format;
        double scale;
    };

    std::string projectId;
    std::string artboardId; // the artboard's record oid, or the symbol id for images inside symbols
    std::string appVersion;
    SketchExportableImageModel exportableSummary;
    std::function<void(const StatusResponse&)> successHandler;
    std::optional<std::string> sketchToolPath;
    std::shared_ptr<SketchImporter> sketchImporter;
    std::string exportableItemId; // sent as oid
    std::string platform;         // exactly "iOS" takes the iOS chain; anything else the Android one

    std::function<void(const UploadFailure&)> failureHandler;
    std::shared_ptr<ImportGate> gate; // shared by every operation of the run

    void main() override;

    void prepareAndUpload(const SketchExportableImageModel& exportableItem);

    // The (format, scale) steps of a platform, in upload order.
    static std::vector<ScaleStep> scaleChain(const std::string& platform);
    // The scale text sent: "-1" for vector formats, "1.5", or the integer part ("1", "2", ...).
    static std::string getScale(FileFormats format, double scale);

private:
    void cutAndUploadProjectResource(std::size_t step);
    void upload(std::size_t step, const QString& filePath);
    void fail(std::string message);
    bool stopped() const { return (gate && gate->isClosed()) || isCancelled(); }

    std::vector<ScaleStep> m_chain;
};
