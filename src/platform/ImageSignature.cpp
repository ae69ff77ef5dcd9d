#include "platform/ImageSignature.h"

namespace platform {
namespace {

// An SVG names its root element early; prologue, comments and a doctype come first at most.
constexpr qsizetype kSvgHeadBytes = 4096;

bool isSvg(const QByteArray& bytes)
{
    QByteArray head = bytes.left(kSvgHeadBytes);
    if (head.startsWith("\xEF\xBB\xBF")) head.remove(0, 3);
    head = head.trimmed();
    if (!head.startsWith('<')) return false;
    qsizetype at = 0;
    // Skip the XML declaration, processing instructions, comments and the doctype.
    for (;;) {
        while (at < head.size() && QByteArrayView(" \t\r\n").contains(head.at(at))) ++at;
        if (head.mid(at, 2) == "<?") {
            at = head.indexOf("?>", at);
        } else if (head.mid(at, 4) == "<!--") {
            at = head.indexOf("-->", at);
        } else if (head.mid(at, 2) == "<!") {
            at = head.indexOf('>', at);
        } else {
            break;
        }
        if (at < 0) return false;
        at = head.indexOf('>', at) + 1;
    }
    const QByteArray root = head.mid(at, 5);
    return root == "<svg " || root == "<svg>" || root == "<svg\n" || root == "<svg\t" || root == "<svg\r";
}

} // namespace

ImageFormat imageFormatOf(const QByteArray& bytes)
{
    if (bytes.startsWith("\x89PNG\r\n\x1A\n")) return ImageFormat::png;
    if (bytes.startsWith("\xFF\xD8\xFF")) return ImageFormat::jpeg;
    if (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a")) return ImageFormat::gif;
    if (bytes.size() >= 12 && bytes.startsWith("RIFF") && bytes.mid(8, 4) == "WEBP") return ImageFormat::webp;
    if (bytes.startsWith("%PDF-")) return ImageFormat::pdf;
    if (isSvg(bytes)) return ImageFormat::svg;
    return ImageFormat::unknown;
}

} // namespace platform
