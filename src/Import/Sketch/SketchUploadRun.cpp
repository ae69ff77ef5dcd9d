#include "Import/Sketch/SketchUploadRun.h"

#include "Import/Plugin/ExportHelper.h"
#include "Import/Plugin/ExportImagePrepareUploadOperation.h"
#include "Import/Plugin/ExportPrepareOperation.h"
#include "Import/Plugin/ExportPreviewPrepareUploadOperation.h"
#include "Import/Plugin/ExportUploadOperation.h"
#include "Import/Plugin/UploadErrorText.h"
#include "Import/Sketch/JsonSerialization.h"
#include "Import/Sketch/SketchReaderOnline.h"
#include "Import/Sketch/SymbolMasterModelsMapper.h"
#include "platform/DebugLog.h"
#include "platform/JsonText.h"
#include "platform/MainQueue.h"
#include "platform/ProcessRunner.h"

#include <QFileInfo>
#include <QStringList>

#include <unordered_set>
#include <utility>

namespace {

bool isExecutableFile(const std::optional<std::string>& path)
{
    if (!path || path->empty()) return false;
    const QFileInfo info(QString::fromStdString(*path));
    return info.isFile() && info.isExecutable();
}

void printCounter(const char* prefix, int value)
{
    platform::debugPrint(UploadProgress::counterLine(prefix, value));
}

using Counter = UploadProgress::Counter;

} // namespace

std::shared_ptr<SketchUploadRun> SketchUploadRun::start(std::optional<SketchExportInfoDocument> exportInfo,
                                                        std::string projectId, std::string platform,
                                                        bool shouldUploadDesign, Completions completions,
                                                        platform::OperationQueue& queue)
{
    const bool haveRecord = exportInfo.has_value();
    std::shared_ptr<SketchUploadRun> run(new SketchUploadRun(std::move(exportInfo).value_or(SketchExportInfoDocument{}),
                                                             std::move(projectId), std::move(platform),
                                                             shouldUploadDesign, std::move(completions), queue));
    if (!haveRecord) {
        run->refuse(UploadErrorText::text("sketchUpload.error.noExportInfo"));
        return run;
    }
    if (!isExecutableFile(run->m_exportInfo.sketchtoolPath)) {
        run->refuse(UploadErrorText::text("sketchUpload.error.noTool",
                                          {QString::fromStdString(run->m_exportInfo.sketchtoolPath.value_or(std::string()))}));
        return run;
    }
    run->begin();
    return run;
}

SketchUploadRun::SketchUploadRun(SketchExportInfoDocument exportInfo, std::string projectId, std::string platform,
                                 bool shouldUploadDesign, Completions completions, platform::OperationQueue& queue)
    : m_exportInfo(std::move(exportInfo))
    , m_projectId(std::move(projectId))
    , m_platform(std::move(platform))
    , m_appVersion(m_exportInfo.version.value_or("-1"))
    , m_shouldUploadDesign(shouldUploadDesign)
    , m_completions(std::move(completions))
    , m_queue(queue)
{
}

bool SketchUploadRun::showNoExportableAndCont(const std::vector<std::shared_ptr<ArtboardSumModel>>& selectedArtboards,
                                              const SketchImporter& sketchImporter)
{
    if (selectedArtboards.empty()) return true;
    std::vector<std::pair<std::string, int>> infos;
    bool someWithout = false;
    for (const auto& artboard : selectedArtboards) {
        if (!artboard) continue;
        const auto count = static_cast<int>(sketchImporter.analyzeExportables(*artboard, std::string()).size());
        infos.emplace_back(artboard->name, count);
        if (count == 0) someWithout = true;
    }
    if (!someWithout) return true;
    return ExportHelper::importer().confirmContinueWithoutExportables(infos);
}

void SketchUploadRun::refuse(const std::string& message)
{
    // Reported on a later turn, like every other outcome of a run.
    auto self = shared_from_this();
    platform::dispatchMain([self, message] { self->fail(UploadFailure{std::string(), message}); });
}

void SketchUploadRun::begin()
{
    m_importer = std::make_shared<SketchImporter>();
    m_importer->pluginExportInfo = m_exportInfo;
    auto self = shared_from_this();
    if (m_completions.readingCompletion) m_completions.readingCompletion(true);
    m_importer->loadSketchDocument([self](SketchImporter::LoadResult& loaded) {
        if (self->m_completions.readingCompletion) self->m_completions.readingCompletion(false);
        self->documentLoaded(loaded);
    });
}

void SketchUploadRun::documentLoaded(SketchImporter::LoadResult& loaded)
{
    if (!isRunning()) return;
    if (!loaded.succeeded()) {
        fail(UploadFailure{m_exportInfo.sketchFilePath, loaded.error.toStdString()});
        return;
    }
    // Pages that could not be read are named: in the refusal when they leave nothing, else in
    // the warnings of the finished run.
    m_warnings = loaded.skipped;
    if (loaded.selectedArtboards.empty()) {
        if (loaded.skipped.empty()) {
            fail(UploadFailure{m_exportInfo.sketchFilePath, UploadErrorText::text("sketchUpload.error.noArtboards")});
        } else {
            QStringList items;
            for (const UploadFailure& skipped : loaded.skipped)
                items.append(QString::fromStdString(skipped.what) + QStringLiteral(": ") + QString::fromStdString(skipped.message));
            fail(UploadFailure{m_exportInfo.sketchFilePath, UploadErrorText::text("sketchUpload.error.noArtboardsSkipped",
                                                                                  {items.join(QStringLiteral("; "))})});
        }
        return;
    }

    m_queue.setMaxConcurrentOperationCount(1);

    if (!showNoExportableAndCont(loaded.selectedArtboards, *m_importer)) {
        m_state = State::cancelled;
        if (m_completions.cancelCompletion) m_completions.cancelCompletion();
        return;
    }

    // Every master goes into the import request, serialised before the instance search below
    // annotates it.
    m_symbolMasterRecords = SymbolMasterModelsMapper::map(loaded.symbolMasters);

    {
        SketchReaderOnline reader;
        const auto [masterMap, masterOrder] = reader.prepareSymbolHashMap(loaded.symbolMasters);
        std::unordered_set<std::string> seen;
        for (const auto& artboard : loaded.selectedArtboards) {
            for (const auto& master : SketchReaderOnline::getSymbolInstanceIn(*artboard, masterMap, masterOrder)) {
                if (!master || !master->masterLayer) continue;
                if (seen.insert(master->masterLayer->symbolID).second) m_usedMasters.push_back(master);
            }
        }
    }
    // Only the used masters are needed from here on; the others' trees can go.
    loaded.symbolMasters.clear();

    for (const auto& style : loaded.textStyles) {
        TextStylesExportInfo record;
        record.jsonString = JsonSerialization::dataUTF8String(style);
        m_textStyles.push_back(std::move(record));
    }
    for (const auto& style : loaded.layerStyles) {
        LayerStylesExportInfo record;
        record.jsonString = JsonSerialization::dataUTF8String(style);
        m_layerStyles.push_back(std::move(record));
    }
    loaded.textStyles.clear();
    loaded.layerStyles.clear();

    m_selectedCount = loaded.selectedArtboards.size();
    m_progress = UploadProgress(m_selectedCount, m_usedMasters.size());

    auto prepare = std::make_shared<ExportPrepareOperation>();
    prepare->sketchImporter = m_importer;
    prepare->artboardItems = std::move(loaded.selectedArtboards);
    prepare->sketchToolPath = m_exportInfo.sketchtoolPath;
    prepare->releasesArtboardTrees = true;
    auto self = shared_from_this();
    prepare->successHandler = [self](ArtboardsPreparedInfo& info) { self->prepared(info); };
    addOperation(prepare);
}

std::optional<UploadFailure> SketchUploadRun::unwritableRecord(const ArtboardsPreparedInfo& info) const
{
    const std::string message = UploadErrorText::text("sketchUpload.error.numberTooLarge");
    for (const auto& artboard : info.artboardInfoList)
        if (!artboard.jsonString) return UploadFailure{artboard.name.empty() ? artboard.oid : artboard.name, message};
    for (const auto& master : m_symbolMasterRecords)
        if (!master.jsonString) return UploadFailure{master.name.empty() ? master.oid : master.name, message};
    for (const auto& style : m_textStyles)
        if (!style.jsonString) return UploadFailure{"document.json", message};
    for (const auto& style : m_layerStyles)
        if (!style.jsonString) return UploadFailure{"document.json", message};
    return std::nullopt;
}

void SketchUploadRun::prepared(ArtboardsPreparedInfo& info)
{
    if (!isRunning()) return;
    // A number that read as infinity has no JSON form: the service would get a record without
    // its layers. Say which part of the document it is in.
    if (const auto unwritable = unwritableRecord(info)) {
        fail(*unwritable);
        return;
    }
    auto self = shared_from_this();

    auto upload = std::make_shared<ExportUploadOperation>();
    upload->projectId = m_projectId;
    upload->platform = m_platform;
    upload->appVersion = m_appVersion;
    if (m_importer->designDocument) upload->sketchFilePath = m_importer->designDocument->storedCopyPath();
    upload->artboardList = std::move(info.artboardInfoList);
    upload->textStyles = std::move(m_textStyles);
    upload->layerStyles = std::move(m_layerStyles);
    upload->symbolMasterList = std::move(m_symbolMasterRecords);
    upload->shouldUploadSketch = m_shouldUploadDesign;
    upload->successHandler = [self](const StatusResponse&) { self->importAccepted(); };
    upload->failureHandler = [self](const UploadFailure& failure) { self->fail(failure); };
    upload->designFileCompletion = [self](const std::optional<UploadFailure>& warning) { self->designFileEnded(warning); };
    m_designFilePending = m_shouldUploadDesign;
    addOperation(upload);

    uploadImagesInSymbol(m_usedMasters);

    for (const auto& artboard : info.artboards) {
        auto preview = std::make_shared<ExportPreviewPrepareUploadOperation>();
        preview->projectId = m_projectId;
        preview->appVersion = m_appVersion;
        preview->sketchImporter = m_importer;
        preview->artboardItem = artboard->artboardSumModel;
        preview->sketchToolPath = m_exportInfo.sketchtoolPath;
        preview->successHandler = [self, artboard](const std::optional<std::string>&) { self->previewUploaded(artboard); };
        preview->failureHandler = [self](const UploadFailure& failure) { self->fail(failure); };
        preview->gate = m_gate;
        addOperation(preview);
    }
}

void SketchUploadRun::importAccepted()
{
    if (!isRunning()) return;
    printCounter("ExportUploadOperation - currentUploadedStep: ",
                 m_progress.advance(Counter::artboards, static_cast<int>(m_selectedCount)));
    reportStep(kArtboardsPreparingText);
    // The resources cut so far, held back until the artboards they belong to exist, go now.
    m_gate->open();
}

void SketchUploadRun::previewUploaded(const std::shared_ptr<ArtboardPreparedInfo>& artboard)
{
    if (!isRunning()) return;
    const std::string name = artboard->artboardInfo.name;
    printCounter("ExportPreviewPrepareUploadOperation - currentPrepareStep: ", m_progress.advance(Counter::previews));
    reportExport(name);

    if (artboard->exportables.empty()) {
        printCounter("ExportImagePrepareUploadOperation else - currentUploadedStep: ",
                     m_progress.advance(Counter::artboards));
        reportStep(name);
        return;
    }
    const std::size_t imageCount = artboard->exportables.size();
    auto finishedCount = std::make_shared<std::size_t>(0);
    auto self = shared_from_this();
    for (const auto& [key, image] : artboard->exportables) {
        queueImage(key, image, artboard->artboardInfo.oid, [self, finishedCount, imageCount, name] {
            if (++*finishedCount != imageCount) return;
            printCounter("ExportImagePrepareUploadOperation - currentUploadedStep: ",
                         self->m_progress.advance(Counter::artboards));
            self->reportStep(name);
        });
    }
}

void SketchUploadRun::uploadImagesInSymbol(const std::vector<std::shared_ptr<SymbolMasterModel>>& usedMasters)
{
    if (!m_importer->pluginExportInfo || usedMasters.empty()) return;
    auto self = shared_from_this();
    for (const auto& master : usedMasters) {
        LayerSumModel& layer = *master->masterLayer;
        const std::string name = layer.name;
        const SketchImporter::ExportableImages images = m_importer->analyzeExportables(layer, std::string());
        if (images.empty()) {
            m_progress.advance(Counter::symbols);
            reportStep(name);
            continue;
        }
        const std::size_t imageCount = images.size();
        auto finishedCount = std::make_shared<std::size_t>(0);
        for (const auto& [key, image] : images) {
            queueImage(key, image, layer.symbolID, [self, finishedCount, imageCount, name] {
                if (++*finishedCount != imageCount) return;
                self->m_progress.advance(Counter::symbols);
                self->reportStep(name);
            });
        }
    }
}

void SketchUploadRun::queueImage(const std::string& key, const SketchExportableImageModel& image,
                                 const std::string& artboardId, std::function<void()> successHandler)
{
    auto operation = std::make_shared<ExportImagePrepareUploadOperation>();
    operation->projectId = m_projectId;
    operation->artboardId = artboardId;
    operation->platform = m_platform;
    operation->appVersion = m_appVersion;
    operation->sketchToolPath = m_exportInfo.sketchtoolPath;
    operation->exportableSummary = image;
    operation->sketchImporter = m_importer;
    operation->exportableItemId = key;
    auto self = shared_from_this();
    operation->successHandler = [self, successHandler = std::move(successHandler)](const StatusResponse&) {
        if (self->isRunning()) successHandler();
    };
    operation->failureHandler = [self](const UploadFailure& failure) { self->fail(failure); };
    operation->gate = m_gate;
    addOperation(operation);
}

void SketchUploadRun::designFileEnded(const std::optional<UploadFailure>& warning)
{
    if (!isRunning()) return;
    m_designFilePending = false;
    if (warning) m_warnings.push_back(*warning);
    if (m_heldFinalText) {
        const std::string text = std::move(*m_heldFinalText);
        m_heldFinalText.reset();
        m_state = State::finished;
        if (m_completions.stepCompletion) m_completions.stepCompletion(text, 100.0);
    }
}

void SketchUploadRun::addOperation(const std::shared_ptr<platform::Operation>& operation)
{
    std::erase_if(m_operations, [](const std::weak_ptr<platform::Operation>& weak) { return weak.expired(); });
    m_operations.push_back(operation);
    m_queue.addOperation(operation);
}

void SketchUploadRun::fail(const UploadFailure& failure)
{
    if (!isRunning()) return;
    m_state = State::failed;
    m_heldFinalText.reset();
    m_gate->close();
    // Operations not started yet never start; running chains see the closed gate and stop.
    for (const auto& weak : m_operations) {
        if (const auto operation = weak.lock()) operation->cancel();
    }
    m_operations.clear();
    // Cuts still running or waiting for a slot are of no use to anybody now.
    if (m_importer && m_importer->designDocument)
        platform::ProcessRunner::shared().cancelGroup(m_importer->designDocument->processGroup);
    platform::debugPrint("Sketch upload failed: " + failure.what + (failure.what.empty() ? "" : ": ") + failure.message);
    if (m_completions.failureCompletion) m_completions.failureCompletion(failure);
}

void SketchUploadRun::reportExport(const std::string& text)
{
    if (!isRunning()) return;
    if (m_completions.exportCompletion) m_completions.exportCompletion(text, m_progress.percentage());
}

void SketchUploadRun::reportStep(const std::string& text)
{
    if (!isRunning()) return;
    if (m_progress.isComplete()) {
        if (m_designFilePending) {
            m_heldFinalText = text;
            return;
        }
        m_state = State::finished;
    }
    if (m_completions.stepCompletion) m_completions.stepCompletion(text, m_progress.percentage());
}
