#include "Import/Sketch/SketchImporter.h"

#include "App/GFileManager.h"
#include "Import/Sketch/DocumentModel.h"
#include "Import/Sketch/FileExporter.h"
#include "Import/Sketch/LayerModel.h"
#include "Import/Sketch/PageModel.h"
#include "Import/Sketch/SandboxDocument.h"
#include "Import/Sketch/SketchFinderHelperUtils.h"
#include "Import/Sketch/SketchLayerKeys.h"
#include "platform/Localization.h"
#include "platform/DebugLog.h"
#include "platform/JsonText.h"
#include "platform/MainQueue.h"
#include "platform/Worker.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <unordered_map>
#include <unordered_set>

namespace {

std::optional<std::string_view> textMember(const boost::json::object& dict, std::string_view key)
{
    const boost::json::value* v = dict.if_contains(key);
    if (!v || !v->is_string()) return std::nullopt;
    return std::string_view(v->get_string());
}

// One page or document file; the file's text is dropped as soon as it is parsed. Why it could not
// be read goes to `problem` (a file that cannot be opened is no page to speak of).
std::optional<boost::json::object> readSketchJson(const QString& path, platform::DeferredText* problem = nullptr)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) return std::nullopt;
    std::string error;
    std::optional<boost::json::value> parsed;
    {
        const QByteArray text = file.readAll();
        parsed = platform::parseJson(std::string_view(text.constData(), static_cast<std::size_t>(text.size())), &error,
                                     kMaxSketchJsonDepth);
    }
    if (parsed && parsed->is_object()) return std::move(parsed->get_object());
    if (problem) {
        static const std::string tooDeep = boost::json::make_error_code(boost::json::error::too_deep).message();
        *problem = error == tooDeep ? platform::DeferredText{"sketchImporter.skipped.tooDeep", {QString::number(kMaxSketchJsonDepth)}}
                                    : platform::DeferredText{"sketchImporter.skipped.invalidJson", {}};
    }
    return std::nullopt;
}

// Sorted by name, so the masters of a document come in the same order on every machine.
QStringList pagePaths(const QString& folderPath)
{
    const QDir pages(QDir(folderPath).filePath(QStringLiteral("pages")));
    QStringList paths;
    for (const QFileInfo& info :
         pages.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name))
        paths << info.filePath();
    return paths;
}

// A summary of a layer dictionary, which the summary then keeps. Its child layers stay in the
// dictionary only: mapping them into typed children too would hold every layer of a large
// document twice, and nothing reads the typed children.
template <class Summary>
std::shared_ptr<Summary> summaryOf(boost::json::object dict)
{
    boost::json::value children;
    if (boost::json::value* layers = dict.if_contains("layers")) {
        children = std::move(*layers);
        *layers = nullptr;
    }
    auto model = std::make_shared<Summary>(jsonmap::fromJson<Summary>(dict));
    if (boost::json::value* layers = dict.if_contains("layers")) *layers = std::move(children);
    model->dict = std::move(dict);
    return model;
}

std::shared_ptr<ArtboardSumModel> artboardFrom(boost::json::object dict)
{
    return summaryOf<ArtboardSumModel>(std::move(dict));
}

} // namespace

void SketchImporter::loadSketchDocument(LoadCompletion completionHandler)
{
    if (!pluginExportInfo) {
        auto result = std::make_shared<LoadResult>();
        result->error = platform::localized("sketchImporter.error.noExportInfo");
        platform::dispatchMain([completionHandler = std::move(completionHandler), result] {
            if (completionHandler) completionHandler(*result);
        });
        return;
    }
    // The worker gets copies of what it needs; only the main thread touches this importer.
    const QString sourcePath = QString::fromStdString(pluginExportInfo->sketchFilePath);
    const std::string version = pluginExportInfo->version.value_or(std::string());
    const std::vector<std::string> ids = pluginExportInfo->artboardIds;
    const platform::UnzipLimits limits = GFileManager::defaultUnzipLimits();
    std::weak_ptr<int> alive = m_alive;
    platform::runOnWorker([this, alive, sourcePath, version, ids, limits,
                           completionHandler = std::move(completionHandler)]() mutable {
        FileReadyResult ready = GFileManager::makeFileReady(sourcePath, limits);
        auto outcome = std::make_shared<ReadOutcome>();
        std::shared_ptr<DesignDocument> document;
        if (ready.succeeded()) {
            document = std::make_shared<DesignDocument>(*ready.copyPath, ready.unpackedFolderPath, version);
            *outcome = readSelected(document->folderPath, ids);
        }
        platform::dispatchMain([this, alive, ready = std::move(ready), outcome, document,
                                completionHandler = std::move(completionHandler)] {
            for (const QString& line : ready.log) platform::debugPrint(line);
            for (const QString& line : outcome->log) platform::debugPrint(line);
            if (alive.expired()) return;
            LoadResult& result = outcome->result;
            if (!ready.succeeded()) {
                result.error = ready.errorText.isEmpty() ? platform::localized("sketchImporter.error.noCopy")
                                                         : ready.errorText.text();
            } else {
                designDocument = document;
                for (std::size_t i = 0; i < result.skipped.size() && i < outcome->skippedTexts.size(); ++i)
                    result.skipped[i].message = outcome->skippedTexts[i].text().toStdString();
            }
            if (completionHandler) completionHandler(result);
        });
    });
}

void SketchImporter::getSelectedList(std::shared_ptr<DesignDocument> designDoc, LoadCompletion completionHandler)
{
    const std::vector<std::string> ids = pluginExportInfo ? pluginExportInfo->artboardIds : std::vector<std::string>{};
    auto outcome = std::make_shared<ReadOutcome>(readSelected(designDoc->folderPath, ids));
    for (const QString& line : outcome->log) platform::debugPrint(line);
    for (std::size_t i = 0; i < outcome->result.skipped.size() && i < outcome->skippedTexts.size(); ++i)
        outcome->result.skipped[i].message = outcome->skippedTexts[i].text().toStdString();
    platform::dispatchMain([completionHandler = std::move(completionHandler), outcome] {
        if (completionHandler) completionHandler(outcome->result);
    });
}

SketchImporter::ReadOutcome SketchImporter::readSelected(const QString& folderPath, const std::vector<std::string>& artboardIds)
{
    ReadOutcome outcome;
    LoadResult& result = outcome.result;
    const std::unordered_set<std::string> wanted(artboardIds.begin(), artboardIds.end());
    std::unordered_map<std::string, std::shared_ptr<ArtboardSumModel>> found;

    for (const QString& path : pagePaths(folderPath)) {
        platform::DeferredText problem;
        std::optional<boost::json::object> parsed = readSketchJson(path, &problem);
        if (!parsed) {
            if (!problem.isEmpty()) {
                const QString name = QStringLiteral("pages/") + QFileInfo(path).fileName();
                outcome.log.append(QStringLiteral("Skipping ") + name + QStringLiteral(": ") + QLatin1String(problem.key));
                result.skipped.push_back(UploadFailure{name.toStdString(), std::string()});
                outcome.skippedTexts.push_back(std::move(problem));
            }
            continue;
        }
        PageModel page;
        page.dict = std::move(*parsed);

        // The page is dropped after these two walks, so the dictionaries we keep are moved out of
        // it rather than copied: a large page never exists twice in memory.
        BaseSModel::SearchCallbacks takeChosen;
        takeChosen.matchCheck = [](const boost::json::object&) { return false; };
        takeChosen.matchAndReplace = [&](boost::json::object& candidate) {
            const auto id = textMember(candidate, "do_objectID");
            if (!id) return;
            const std::string key(*id);
            if (!wanted.count(key) || found.count(key)) return;
            found.emplace(key, artboardFrom(std::move(candidate)));
        };
        page.findDictionary(SketchLayerKeys::kArtboard, false, std::nullopt, {}, takeChosen);

        std::vector<boost::json::object> masters;
        BaseSModel::SearchCallbacks takeAll;
        takeAll.matchCheck = [](const boost::json::object&) { return false; };
        takeAll.matchAndReplace = [&masters](boost::json::object& candidate) { masters.push_back(std::move(candidate)); };
        page.findDictionary(SketchLayerKeys::kSymbolMasters, false, std::nullopt, {}, takeAll);
        for (auto& master : findSelectedSymbolMasters(std::move(masters))) result.symbolMasters.push_back(std::move(master));
    }

    // An id listed twice would send two cut chains into one file; it is taken once.
    std::unordered_set<std::string> handedOut;
    for (const std::string& id : artboardIds) {
        const auto it = found.find(id);
        if (it == found.end()) continue;
        if (handedOut.insert(id).second) result.selectedArtboards.push_back(it->second);
        else outcome.log.append(QStringLiteral("Artboard listed twice, taken once: ") + QString::fromStdString(id));
    }

    if (auto document = readSketchJson(QDir(folderPath).filePath(QStringLiteral("document.json")))) {
        DocumentModel model;
        model.dict = std::move(*document);
        result.textStyles = model.findDictionary(SketchLayerKeys::kTextStyles, false);
        result.layerStyles = model.findDictionary(SketchLayerKeys::kLayerStyles, false);
    }
    return outcome;
}

std::vector<std::shared_ptr<ArtboardSumModel>>
SketchImporter::findSelectedArtboards(const std::vector<boost::json::object>& inList) const
{
    std::vector<std::shared_ptr<ArtboardSumModel>> selected;
    if (!pluginExportInfo) return selected;
    std::unordered_set<std::string> taken;
    for (const std::string& id : pluginExportInfo->artboardIds) {
        if (!taken.insert(id).second) continue;
        for (const boost::json::object& dict : inList) {
            const auto candidate = textMember(dict, "do_objectID");
            if (candidate && *candidate == id) {
                selected.push_back(artboardFrom(dict));
                break;
            }
        }
    }
    return selected;
}

std::vector<std::shared_ptr<LayerSumModel>> SketchImporter::findSelectedSymbolMasters(std::vector<boost::json::object> inList)
{
    std::vector<std::shared_ptr<LayerSumModel>> masters;
    masters.reserve(inList.size());
    for (boost::json::object& dict : inList) masters.push_back(summaryOf<LayerSumModel>(std::move(dict)));
    return masters;
}

SketchImporter::ExportableImages SketchImporter::analyzeExportables(ArtboardSumModel& artboard,
                                                                    const std::string& customExportFormat) const
{
    return collectExportables(artboard, artboard.do_objectID, customExportFormat);
}

SketchImporter::ExportableImages SketchImporter::analyzeExportables(LayerSumModel& symbolMaster,
                                                                    const std::string& customExportFormat) const
{
    return collectExportables(symbolMaster, symbolMaster.symbolID, customExportFormat);
}

SketchImporter::ExportableImages SketchImporter::collectExportables(BaseSModel& owner, const std::string& ownerId,
                                                                    const std::string& customExportFormat) const
{
    ExportableImages result;
    const SandboxDocument sandbox(pluginExportInfo ? QString::fromStdString(pluginExportInfo->sketchFilePath) : QString(),
                                  "1.0");
    for (boost::json::object& dict : owner.findDictionary(SketchLayerKeys::kExportables, true)) {
        const LayerModel layer = jsonmap::fromJson<LayerModel>(dict);
        if (layer.exportOptions.exportFormats.empty()) continue;
        const SketchExportFormatItemModel& format = layer.exportOptions.exportFormats.front();
        const std::string& extension = customExportFormat.empty() ? format.fileFormat : customExportFormat;
        std::optional<QString> url;
        if (sandbox.folderUrl) {
            url = QDir(*sandbox.folderUrl)
                      .filePath(QStringLiteral("exportables/images/") + QString::fromStdString(ownerId) + QLatin1Char('/')
                                + QString::fromStdString(layer.do_objectID) + QLatin1Char('/')
                                + QString::fromStdString(layer.name) + QLatin1Char('.') + QString::fromStdString(extension));
        }
        if (result.contains(layer.do_objectID))
            platform::debugPrint(QStringLiteral("Two exportable layers share the id ") + QString::fromStdString(layer.do_objectID)
                                 + QStringLiteral("; only the later one is uploaded"));
        result.insert_or_assign(layer.do_objectID,
                                SketchExportableImageModel(format, layer.name, std::make_shared<FrameModel>(layer.frame), url,
                                                           layer.do_objectID));
    }
    return result;
}

void SketchImporter::preparePreview(const std::shared_ptr<ArtboardSumModel>& artboard,
                                    const std::optional<std::string>& sketchToolPath, PathHandler successHandler,
                                    FailureHandler failureHandler) const
{
    if (!designDocument || !artboard) {
        platform::dispatchMain([failureHandler] {
            if (failureHandler) failureHandler(platform::localized("sketchImporter.error.notLoaded"));
        });
        return;
    }
    FileExporter::exportAssetFile(
        *designDocument, SketchElements::artboards, artboard->do_objectID, artboard->do_objectID, artboard->name,
        std::nullopt, "png", std::string(), sketchToolPath,
        [artboard, successHandler = std::move(successHandler)](const QString& path) {
            artboard->previewUrl = path;
            QImage image;
            if (image.load(path)) artboard->preview = std::move(image);
            if (successHandler) successHandler(path);
        },
        std::move(failureHandler));
}

void SketchImporter::exportAsset(const SketchExportableImageModel& item, const std::optional<std::string>& sketchToolPath,
                                 FileFormats format, double scale, PathHandler successHandler,
                                 FailureHandler failureHandler) const
{
    if (!designDocument) {
        platform::dispatchMain([failureHandler] {
            if (failureHandler) failureHandler(platform::localized("sketchImporter.error.notLoaded"));
        });
        return;
    }
    FileExporter::instance().exportAssetForServer(item.do_objectID, item.do_objectID, format, *designDocument,
                                                  QDir(designDocument->folderPath).filePath(QStringLiteral("exportables")),
                                                  sketchToolPath, scale, std::move(successHandler),
                                                  std::move(failureHandler));
}
