#pragma once

#include "Import/Plugin/ArtboardsPreparedInfo.h"
#include "Import/Plugin/IDesignImporter.h"
#include "Import/Plugin/ImportGate.h"
#include "Import/Plugin/LayerStylesExportInfo.h"
#include "Import/Plugin/SymbolMasterExportInfo.h"
#include "Import/Plugin/TextStylesExportInfo.h"
#include "Import/Plugin/UploadProgress.h"
#include "Import/Sketch/SketchExportInfoDocument.h"
#include "Import/Sketch/SketchImporter.h"
#include "Import/Sketch/SymbolMasterModel.h"
#include "platform/OperationQueue.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// One upload of a Sketch design into a project: loads the document, asks about artboards without
// exportable images, queues the upload operations and turns their callbacks into progress reports.
//
// Progress: 3 x (selected artboards) + (used symbol masters) steps. The import request's
// acceptance counts one step per artboard, each uploaded preview one, each artboard whose images
// are all uploaded one, and each used master whose images are all uploaded one. The report that
// reaches exactly 100 goes through stepCompletion and ends the run; when the design document is
// being uploaded too, that report waits for the document's upload to end.
//
// Any failure (refused import, failed cut, refused or failed upload, a preview without image)
// stops the run: failureCompletion is called once with what failed, nothing is sent afterwards,
// and nothing else is reported. Runs live on the main thread; all state of a run is here, so a
// later hand-off to the importer cannot change a run that is going on.
class SketchUploadRun : public std::enable_shared_from_this<SketchUploadRun> {
public:
    struct Completions {
        ProgressCompletion exportCompletion;
        ProgressCompletion stepCompletion;
        std::function<void()> cancelCompletion;
        std::function<void(const UploadFailure&)> failureCompletion;
        // true while the document is copied, unpacked and read; false once that is over.
        std::function<void(bool reading)> readingCompletion;
    };

    enum class State { running, finished, failed, cancelled };

    // The text of the step that the import request's acceptance reports.
    static constexpr const char* kArtboardsPreparingText = "Artboards are preparing for upload...";

    // Starts a run with its own copy of the export record. A run without a record, or whose
    // record names no executable Sketch tool, is refused before anything is read or sent. Every
    // report arrives later, on the main thread. `queue` is not owned and must outlive the run.
    static std::shared_ptr<SketchUploadRun> start(std::optional<SketchExportInfoDocument> exportInfo, std::string projectId,
                                                  std::string platform, bool shouldUploadDesign, Completions completions,
                                                  platform::OperationQueue& queue = platform::OperationQueue::mainQueue());

    // Asks whether to go on when some selected artboards have no exportable images; true: go on.
    // Every selected artboard is analysed (which annotates its dictionary for the upload).
    static bool showNoExportableAndCont(const std::vector<std::shared_ptr<ArtboardSumModel>>& selectedArtboards,
                                        const SketchImporter& sketchImporter);

    State state() const { return m_state; }
    double totalSteps() const { return m_progress.total(); }
    // Problems that did not stop the run (pages of the document that could not be read, the
    // design document could not be uploaded), complete once the run has finished.
    const std::vector<UploadFailure>& warnings() const { return m_warnings; }

    SketchUploadRun(const SketchUploadRun&) = delete;
    SketchUploadRun& operator=(const SketchUploadRun&) = delete;

private:
    SketchUploadRun(SketchExportInfoDocument exportInfo, std::string projectId, std::string platform,
                    bool shouldUploadDesign, Completions completions, platform::OperationQueue& queue);

    void begin();
    void documentLoaded(SketchImporter::LoadResult& loaded);
    void prepared(ArtboardsPreparedInfo& info);
    void importAccepted();
    void previewUploaded(const std::shared_ptr<ArtboardPreparedInfo>& artboard);
    void uploadImagesInSymbol(const std::vector<std::shared_ptr<SymbolMasterModel>>& usedMasters);
    void queueImage(const std::string& key, const SketchExportableImageModel& image, const std::string& artboardId,
                    std::function<void()> successHandler);
    void designFileEnded(const std::optional<UploadFailure>& warning);

    bool isRunning() const { return m_state == State::running; }
    void addOperation(const std::shared_ptr<platform::Operation>& operation);
    void fail(const UploadFailure& failure);
    void refuse(const std::string& message);
    // The first record whose JSON could not be written (a number too large for JSON), if any.
    std::optional<UploadFailure> unwritableRecord(const ArtboardsPreparedInfo& info) const;
    void reportExport(const std::string& text);
    void reportStep(const std::string& text);

    SketchExportInfoDocument m_exportInfo;
    std::string m_projectId;
    std::string m_platform;
    std::string m_appVersion;
    bool m_shouldUploadDesign;
    Completions m_completions;
    platform::OperationQueue& m_queue; // not owned

    State m_state = State::running;
    std::shared_ptr<SketchImporter> m_importer;
    std::shared_ptr<ImportGate> m_gate = std::make_shared<ImportGate>();
    std::vector<std::weak_ptr<platform::Operation>> m_operations;

    std::size_t m_selectedCount = 0;
    std::vector<std::shared_ptr<SymbolMasterModel>> m_usedMasters;
    std::vector<SymbolMasterExportInfo> m_symbolMasterRecords;
    std::vector<TextStylesExportInfo> m_textStyles;
    std::vector<LayerStylesExportInfo> m_layerStyles;

    UploadProgress m_progress;

    bool m_designFilePending = false;
    std::optional<std::string> m_heldFinalText; // the 100 report, waiting for the design document
    std::vector<UploadFailure> m_warnings;
};
