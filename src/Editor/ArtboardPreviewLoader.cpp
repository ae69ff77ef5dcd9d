#include "Editor/ArtboardPreviewLoader.h"

#include "Base/ServiceEndPoints.h"
#include "Base/ServiceManager.h"
#include "Editor/Canvas/PreviewDecoder.h"
#include "Import/Plugin/ResourceDownloadRequest.h"
#include "Import/Plugin/ResourceDownloadResponse.h"

#include <QTimer>
#include <QUrl>

#include <memory>

namespace {

void deliverLater(QObject* context, const ArtboardPreviewLoader::Completion& completion,
                  ArtboardPreviewLoader::Outcome outcome, const QImage& image)
{
    QPointer<QObject> guard = context;
    QTimer::singleShot(0, context, [guard, completion, outcome, image] {
        if (guard && completion) completion(outcome, image);
    });
}

} // namespace

QImage ArtboardPreviewLoader::decode(const QByteArray& bytes)
{
    // One hardened road for every preview: capped gunzip, bounded decoding.
    return PreviewDecoder::decode(bytes);
}

void ArtboardPreviewLoader::load(const std::string& projectId, const std::string& artboardId, QObject* context,
                                 Completion completion, QObject* showIndicatorOver)
{
    if (!context) return;
    QPointer<QObject> guard = context;
    ResourceDownloadRequest request;
    request.projectId = projectId;
    request.oid = artboardId;
    ServiceCallOptions options;
    options.silentNoInternetConnection = true;
    options.showIndicatorView = showIndicatorOver != nullptr;
    options.targetIndicatorView = showIndicatorOver;
    options.ignoreError = true;
    auto refused = [guard, completion](const ErrorModel&) {
        if (guard) deliverLater(guard, completion, Outcome::refused, {});
    };
    ServiceManager::shared().callService<ResourceDownloadResponse>(
        ServiceEndPoints::Project::downloadArtboardPreview, request, options,
        [guard, completion](const ResourceDownloadResponse& response) {
            if (!guard) return;
            const auto url = PreviewDecoder::mediaUrl(response.mediaLink);
            if (!url) {
                deliverLater(guard, completion, Outcome::noLink, {});
                return;
            }
            ServiceManager::shared().getData(*url, [guard, completion](std::optional<QByteArray> data, QString) {
                if (!guard) return;
                if (!data) {
                    deliverLater(guard, completion, Outcome::failed, {});
                    return;
                }
                const QImage image = decode(*data);
                deliverLater(guard, completion, image.isNull() ? Outcome::noImage : Outcome::image, image);
            });
        },
        refused, refused);
}
