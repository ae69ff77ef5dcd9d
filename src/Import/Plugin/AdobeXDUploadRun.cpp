#include "Import/Plugin/AdobeXDUploadRun.h"

#include "App/GFileManager.h"
#include "Import/Plugin/AdobeXDDesignImportHelper.h"
#include "Import/Plugin/AdobeXDExportUtils.h"
#include "Import/Plugin/AdobeXDServiceHelper.h"
#include "Import/Sketch/JsonSerialization.h"
#include "platform/DebugLog.h"
#include "platform/JsonText.h"
#include "platform/Localization.h"
#include "platform/MainQueue.h"

#include <QFileInfo>

AdobeXDUploadRun::AdobeXDUploadRun(QString root, std::vector<std::string> artboardIds, std::string projectId,
                                   std::string platform, Completions completions)
    : m_root(std::move(root))
    , m_artboardIds(std::move(artboardIds))
    , m_projectId(std::move(projectId))
    , m_platform(std::move(platform))
    , m_completions(std::move(completions))
{
}

std::string AdobeXDUploadRun::failureMessage(const std::optional<ErrorModel>& error, const char* fallbackKey)
{
    if (error && !error->errorMsg.empty()) return error->errorMsg;
    return platform::localized(fallbackKey).toStdString();
}

void AdobeXDUploadRun::skip(std::string what, std::string message)
{
    platform::debugPrint(QStringLiteral("Adobe XD upload leaves out ") + QString::fromStdString(what)
                         + QStringLiteral(": ") + QString::fromStdString(message));
    m_skipped.push_back(UploadFailure{std::move(what), std::move(message)});
}

void AdobeXDUploadRun::readArtboard(const std::string& id, std::optional<UploadFailure>& failure)
{
    using Helper = AdobeXDDesignImportHelper;
    if (!Helper::isPlainFolderName(id)) return;
    const QString name = QString::fromStdString(id);
    const QString folder = m_root + QLatin1Char('/') + name;
    if (!Helper::isRealDirectory(folder)) return;
    QString problem;
    const auto dict = Helper::getJsonDict(folder + QLatin1Char('/') + name + QStringLiteral(".json"), &problem);
    if (!dict) {
        skip(id, problem.toStdString());
        return;
    }
    ArtboardExportInfo artboard;
    artboard.oid = id;
    artboard.name = AdobeXDExportUtils::getNodeName(*dict);
    artboard.frame = AdobeXDExportUtils::getNodeFrame(*dict);
    artboard.type = "adobeXd";
    artboard.jsonString = JsonSerialization::dataUTF8String(*dict);
    const std::string shownName = artboard.name.empty() ? id : artboard.name;
    if (!artboard.jsonString) {
        skip(shownName, platform::localized("adobeXD.skipped.numberTooLarge").toStdString());
        return;
    }

    auto preview = Helper::getArtboardPreview(m_root, id, "1", "png");
    if (!preview) {
        failure = UploadFailure{shownName, platform::localized("adobeXD.upload.previewUnreadable").toStdString()};
        return;
    }
    preview->appVersion = Helper::appVersion;
    preview->projectId = m_projectId;

    m_groups.push_back({artboard.name,
                        Helper::getArtboardExportables(m_root, id, *dict, m_projectId, Helper::appVersion, m_platform,
                                                       &m_skipped)});
    m_previews.push_back({artboard.name, std::move(*preview)});
    m_request.artboards.push_back(std::move(artboard));
}

void AdobeXDUploadRun::readSymbolMasters()
{
    using Helper = AdobeXDDesignImportHelper;
    const QString mastersFolder = m_root + QLatin1Char('/') + Helper::kSymbolMastersFolder;
    if (!Helper::isRealDirectory(mastersFolder)) return;
    const QString file = mastersFolder + QLatin1Char('/') + Helper::kSymbolMastersFolder + QStringLiteral(".json");
    QString problem;
    const auto masters = Helper::getJsonArray(file, &problem);
    if (!masters) {
        // A folder of master images without the masters file is what the plug-in writes when
        // there are none; only a file that is there and cannot be read is worth a word.
        if (Helper::isRegularFile(file)) skip(QFileInfo(file).fileName().toStdString(), problem.toStdString());
        return;
    }
    for (SymbolMasterExportInfo& master : Helper::getSymbolMasters(*masters)) {
        if (!master.jsonString) {
            skip(master.name.empty() ? master.symbolID : master.name,
                 platform::localized("adobeXD.skipped.numberTooLarge").toStdString());
            continue;
        }
        m_groups.push_back({master.name, Helper::getSymbolMastersExportables(m_root, master, m_projectId,
                                                                             Helper::appVersion, m_platform, &m_skipped)});
        m_request.symbolMasters.push_back(std::move(master));
    }
}

std::optional<UploadFailure> AdobeXDUploadRun::read()
{
    std::optional<UploadFailure> failure;
    for (const std::string& id : m_artboardIds) {
        readArtboard(id, failure);
        if (failure) return failure;
    }
    readSymbolMasters();

    if (m_request.artboards.empty() && m_request.symbolMasters.empty()) {
        if (m_skipped.empty())
            return UploadFailure{"", platform::localized("adobeXD.nothingToImport.text").toStdString()};
        QStringList items;
        for (const UploadFailure& skipped : m_skipped)
            items.append(platform::localizedFormat("exportViewController.warning.item",
                                                   {QString::fromStdString(skipped.what),
                                                    QString::fromStdString(skipped.message)}));
        return UploadFailure{"", platform::localizedFormat("adobeXD.nothingLeft.text", {items.join(QStringLiteral("; "))})
                                     .toStdString()};
    }

    m_request.projectId = m_projectId;
    m_request.platform = m_platform;
    m_request.appVersion = AdobeXDDesignImportHelper::appVersion;
    m_progress = UploadProgress(m_request.artboards.size(), m_request.symbolMasters.size());
    for (auto& group : m_groups) group.expected = group.images.size();
    return std::nullopt;
}

void AdobeXDUploadRun::start()
{
    if (m_state != State::created) return;
    if (auto failure = read()) {
        // Reported on a later turn: the progress screen starts us while it is still loading.
        m_state = State::failed;
        platform::debugPrint(QStringLiteral("Adobe XD upload refused: ") + QString::fromStdString(failure->message));
        platform::dispatchMain([self = shared_from_this(), failure = std::move(*failure)] {
            if (self->m_completions.failureCompletion) self->m_completions.failureCompletion(failure);
        });
        return;
    }
    m_state = State::importing;
    auto self = shared_from_this();
    AdobeXDServiceHelper::importer().newScreensFromAdobe(
        m_request, [self](const boost::json::object&) { self->onImportAccepted(); },
        [self](const std::optional<ErrorModel>& error) {
            self->fail({"", failureMessage(error, "adobeXD.upload.importRefused")});
        });
}

void AdobeXDUploadRun::onImportAccepted()
{
    if (m_state != State::importing) return;
    m_state = State::uploading;
    m_progress.advance(UploadProgress::Counter::artboards, static_cast<int>(m_request.artboards.size()));
    platform::debugPrint(UploadProgress::counterLine("ExportUploadOperation - currentUploadedStep: ", uploadCounter()));
    report(kPreparingText, true);

    sendPreviews();
    for (std::size_t i = 0; i < m_groups.size() && !isOver(); ++i) sendImages(i);
}

void AdobeXDUploadRun::sendPreviews()
{
    auto self = shared_from_this();
    for (auto& preview : m_previews) {
        const std::string name = preview.artboardName;
        AdobeXDServiceHelper::importer().uploadResource(
            preview.request, [self, name](const boost::json::object&) { self->countPreview(name); },
            [self, name](const std::optional<ErrorModel>& error) {
                self->fail({name, failureMessage(error, "adobeXD.upload.previewRefused")});
            });
    }
    // Each request was turned into its body when sent; the image data need not stay here.
    m_previews.clear();
}

void AdobeXDUploadRun::sendImages(std::size_t groupIndex)
{
    ImageGroup& group = m_groups[groupIndex];
    if (group.expected == 0) {
        countGroup(groupIndex);
        return;
    }
    auto self = shared_from_this();
    for (const auto& image : group.images) {
        const std::string what = image.fileName + " (" + group.name + ")";
        AdobeXDServiceHelper::importer().uploadResource(
            image,
            [self, groupIndex](const boost::json::object&) {
                if (self->isOver()) return;
                ImageGroup& g = self->m_groups[groupIndex];
                if (++g.replies == g.expected) self->countGroup(groupIndex);
            },
            [self, what](const std::optional<ErrorModel>& error) {
                self->fail({what, failureMessage(error, "adobeXD.upload.imageRefused")});
            });
    }
    group.images.clear();
    group.images.shrink_to_fit();
}

void AdobeXDUploadRun::countPreview(const std::string& artboardName)
{
    if (isOver()) return;
    const int previews = m_progress.advance(UploadProgress::Counter::previews);
    platform::debugPrint(UploadProgress::counterLine("ExportPreviewPrepareUploadOperation - currentPrepareStep: ", previews));
    report(artboardName, false);
}

void AdobeXDUploadRun::countGroup(std::size_t groupIndex)
{
    if (isOver()) return;
    // Artboards come first in the groups, then the symbol masters.
    const bool isMaster = groupIndex >= m_request.artboards.size();
    m_progress.advance(isMaster ? UploadProgress::Counter::symbols : UploadProgress::Counter::artboards);
    platform::debugPrint(UploadProgress::counterLine("ExportImagePrepareUploadOperation - currentUploadedStep: ",
                                                     uploadCounter()));
    report(m_groups[groupIndex].name, true);
}

int AdobeXDUploadRun::uploadCounter() const
{
    return m_progress.count(UploadProgress::Counter::artboards) + m_progress.count(UploadProgress::Counter::symbols);
}

void AdobeXDUploadRun::report(const std::string& text, bool throughStep)
{
    if (m_progress.isComplete()) {
        finish(text);
        return;
    }
    const ProgressCompletion& completion = throughStep ? m_completions.stepCompletion : m_completions.exportCompletion;
    if (completion) completion(text, percentage());
}

void AdobeXDUploadRun::fail(UploadFailure failure)
{
    if (isOver()) return;
    m_state = State::failed;
    platform::debugPrint(QStringLiteral("Adobe XD upload failed: ") + QString::fromStdString(failure.what)
                         + QStringLiteral(": ") + QString::fromStdString(failure.message));
    if (m_completions.failureCompletion) m_completions.failureCompletion(failure);
}

void AdobeXDUploadRun::finish(const std::string& text)
{
    m_state = State::finished;
    deleteExport();
    if (m_completions.stepCompletion) m_completions.stepCompletion(text, 100.0);
}

void AdobeXDUploadRun::deleteExport() const
{
    using Helper = AdobeXDDesignImportHelper;
    // Only now is every request answered; until then the export must stay for a retry. Once
    // uploaded, every folder of the export goes, also one that could not be read: left behind,
    // it would be listed, and warned about, by every later export. Stray files and links are
    // never read, so they stay as they are.
    auto deleteFolder = [this](const QString& name) {
        const QString folder = m_root + QLatin1Char('/') + name;
        if (Helper::isRealDirectory(folder)) GFileManager::deleteFile(folder);
    };
    for (const std::string& id : m_artboardIds) {
        if (Helper::isPlainFolderName(id)) deleteFolder(QString::fromStdString(id));
    }
    deleteFolder(Helper::kSymbolMastersFolder);
}
