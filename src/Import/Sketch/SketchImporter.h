#pragma once

#include "Base/OrderedMap.h"
#include "Import/Plugin/FileFormats.h"
#include "Import/Plugin/IDesignImporter.h"
#include "Import/Sketch/ArtboardSumModel.h"
#include "Import/Sketch/DesignDocument.h"
#include "Import/Sketch/LayerSumModel.h"
#include "Import/Sketch/SketchExportInfoDocument.h"
#include "Import/Sketch/SketchExportableImageModel.h"
#include "platform/Localization.h"

#include <boost/json.hpp>

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The Sketch document of one upload run: has it copied into the data folder and unpacked, reads
// its pages and document file, picks the chosen artboards and every symbol master, collects the
// shared styles, and afterwards answers which images are exportable and cuts previews and images
// (through FileExporter). Copying, unpacking and reading run on a worker thread so that the window
// keeps drawing; everything else, and every completion, on the main thread.
class SketchImporter {
public:
    // Exportable images keyed by the image layer's id, in the order the layers were found.
    using ExportableImages = OrderedMap<std::string, SketchExportableImageModel>;

    struct LoadResult {
        QString error; // empty on success: what kept the document from being read
        std::vector<UploadFailure> skipped; // pages left out, each with why
        std::vector<std::shared_ptr<ArtboardSumModel>> selectedArtboards; // in artboardIds order
        std::vector<std::shared_ptr<LayerSumModel>> symbolMasters;        // all of them, page by page
        std::vector<boost::json::object> textStyles;
        std::vector<boost::json::object> layerStyles;

        bool succeeded() const { return error.isEmpty(); }
    };
    using LoadCompletion = std::function<void(LoadResult& result)>;

    using PathHandler = std::function<void(const QString& filePath)>;
    using FailureHandler = std::function<void(const QString& reason)>;

    SketchImporter() = default;
    SketchImporter(const SketchImporter&) = delete;
    SketchImporter& operator=(const SketchImporter&) = delete;

    std::shared_ptr<DesignDocument> designDocument; // set once the copy is loaded
    std::optional<SketchExportInfoDocument> pluginExportInfo;

    // Copies, unpacks and reads the document named by pluginExportInfo on a worker thread. The
    // completion runs on a later turn of the main queue, also when the document cannot be placed
    // in the data folder; it is dropped when this importer is gone by then.
    void loadSketchDocument(LoadCompletion completionHandler);

    // The reading part of the load: one page at a time, each page's tree dropped before the next
    // is read, keeping only the chosen artboards and the symbol masters.
    void getSelectedList(std::shared_ptr<DesignDocument> designDoc, LoadCompletion completionHandler);

    // That reading on the calling thread, which may be a worker: it touches only the files and
    // what it is given. An id listed twice is taken once, where it was first listed. Texts of
    // `skippedTexts` (one per entry of `skipped`) are looked up by the caller on the main thread.
    struct ReadOutcome {
        LoadResult result;
        std::vector<platform::DeferredText> skippedTexts;
        QStringList log;
    };
    static ReadOutcome readSelected(const QString& folderPath, const std::vector<std::string>& artboardIds);

    // The chosen artboards among artboard dictionaries, in artboardIds order (an id listed twice
    // gives the artboard once; unknown ids are left out).
    std::vector<std::shared_ptr<ArtboardSumModel>> findSelectedArtboards(const std::vector<boost::json::object>& inList) const;
    // Every symbol master dictionary as a layer summary, in list order.
    static std::vector<std::shared_ptr<LayerSumModel>> findSelectedSymbolMasters(std::vector<boost::json::object> inList);

    // The exportable images under an artboard or a symbol master. The search annotates the
    // model's dictionary, which is what the upload later sends.
    ExportableImages analyzeExportables(ArtboardSumModel& artboard, const std::string& customExportFormat) const;
    ExportableImages analyzeExportables(LayerSumModel& symbolMaster, const std::string& customExportFormat) const;

    // Cuts the artboard's PNG preview; on success the artboard's previewUrl is set and, when the
    // file loads as an image, its preview.
    void preparePreview(const std::shared_ptr<ArtboardSumModel>& artboard, const std::optional<std::string>& sketchToolPath,
                        PathHandler successHandler, FailureHandler failureHandler) const;

    // Cuts one exportable image at one format and scale into the document's exportables folder.
    void exportAsset(const SketchExportableImageModel& item, const std::optional<std::string>& sketchToolPath,
                     FileFormats format, double scale, PathHandler successHandler, FailureHandler failureHandler) const;

private:
    // Lets a load that finishes after this importer is gone drop its result instead of using it.
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);

    ExportableImages collectExportables(BaseSModel& owner, const std::string& ownerId,
                                        const std::string& customExportFormat) const;
};
