#include "Import/Plugin/AdobeXDDesignImportHelper.h"

#include "App/ModalUtilities.h"
#include "Import/Plugin/AdobeXDExportUtils.h"
#include "Import/Plugin/AdobeXDUploadRun.h"
#include "Import/Plugin/UploadTextRules.h"
#include "Import/Sketch/GSketchTerminalManager.h"
#include "Import/Sketch/JsonSerialization.h"
#include "platform/DebugLog.h"
#include "platform/ImageSignature.h"
#include "platform/JsonText.h"
#include "platform/Localization.h"
#include "platform/MainQueue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

namespace {

const std::string kPluginFolderMissing =
    "Zendaq Vusk for XD cannot be found. Please check the plugin and try again.";

QString text(const char* key)
{
    return platform::localized(key);
}

// Read by the file's own size: a cap is a bound, not an allocation.
std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxSize, QString* problem)
{
    if (!AdobeXDDesignImportHelper::isRegularFile(path)) {
        *problem = text("adobeXD.skipped.missing");
        return std::nullopt;
    }
    QFile file(path);
    const qint64 size = file.size();
    if (size > maxSize) {
        *problem = platform::localizedFormat("adobeXD.skipped.tooLarge", {QString::number(maxSize / (1024 * 1024))});
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        *problem = file.errorString();
        return std::nullopt;
    }
    QByteArray bytes = file.read(size);
    // A file that grew since its size was taken is read no further than the cap.
    if (file.error() != QFileDevice::NoError || bytes.size() != size || !file.atEnd()) {
        if (!file.atEnd() && file.size() > maxSize) {
            *problem = platform::localizedFormat("adobeXD.skipped.tooLarge", {QString::number(maxSize / (1024 * 1024))});
        } else {
            *problem = file.error() != QFileDevice::NoError ? file.errorString() : text("adobeXD.skipped.changed");
        }
        return std::nullopt;
    }
    return bytes;
}

std::string utf8(const QString& text)
{
    return text.toStdString();
}

} // namespace

AdobeXDDesignImportHelper& AdobeXDDesignImportHelper::importer()
{
    static AdobeXDDesignImportHelper helper;
    return helper;
}

// ---- IDesignImporter ----

bool AdobeXDDesignImportHelper::doBeforeProjectSelection(const std::string&)
{
    // A new hand-off: what the last run sent no longer describes the upload being prepared.
    // (Hand-offs are refused while a run is still going, and a run keeps itself alive.)
    m_currentRun.reset();
    checkAndLoadPluginArtboardInfo();
    if (!pluginMainURL) return false;
    if (!hasAnythingToImport()) {
        ModalUtilities::showInfoDialog(platform::localized("adobeXD.nothingToImport.title"),
                                       platform::localized("adobeXD.nothingToImport.text"));
        return false;
    }
    return true;
}

void AdobeXDDesignImportHelper::processDesignFile(const std::string& projectId, const std::string& platform, bool,
                                                  ProgressCompletion exportCompletion,
                                                  ProgressCompletion stepCompletion, std::function<void()>,
                                                  std::function<void(const UploadFailure&)> failureCompletion)
{
    if (!pluginMainURL) {
        // Without a folder there is nothing to upload; say so rather than leave the progress
        // screen waiting.
        platform::dispatchMain([failureCompletion = std::move(failureCompletion)] {
            if (failureCompletion) failureCompletion(UploadFailure{"", kPluginFolderMissing});
        });
        return;
    }
    AdobeXDUploadRun::Completions completions{std::move(exportCompletion), std::move(stepCompletion),
                                              std::move(failureCompletion)};
    m_currentRun = std::make_shared<AdobeXDUploadRun>(*pluginMainURL, artboardIds.value_or(std::vector<std::string>{}),
                                                      projectId, platform, std::move(completions));
    m_currentRun->start();
}

std::vector<std::string> AdobeXDDesignImportHelper::getArtboardIds() const
{
    // Once a run has read the folder, only the artboards it actually sends count: stray files and
    // unreadable folders in the plug-in root are not artboards of the upload.
    if (m_currentRun && !m_currentRun->importRequest().artboards.empty()) {
        std::vector<std::string> ids;
        for (const auto& artboard : m_currentRun->importRequest().artboards) ids.push_back(artboard.oid);
        return ids;
    }
    return artboardIds.value_or(std::vector<std::string>{});
}

std::vector<UploadFailure> AdobeXDDesignImportHelper::uploadWarnings() const
{
    return m_currentRun ? m_currentRun->warnings() : std::vector<UploadFailure>{};
}

MixPanelEventCode AdobeXDDesignImportHelper::getEventCode() const
{
    return MixPanelEventCode::ADOBEXD_UPLOAD;
}

std::optional<QString> AdobeXDDesignImportHelper::getPluginMainURL()
{
    const auto [exists, path] = GSketchTerminalManager::checkAdobeXDPluginDataPathExist();
    if (exists && path) return path;
    ErrorModel error;
    error.errorId = ErrorModel::kXDPluginFolderMissing;
    error.errorMsg = kPluginFolderMissing;
    ModalUtilities::showErrorDialog(error);
    return std::nullopt;
}

void AdobeXDDesignImportHelper::checkAndLoadPluginArtboardInfo()
{
    pluginMainURL = getPluginMainURL();
    // Ids of an earlier export must not outlive the folder they came from.
    if (!pluginMainURL) {
        artboardIds.reset();
        return;
    }
    if (QFileInfo(*pluginMainURL).isDir()) artboardIds = getArtboards(*pluginMainURL);
}

bool AdobeXDDesignImportHelper::hasAnythingToImport() const
{
    if (!pluginMainURL || !QFileInfo(*pluginMainURL).isDir()) return false;
    const QString root = *pluginMainURL;
    if (isRegularFile(root + QLatin1Char('/') + kSymbolMastersFolder + QLatin1Char('/') + kSymbolMastersFolder
                      + QStringLiteral(".json")))
        return true;
    for (const auto& id : artboardIds.value_or(std::vector<std::string>{})) {
        const QString name = QString::fromStdString(id);
        if (isRegularFile(root + QLatin1Char('/') + name + QLatin1Char('/') + name + QStringLiteral(".json")))
            return true;
    }
    return false;
}

// ---- Records ----

std::optional<ResourceUploadRequest> AdobeXDDesignImportHelper::getArtboardPreview(const QString& root,
                                                                                   const std::string& artboardId,
                                                                                   const std::string& scale,
                                                                                   const std::string& extensionType)
{
    const QString id = QString::fromStdString(artboardId);
    const QString path = root + QLatin1Char('/') + id + QLatin1Char('/') + id + QLatin1Char('.')
                         + QString::fromStdString(extensionType);
    QString problem;
    const auto bytes = readRegularFile(path, AdobeXDDesignImportHelper::kMaxImageFileBytes, &problem);
    if (!bytes) return std::nullopt;
    const QImage image = QImage::fromData(*bytes);
    if (image.isNull()) return std::nullopt;
    const auto base64 = UploadTextRules::base64String(image);
    if (!base64) return std::nullopt;

    ResourceUploadRequest record;
    record.artboardId = artboardId;
    record.oid = artboardId;
    record.imageName = artboardId;
    record.fileName = artboardId;
    record.imageData = utf8(*base64);
    record.scale = scale;
    record.format = "png";
    return record;
}

std::vector<ResourceUploadRequest> AdobeXDDesignImportHelper::getArtboardExportables(
    const QString& root, const std::string& artboardId, const boost::json::object& artboardDict,
    const std::string& projectId, const std::string& appVersion, const std::string& platform,
    std::vector<UploadFailure>* skipped)
{
    return imageRecords(getArtboardExportablesPath(artboardId, root, platform), artboardId, projectId, appVersion,
                        [&artboardDict](const ResourceUploadRequest& record) {
                            return AdobeXDExportUtils::getNodeName(artboardDict, record.oid);
                        },
                        skipped);
}

std::vector<ResourceUploadRequest> AdobeXDDesignImportHelper::getSymbolMastersExportables(
    const QString& root, const SymbolMasterExportInfo& symbolMaster, const std::string& projectId,
    const std::string& appVersion, const std::string& platform, std::vector<UploadFailure>* skipped)
{
    return imageRecords(getSymbolMasterExportablesPath(symbolMaster.symbolID, root, platform), symbolMaster.symbolID,
                        projectId, appVersion, [](const ResourceUploadRequest& record) { return record.fileName; },
                        skipped);
}

std::vector<ResourceUploadRequest> AdobeXDDesignImportHelper::imageRecords(
    const QStringList& paths, const std::string& artboardId, const std::string& projectId,
    const std::string& appVersion, const std::function<std::string(const ResourceUploadRequest&)>& imageName,
    std::vector<UploadFailure>* skipped)
{
    std::vector<ResourceUploadRequest> records;
    for (const QString& path : paths) {
        QString problem;
        auto bytes = readRegularFile(path, AdobeXDDesignImportHelper::kMaxImageFileBytes, &problem);
        if (bytes && bytes->isEmpty()) problem = text("adobeXD.skipped.emptyImage");
        else if (bytes && platform::imageFormatOf(*bytes) == platform::ImageFormat::unknown)
            problem = text("adobeXD.skipped.notImage");
        if (!problem.isEmpty()) {
            platform::debugPrint(QStringLiteral("Adobe XD image skipped: ") + path + QStringLiteral(": ") + problem);
            if (skipped) skipped->push_back(UploadFailure{utf8(QFileInfo(path).fileName()), utf8(problem)});
            continue;
        }
        const auto oidAndScale = getOidAndScaleFromPath(path);
        if (!oidAndScale) {
            platform::debugPrint(QStringLiteral("Adobe XD image skipped, its name holds no layer id: ") + path);
            continue;
        }
        ResourceUploadRequest record;
        record.imageData = bytes->toBase64().toStdString();
        record.fileName = utf8(QFileInfo(path).completeBaseName());
        record.artboardId = artboardId;
        record.oid = oidAndScale->first;
        record.scale = oidAndScale->second;
        record.appVersion = appVersion;
        record.projectId = projectId;
        record.imageName = imageName(record);
        records.push_back(std::move(record));
    }
    return records;
}

std::vector<SymbolMasterExportInfo> AdobeXDDesignImportHelper::getSymbolMasters(const boost::json::array& symbolMasters)
{
    std::vector<SymbolMasterExportInfo> records;
    for (const auto& element : symbolMasters) {
        const auto* node = element.if_object();
        if (!node) continue;
        SymbolMasterExportInfo record;
        record.oid = AdobeXDExportUtils::getNodeGuid(*node);
        record.name = AdobeXDExportUtils::getNodeName(*node);
        record.frame = AdobeXDExportUtils::getNodeFrame(*node);
        record.isVisible = AdobeXDExportUtils::getNodeVisible(*node);
        record.symbolID = AdobeXDExportUtils::getNodeSymbolId(*node);
        record.jsonString = JsonSerialization::dataUTF8String(*node);
        record.class_ = "symbolMaster";
        record.type = "adobeXd";
        records.push_back(std::move(record));
    }
    return records;
}

// ---- Folder readers ----

std::vector<std::string> AdobeXDDesignImportHelper::getArtboards(const QString& root)
{
    const QDir dir(root);
    if (!dir.exists()) return {};
    // Sorted by name so that an export uploads the same way every time.
    QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
    entries.removeOne(QStringLiteral(".DS_Store"));
    entries.removeOne(kSymbolMastersFolder);
    std::vector<std::string> ids;
    ids.reserve(static_cast<std::size_t>(entries.size()));
    for (const QString& entry : entries) ids.push_back(utf8(entry));
    return ids;
}

QStringList AdobeXDDesignImportHelper::imageFilesIn(const QString& folder, const QString& id,
                                                    const std::string& platform)
{
    const QDir dir(folder);
    if (!isRealDirectory(folder)) return {};
    const bool iOS = platform == "iOS";
    QStringList paths;
    const auto entries =
        dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo& info : entries) {
        const QString name = info.fileName();
        if (info.suffix() == QLatin1String("json")) continue;
        if (name.contains(id)) continue;
        if (iOS && name.contains(QLatin1Char('@')) && !name.contains(QLatin1String("@2x"))
            && !name.contains(QLatin1String("@3x")))
            continue;
        if (name.contains(QLatin1String(".DS_Store"))) continue;
        // A link could carry any file of the user's to the service.
        if (info.isSymLink() || !info.isFile()) continue;
        paths.push_back(info.absoluteFilePath());
    }
    return paths;
}

QStringList AdobeXDDesignImportHelper::getArtboardExportablesPath(const std::string& artboardId, const QString& root,
                                                                  const std::string& platform)
{
    if (!isPlainFolderName(artboardId)) return {};
    const QString id = QString::fromStdString(artboardId);
    return imageFilesIn(root + QLatin1Char('/') + id, id, platform);
}

QStringList AdobeXDDesignImportHelper::getSymbolMasterExportablesPath(const std::string& symbolId, const QString& root,
                                                                      const std::string& platform)
{
    if (!isPlainFolderName(symbolId)) {
        if (!symbolId.empty())
            platform::debugPrint(QStringLiteral("Adobe XD symbol id is not a folder name: ")
                                 + QString::fromStdString(symbolId));
        return {};
    }
    const QString id = QString::fromStdString(symbolId);
    return imageFilesIn(root + QLatin1Char('/') + kSymbolMastersFolder + QLatin1Char('/') + id, id, platform);
}

std::optional<boost::json::value> AdobeXDDesignImportHelper::readJsonFile(const QString& path, QString* problem)
{
    QString why;
    std::optional<boost::json::value> value;
    if (const auto bytes = readRegularFile(path, kMaxJsonFileBytes, &why)) {
        std::string error;
        value = platform::parseJson(std::string_view(bytes->constData(), static_cast<std::size_t>(bytes->size())), &error,
                                    kMaxJsonDepth);
        if (!value) {
            static const std::string tooDeep = boost::json::make_error_code(boost::json::error::too_deep).message();
            why = error == tooDeep ? platform::localizedFormat("adobeXD.skipped.tooDeep", {QString::number(kMaxJsonDepth)})
                                   : text("adobeXD.skipped.invalidJson");
        }
    }
    if (problem) *problem = why;
    return value;
}

std::optional<boost::json::object> AdobeXDDesignImportHelper::getJsonDict(const QString& path, QString* problem)
{
    auto value = readJsonFile(path, problem);
    if (!value) return std::nullopt;
    if (!value->is_object()) {
        if (problem) *problem = text("adobeXD.skipped.notObject");
        return std::nullopt;
    }
    return std::move(value->as_object());
}

std::optional<boost::json::array> AdobeXDDesignImportHelper::getJsonArray(const QString& path, QString* problem)
{
    auto value = readJsonFile(path, problem);
    if (!value) return std::nullopt;
    if (!value->is_array()) {
        if (problem) *problem = text("adobeXD.skipped.notArray");
        return std::nullopt;
    }
    return std::move(value->as_array());
}

std::optional<std::pair<std::string, std::string>> AdobeXDDesignImportHelper::getOidAndScaleFromPath(
    const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    if (name.contains(QLatin1Char('@'))) {
        if (name.startsWith(QLatin1Char('@'))) return std::nullopt;
        const QStringList pieces = name.split(QLatin1Char('@'), Qt::SkipEmptyParts);
        if (pieces.size() < 2) return std::nullopt;
        const QStringList scalePieces = pieces.at(1).split(QLatin1Char('x'), Qt::SkipEmptyParts);
        if (scalePieces.isEmpty()) return std::nullopt;
        return std::pair{utf8(pieces.at(0)), utf8(scalePieces.at(0))};
    }
    const QStringList pieces = name.split(QLatin1Char('.'), Qt::SkipEmptyParts);
    if (pieces.isEmpty()) return std::nullopt;
    return std::pair{utf8(pieces.at(0)), std::string("1")};
}

bool AdobeXDDesignImportHelper::isPlainFolderName(std::string_view name)
{
    if (name.empty() || name == "." || name == "..") return false;
    return name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

bool AdobeXDDesignImportHelper::isRealDirectory(const QString& path)
{
    const QFileInfo info(path);
    return !info.isSymLink() && info.isDir();
}

bool AdobeXDDesignImportHelper::isRegularFile(const QString& path)
{
    const QFileInfo info(path);
    return !info.isSymLink() && info.isFile();
}
