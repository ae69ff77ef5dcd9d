#pragma once

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <string>

// Fetches an uploaded artboard's preview: asks the service for its media link
// ("resource/downloadArtboardPreview"), downloads the bytes, gunzips them when they are gzip data
// and decodes the image. Used by the screens grid, whose many thumbnails must not raise a dialog
// each: every failure, a refused request included, comes back as an outcome and nothing is shown.
class ArtboardPreviewLoader {
public:
    enum class Outcome {
        image,   // the image decoded
        noLink,  // the reply had no usable media link
        noImage, // bytes arrived but gave no image (corrupt gzip, not an image)
        failed,  // the download failed
        refused, // the service answered the link request with an error, or not at all
    };
    using Completion = std::function<void(Outcome outcome, const QImage& image)>;

    // `context` guards the completion: it is not called once the context is gone. The completion
    // always runs on a later event-loop turn. `showIndicatorOver`: a widget to cover with the
    // loading indicator while the link is asked for, or nullptr for none.
    static void load(const std::string& projectId, const std::string& artboardId, QObject* context,
                     Completion completion, QObject* showIndicatorOver = nullptr);

    // The bytes as an image: gunzipped first when they are gzip data. A null image when they
    // cannot be decoded.
    static QImage decode(const QByteArray& bytes);
};
