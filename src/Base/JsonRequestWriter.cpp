#include "Base/JsonRequestWriter.h"

#include "platform/JsonText.h"

#include <algorithm>

namespace {

// Two levels reach the records of a request's lists: the design's artboards, masters and styles.
constexpr int kLevelsTakenApart = 2;

} // namespace

std::optional<QByteArray> JsonRequestWriter::take(boost::json::value& body)
{
    QByteArray out;
    const bool written = append(out, body, kLevelsTakenApart);
    body = nullptr;
    if (!written) return std::nullopt;
    return out;
}

bool JsonRequestWriter::appendWhole(QByteArray& out, const boost::json::value& value)
{
    const std::optional<std::string> text = platform::jsonText(value);
    if (!text) return false;
    appendBytes(out, text->data(), static_cast<qsizetype>(text->size()));
    return true;
}

void JsonRequestWriter::appendBytes(QByteArray& out, const char* data, qsizetype size)
{
    // Grown by reserve(), which reallocates in place where it can (large blocks are remapped, not
    // copied); QByteArray::append() grows by copying into a new block, so the old and the new text
    // of a body of tens of megabytes would be held together at every growth.
    const qsizetype needed = out.size() + size;
    if (needed > out.capacity()) out.reserve(std::max(needed, out.capacity() + out.capacity() / 2));
    out.append(data, size);
}

bool JsonRequestWriter::append(QByteArray& out, boost::json::value& value, int levels)
{
    if (levels > 0 && value.is_object()) {
        boost::json::object& object = value.get_object();
        out.append('{');
        bool first = true;
        for (auto& member : object) {
            if (!first) out.append(',');
            first = false;
            // The writer's own quoting of the key, so keys come out exactly as in one go.
            if (!appendWhole(out, boost::json::value(boost::json::string_view(member.key())))) return false;
            out.append(':');
            if (!append(out, member.value(), levels - 1)) return false;
        }
        out.append('}');
        value = nullptr;
        return true;
    }
    if (levels > 0 && value.is_array()) {
        boost::json::array& array = value.get_array();
        out.append('[');
        bool first = true;
        for (auto& element : array) {
            if (!first) out.append(',');
            first = false;
            if (!append(out, element, levels - 1)) return false;
        }
        out.append(']');
        value = nullptr;
        return true;
    }
    const bool written = appendWhole(out, value);
    value = nullptr;
    return written;
}
