// A cut preview as it reaches the upload: gzip members unpacked with an output bound, then the
// image decoded and encoded again as the PNG text the service receives.

#include "Import/Plugin/UploadTextRules.h"
#include "platform/Archive.h"
#include "support/FuzzSupport.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::initialise(true);
    // Decoders may not allocate beyond what a preview can need.
    QImageReader::setAllocationLimit(64);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::initialise(true);
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    constexpr qint64 kMaxOutput = 1024 * 1024;
    if (platform::isGzipData(bytes)) {
        const auto unpacked = platform::gunzipData(bytes, kMaxOutput);
        if (!unpacked) return 0;
        if (unpacked->size() > kMaxOutput) __builtin_trap();
        bytes = *unpacked;
    } else if (size <= 64 * 1024) {
        // What we pack unpacks to the same bytes.
        const auto packed = platform::gzipData(bytes);
        if (!packed || !platform::isGzipData(*packed)) __builtin_trap();
        const auto again = platform::gunzipData(*packed, kMaxOutput);
        if (!again || *again != bytes) __builtin_trap();
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize declared = reader.size();
    // Large but valid images are the decoders' business, not this harness's: keep runs quick.
    if (declared.isValid() && static_cast<qint64>(declared.width()) * declared.height() > 4096 * 4096) return 0;
    const QImage image = reader.read();
    if (image.isNull()) return 0;
    if (image.width() * image.height() <= 512 * 512) {
        const auto text = UploadTextRules::base64String(image);
        if (!text || text->isEmpty()) __builtin_trap();
    }
    return 0;
}
