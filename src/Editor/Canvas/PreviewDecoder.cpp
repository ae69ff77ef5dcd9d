#include "Editor/Canvas/PreviewDecoder.h"

#include "platform/Archive.h"

#include <QBuffer>
#include <QImageReader>

std::optional<QUrl> PreviewDecoder::mediaUrl(const std::string& mediaLink)
{
    if (mediaLink.empty()) return std::nullopt;
    const QUrl url(QString::fromStdString(mediaLink), QUrl::StrictMode);
    if (!url.isValid() || url.isRelative() || url.host().isEmpty()) return std::nullopt;
    const QString scheme = url.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https")) return std::nullopt;
    return url;
}

QImage PreviewDecoder::decode(const QByteArray& bytes)
{
    if (bytes.isEmpty() || bytes.size() > kMaxDownloadBytes) return QImage();
    QByteArray data;
    if (platform::isGzipData(bytes)) {
        // gunzipData fails on truncated or corrupt streams and beyond the cap: a bomb stops there.
        auto unpacked = platform::gunzipData(bytes, kMaxUnpackedBytes);
        if (!unpacked) return QImage();
        data = std::move(*unpacked);
    } else {
        data = bytes;
    }
    QBuffer buffer(&data);
    if (!buffer.open(QIODevice::ReadOnly)) return QImage();
    QImageReader reader(&buffer);
    reader.setAllocationLimit(kAllocationLimitMb);
    const QSize size = reader.size();
    // A format that cannot tell its size before decoding is read under the allocation limit only.
    if (size.isValid() && (size.width() > kMaxImageSide || size.height() > kMaxImageSide)) return QImage();
    QImage image;
    if (!reader.read(&image)) return QImage();
    if (image.width() > kMaxImageSide || image.height() > kMaxImageSide) return QImage();
    return image;
}
