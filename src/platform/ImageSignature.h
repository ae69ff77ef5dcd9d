#pragma once

#include <QByteArray>

namespace platform {

enum class ImageFormat { unknown, png, jpeg, gif, webp, pdf, svg };

// The format of image bytes by their signature (the leading magic bytes; for SVG, an XML text
// whose first element within the first few kilobytes is <svg>). Nothing is decoded.
ImageFormat imageFormatOf(const QByteArray& bytes);

} // namespace platform
