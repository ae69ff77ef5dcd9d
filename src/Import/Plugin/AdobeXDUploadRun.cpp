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

namespace {
QString counterLine(const char* prefix, int counter)
{
    return QString::fromLatin1(prefix) + QString::fromStdString(platform::decimalText(counter));
}
} // namespace

AdobeXDUploadRun::AdobeXDUploadRun(QString root, std::vector<std::string> artboardIds, std::string projectId,
                                   std::string platform, Completions completions)
    : m_root(std::move(root))
    , m_artboardIds(std::move(artboardIds))
    , m_projectId(std::move(projectId))
    , m_platform(std::move(platform))
    , m_completions(std::move(completions))
{
}

double AdobeXDUploadRun::percentage() const
{
    if (m_total <= 0) return 0;
    const int done = m_previewCounter + m_uploadCounter;
    if (done >= m_total) return 100.0;
    return 100.0 * done / m_total;
}

std::string AdobeXDUploadRun::failureMessage(const std::optional<ErrorModel>& error, const char* fallbackKey)
{
    if (error && !error->errorMsg.empty()) return error->errorMsg;
    return platform::localized(fallbackKey).toStdString();
}

std::optional<UploadFailure> AdobeXDUploadRun::read()
{
    using Helper = AdobeXDDesignImportHelper;
    const std::string& version = Helper::appVersion;

    for (const std::string& id : m_artboardIds) {
        if (!Helper::isPlainFolderName(id)) continue;
        const QString name = QString::fromStdString(id);
        const QString folder = m_root + QLatin1Char('/') + name;
        if (!Helper::isRealDirectory(folder)) continue;
        const auto dict = Helper::getJsonDict(folder + QLatin1Char('/') + name + QStringLiteral(".json"));
        if (!dict) continue;
        auto jsonString = JsonSerialization::dataUTF8String(*dict);
        if (!jsonString) continue;

        ArtboardExportInfo artboard;
        artboard.oid = id;
        artboard.name = AdobeXDExportUtils::getNodeName(*dict);
        artboard.frame = AdobeXDExportUtils::getNodeFrame(*dict);
        artboard.type = "adobeXd";
        artboard.jsonString = std::move(jsonString);

        auto preview = Helper::getArtboardPreview(m_root, id, "1", "png");
        if (!preview) {
            return UploadFailure{artboard.name.empty() ? id : artboard.name,
                                 platform::localized("adobeXD.upload.previewUnreadable").toStdString()};
        }
        preview->appVersion = version;
        preview->projectId = m_projectId;

        m_groups.push_back({artboard.name, Helper::getArtboardExportables(m_root, id, *dict, m_projectId, version, m_platform)});
        m_previews.push_back({artboard.name, std::move(*preview)});
        m_request.artboards.push_back(std::move(artboard));
        m_foldersRead.push_back(folder);
    }

    const QString mastersFolder = m_root + QLatin1Char('/') + Helper::kSymbolMastersFolder;
    if (Helper::isRealDirectory(mastersFolder)) {
        if (const auto masters = Helper::getJsonArray(mastersFolder + QLatin1Char('/') + Helper::kSymbolMastersFolder
                                                      + QStringLiteral(".json"))) {
            m_request.symbolMasters = Helper::getSymbolMasters(*masters);
            for (const auto& master : m_request.symbolMasters) {
                m_groups.push_back(
                    {master.name, Helper::getSymbolMastersExportables(m_root, master, m_projectId, version, m_platform)});
            }
            m_foldersRead.push_back(mastersFolder);
        }
    }

    if (m_request.artboards.empty() && m_request.symbolMasters.empty())
        return UploadFailure{"", platform::localized("adobeXD.nothingToImport.text").toStdString()};

    m_request.projectId = m_projectId;
    m_request.platform = m_platform;
    m_request.appVersion = version;
    m_total = 3 * static_cast<int>(m_request.artboards.size()) + static_cast<int>(m_request.symbolMasters.size());
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
        m_request, [self](const StatusResponse&) { self->onImportAccepted(); },
        [self](const std::optional<ErrorModel>& error) {
            self->fail({"", failureMessage(error, "adobeXD.upload.importRefused")});
        });
}

void AdobeXDUploadRun::onImportAccepted()
{
    if (m_state != State::importing) return;
    m_state = State::uploading;
    m_uploadCounter += static_cast<int>(m_request.artboards.size());
    platform::debugPrint(counterLine("ExportUploadOperation - currentUploadedStep: ", m_uploadCounter));
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
            preview.request, [self, name](const StatusResponse&) { self->countPreview(name); },
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
        countGroup(group.name);
        return;
    }
    auto self = shared_from_this();
    for (const auto& image : group.images) {
        const std::string what = image.fileName + " (" + group.name + ")";
        AdobeXDServiceHelper::importer().uploadResource(
            image,
            [self, groupIndex](const StatusResponse&) {
                if (self->isOver()) return;
                ImageGroup& g = self->m_groups[groupIndex];
                if (++g.replies == g.expected) self->countGroup(g.name);
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
    ++m_previewCounter;
    platform::debugPrint(counterLine("ExportPreviewPrepareUploadOperation - currentPrepareStep: ", m_previewCounter));
    report(artboardName, false);
}

void AdobeXDUploadRun::countGroup(const std::string& name)
{
    if (isOver()) return;
    ++m_uploadCounter;
    platform::debugPrint(counterLine("ExportImagePrepareUploadOperation - currentUploadedStep: ", m_uploadCounter));
    report(name, true);
}

void AdobeXDUploadRun::report(const std::string& text, bool throughStep)
{
    if (m_previewCounter + m_uploadCounter >= m_total) {
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
    // Only now is every request answered; until then the export must stay for a retry.
    for (const QString& folder : m_foldersRead) GFileManager::deleteFile(folder);
    if (m_completions.stepCompletion) m_completions.stepCompletion(text, 100.0);
}
