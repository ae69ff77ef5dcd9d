#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QUrl>

#include <optional>
#include <string>

// Turns what the service names as a preview into an image, refusing what could hurt: the link
// must be an absolute http or https URL; gzip data is unpacked only when it starts with the gzip
// magic bytes, into a capped buffer, and must be a complete stream; the image is decoded with an
// allocation limit and a largest side. Any refusal is "no image".
class PreviewDecoder {
public:
    static constexpr qint64 kMaxDownloadBytes = 32LL * 1024 * 1024;
    static constexpr qint64 kMaxUnpackedBytes = 64LL * 1024 * 1024;
    static constexpr int kMaxImageSide = 16384;
    static constexpr int kAllocationLimitMb = 256;

    // The URL of `mediaLink` when it is an absolute http or https URL with a host; none otherwise.
    static std::optional<QUrl> mediaUrl(const std::string& mediaLink);

    // The bytes as an image, gunzipped first when they carry the gzip magic; a null image when
    // anything is refused or fails.
    static QImage decode(const QByteArray& bytes);
};
