#include "platform/PropertyList.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <plist/plist.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

namespace platform {
namespace {

// Writing nests no deeper than reading accepts by default.
constexpr int kMaxWriteDepth = 64;
// A binary list may refer to one object from many places; the library builds a copy for each, so
// the expanded tree is bounded too (a chain of shared objects doubles it at every level).
constexpr std::uint64_t kMaxExpandedObjects = 4'000'000;

struct PlistDeleter {
    void operator()(void* p) const
    {
        if (p) plist_free(static_cast<plist_t>(p));
    }
};
using PlistHandle = std::unique_ptr<void, PlistDeleter>;

void setError(QString* error, const QString& text)
{
    if (error) *error = text;
}

// Seconds between 1970-01-01 and 2001-01-01, the epoch of property-list dates.
constexpr qint64 kPlistEpochOffset = 978307200;

bool toJson(plist_t node, boost::json::value& out, int depth, int maxDepth)
{
    if (depth > maxDepth) return false;
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t b = 0;
        plist_get_bool_val(node, &b);
        out = b != 0;
        return true;
    }
    case PLIST_UINT: {
        uint64_t v = 0;
        plist_get_uint_val(node, &v);
        // The library keeps every integer as 64 unsigned bits; values past the signed range are
        // the negative numbers that property lists hold far more often than huge unsigned ones.
        out = static_cast<std::int64_t>(v);
        return true;
    }
    case PLIST_UID: {
        uint64_t v = 0;
        plist_get_uid_val(node, &v);
        out = v;
        return true;
    }
    case PLIST_REAL: {
        double d = 0;
        plist_get_real_val(node, &d);
        if (!std::isfinite(d)) return false;
        out = d;
        return true;
    }
    case PLIST_STRING:
    case PLIST_KEY: {
        uint64_t length = 0;
        const char* s = plist_get_string_ptr(node, &length);
        out = boost::json::string(s ? std::string_view(s, static_cast<std::size_t>(length)) : std::string_view());
        return true;
    }
    case PLIST_DATE: {
        int32_t sec = 0;
        int32_t usec = 0;
        plist_get_date_val(node, &sec, &usec);
        const qint64 ms = (static_cast<qint64>(sec) + kPlistEpochOffset) * 1000 + usec / 1000;
        const QString iso = QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC).toString(ms % 1000 ? Qt::ISODateWithMs : Qt::ISODate);
        out = boost::json::string(iso.toStdString());
        return true;
    }
    case PLIST_DATA: {
        uint64_t length = 0;
        const char* d = plist_get_data_ptr(node, &length);
        const QByteArray b64 = QByteArray::fromRawData(d ? d : "", d ? static_cast<qsizetype>(length) : 0).toBase64();
        out = boost::json::string(std::string_view(b64.constData(), static_cast<std::size_t>(b64.size())));
        return true;
    }
    case PLIST_ARRAY: {
        // Walked with an iterator: the library finds an item by index by walking the list from
        // its start, which made long arrays quadratic.
        boost::json::array a;
        a.reserve(plist_array_get_size(node));
        plist_array_iter it = nullptr;
        plist_array_new_iter(node, &it);
        if (!it) {
            out = std::move(a);
            return true;
        }
        bool ok = true;
        for (;;) {
            plist_t item = nullptr;
            plist_array_next_item(node, it, &item);
            if (!item) break;
            boost::json::value v;
            if (!toJson(item, v, depth + 1, maxDepth)) {
                ok = false;
                break;
            }
            a.push_back(std::move(v));
        }
        std::free(it);
        if (!ok) return false;
        out = std::move(a);
        return true;
    }
    case PLIST_DICT: {
        boost::json::object o;
        plist_dict_iter it = nullptr;
        plist_dict_new_iter(node, &it);
        if (!it) {
            out = std::move(o);
            return true;
        }
        bool ok = true;
        for (;;) {
            char* key = nullptr;
            plist_t value = nullptr;
            plist_dict_next_item(node, it, &key, &value);
            if (!value) {
                std::free(key);
                break;
            }
            boost::json::value v;
            if (ok && key && toJson(value, v, depth + 1, maxDepth)) {
                o[key] = std::move(v);
            } else {
                ok = false;
            }
            std::free(key);
            if (!ok) break;
        }
        std::free(it);
        if (!ok) return false;
        out = std::move(o);
        return true;
    }
    case PLIST_NONE: break;
    }
    return false;
}

// nullptr for null (skipped by the caller) and for values that have no property-list form.
plist_t fromJson(const boost::json::value& v, int depth, bool& failed)
{
    if (depth > kMaxWriteDepth) {
        failed = true;
        return nullptr;
    }
    switch (v.kind()) {
    case boost::json::kind::null: return nullptr;
    case boost::json::kind::bool_: return plist_new_bool(v.get_bool() ? 1 : 0);
    case boost::json::kind::int64: return plist_new_uint(static_cast<uint64_t>(v.get_int64()));
    case boost::json::kind::uint64: return plist_new_uint(v.get_uint64());
    case boost::json::kind::double_:
        if (!std::isfinite(v.get_double())) {
            failed = true;
            return nullptr;
        }
        return plist_new_real(v.get_double());
    case boost::json::kind::string: {
        const std::string s(v.get_string().data(), v.get_string().size());
        return plist_new_string(s.c_str());
    }
    case boost::json::kind::array: {
        plist_t a = plist_new_array();
        for (const auto& e : v.get_array()) {
            plist_t item = fromJson(e, depth + 1, failed);
            if (failed) break;
            if (item) plist_array_append_item(a, item);
        }
        return a;
    }
    case boost::json::kind::object: {
        plist_t d = plist_new_dict();
        for (const auto& kv : v.get_object()) {
            plist_t item = fromJson(kv.value(), depth + 1, failed);
            if (failed) break;
            if (item) plist_dict_set_item(d, std::string(kv.key()).c_str(), item);
        }
        return d;
    }
    }
    return nullptr;
}

bool startsAt(const QByteArray& bytes, qsizetype at, const char* text)
{
    return QByteArrayView(bytes).sliced(at).startsWith(QByteArrayView(text));
}

// Nesting of <dict> and <array> elements in XML text (an empty <dict/> nests nothing).
int xmlDepth(const QByteArray& bytes, int stopAbove)
{
    int depth = 0;
    int deepest = 0;
    qsizetype at = 0;
    while ((at = bytes.indexOf('<', at)) >= 0) {
        const char* skipTo = nullptr;
        if (startsAt(bytes, at, "<!--")) skipTo = "-->";
        else if (startsAt(bytes, at, "<![CDATA[")) skipTo = "]]>";
        if (skipTo) {
            at = bytes.indexOf(skipTo, at);
            if (at < 0) break;
            continue;
        }
        const qsizetype end = bytes.indexOf('>', at);
        if (end < 0) break;
        const bool closing = at + 1 < bytes.size() && bytes.at(at + 1) == '/';
        QByteArrayView tag = QByteArrayView(bytes).sliced(at + (closing ? 2 : 1), end - at - (closing ? 2 : 1));
        const bool empty = tag.endsWith('/');
        qsizetype nameLength = 0;
        while (nameLength < tag.size() && !QByteArrayView(" \t\r\n/").contains(tag.at(nameLength))) ++nameLength;
        const QByteArrayView name = tag.first(nameLength);
        if (name == "dict" || name == "array") {
            if (closing) {
                --depth;
            } else if (!empty) {
                deepest = std::max(deepest, ++depth);
                if (deepest > stopAbove) return deepest;
            }
        }
        at = end + 1;
    }
    return deepest;
}

std::uint64_t bigEndian(const unsigned char* at, int size)
{
    std::uint64_t value = 0;
    for (int i = 0; i < size; ++i) value = (value << 8) | at[i];
    return value;
}

// Nesting of arrays, sets and dictionaries in a binary property list, followed through its
// offset table without recursion. Each object is measured once; a reference back to an object
// being measured is a cycle, which no property list may hold.
std::optional<int> binaryDepth(const QByteArray& bytes, int stopAbove, std::uint64_t* expanded)
{
    constexpr std::size_t kHeader = 8;
    constexpr std::size_t kTrailer = 32;
    const auto size = static_cast<std::size_t>(bytes.size());
    if (size < kHeader + kTrailer) return std::nullopt;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const unsigned char* trailer = data + size - kTrailer;
    const int offsetSize = trailer[6];
    const int refSize = trailer[7];
    const std::uint64_t objectCount = bigEndian(trailer + 8, 8);
    const std::uint64_t top = bigEndian(trailer + 16, 8);
    const std::uint64_t tableOffset = bigEndian(trailer + 24, 8);
    const std::size_t bodyEnd = size - kTrailer;
    if (offsetSize < 1 || offsetSize > 8 || refSize < 1 || refSize > 8) return std::nullopt;
    if (objectCount == 0 || objectCount > bodyEnd || top >= objectCount) return std::nullopt;
    if (tableOffset < kHeader || tableOffset > bodyEnd || objectCount > (bodyEnd - tableOffset) / static_cast<std::uint64_t>(offsetSize))
        return std::nullopt;

    // The references of a container object, or none for a leaf; false when it does not fit.
    struct Refs {
        std::size_t first = 0;
        std::uint64_t count = 0;
        bool container = false;
    };
    auto refsOf = [&](std::uint64_t object, Refs& refs) {
        const std::uint64_t offset = bigEndian(data + tableOffset + object * static_cast<std::uint64_t>(offsetSize), offsetSize);
        if (offset < kHeader || offset >= tableOffset) return false;
        const unsigned char marker = data[offset];
        const int type = marker >> 4;
        refs = Refs{};
        if (type != 0xA && type != 0xC && type != 0xD) return true;
        std::uint64_t count = marker & 0xF;
        std::size_t at = static_cast<std::size_t>(offset) + 1;
        if (count == 0xF) {
            if (at >= tableOffset || (data[at] >> 4) != 0x1) return false;
            const int countSize = 1 << (data[at] & 0xF);
            if (countSize > 8 || at + 1 + static_cast<std::size_t>(countSize) > tableOffset) return false;
            count = bigEndian(data + at + 1, countSize);
            at += 1 + static_cast<std::size_t>(countSize);
        }
        if (type == 0xD) {
            if (count > (tableOffset - at) / 2) return false;
            count *= 2;
        }
        if (count > (tableOffset - at) / static_cast<std::uint64_t>(refSize)) return false;
        refs = Refs{at, count, true};
        return true;
    };

    enum : unsigned char { unseen, measuring, measured };
    std::vector<unsigned char> state(static_cast<std::size_t>(objectCount), unseen);
    std::vector<int> depthOf(static_cast<std::size_t>(objectCount), 0);
    std::vector<std::uint64_t> sizeOf(static_cast<std::size_t>(objectCount), 1);
    struct Frame {
        std::uint64_t object;
        Refs refs;
        std::uint64_t next = 0;
        int deepestChild = 0;
        std::uint64_t size = 1;
    };
    std::vector<Frame> stack;
    Refs topRefs;
    if (!refsOf(top, topRefs)) return std::nullopt;
    if (!topRefs.container) {
        *expanded = 1;
        return 0;
    }
    stack.push_back(Frame{top, topRefs});
    state[static_cast<std::size_t>(top)] = measuring;
    while (!stack.empty()) {
        if (static_cast<int>(stack.size()) > stopAbove) return stopAbove + 1;
        Frame& frame = stack.back();
        if (frame.next == frame.refs.count) {
            const auto index = static_cast<std::size_t>(frame.object);
            depthOf[index] = frame.deepestChild + 1;
            sizeOf[index] = frame.size;
            state[index] = measured;
            const int depth = depthOf[index];
            const std::uint64_t subtree = frame.size;
            stack.pop_back();
            if (stack.empty()) {
                *expanded = subtree;
                return depth;
            }
            Frame& parent = stack.back();
            parent.deepestChild = std::max(parent.deepestChild, depth);
            parent.size = std::min(parent.size + subtree, kMaxExpandedObjects + 1);
            continue;
        }
        const std::uint64_t child =
            bigEndian(data + frame.refs.first + frame.next * static_cast<std::uint64_t>(refSize), refSize);
        ++frame.next;
        if (child >= objectCount) return std::nullopt;
        const auto index = static_cast<std::size_t>(child);
        if (state[index] == measuring) return std::nullopt;
        if (state[index] == measured) {
            frame.deepestChild = std::max(frame.deepestChild, depthOf[index]);
            frame.size = std::min(frame.size + sizeOf[index], kMaxExpandedObjects + 1);
            continue;
        }
        Refs refs;
        if (!refsOf(child, refs)) return std::nullopt;
        if (!refs.container) {
            state[index] = measured;
            frame.size = std::min(frame.size + 1, kMaxExpandedObjects + 1);
            continue;
        }
        state[index] = measuring;
        stack.push_back(Frame{child, refs});
    }
    return std::nullopt;
}

} // namespace

std::optional<int> propertyListDepth(const QByteArray& bytes, int stopAbove)
{
    if (bytes.startsWith("bplist00")) {
        std::uint64_t expanded = 0;
        return binaryDepth(bytes, stopAbove, &expanded);
    }
    return xmlDepth(bytes, stopAbove);
}

std::optional<boost::json::value> readPropertyList(const QString& path, QString* error, PropertyListProblem* problem,
                                                   const PropertyListLimits& limits)
{
    auto refuse = [&](PropertyListProblem why, const QString& text) {
        setError(error, text);
        if (problem) *problem = why;
        return std::nullopt;
    };
    if (problem) *problem = PropertyListProblem::none;
    // Opening a fifo or a device for reading may block for ever.
    const QFileInfo info(path);
    if (!info.exists()) return refuse(PropertyListProblem::unreadable, QStringLiteral("%1 does not exist").arg(path));
    if (!info.isFile() || info.isDir())
        return refuse(PropertyListProblem::unreadable, QStringLiteral("%1 is not a regular file").arg(path));
    if (info.size() > limits.maxFileBytes)
        return refuse(PropertyListProblem::tooLarge, QStringLiteral("%1 is too large for a property list").arg(path));
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return refuse(PropertyListProblem::unreadable, QStringLiteral("Cannot open %1: %2").arg(path, f.errorString()));
    const QByteArray bytes = f.read(limits.maxFileBytes + 1);
    if (bytes.size() > limits.maxFileBytes)
        return refuse(PropertyListProblem::tooLarge, QStringLiteral("%1 is too large for a property list").arg(path));
    if (bytes.isEmpty()) return refuse(PropertyListProblem::notPropertyList, QStringLiteral("%1 is empty").arg(path));

    const bool binary = bytes.startsWith("bplist00");
    std::uint64_t expanded = 0;
    const std::optional<int> depth = binary ? binaryDepth(bytes, limits.maxDepth, &expanded)
                                            : std::optional<int>(xmlDepth(bytes, limits.maxDepth));
    if (!depth) return refuse(PropertyListProblem::notPropertyList, QStringLiteral("%1 is not a property list").arg(path));
    if (*depth > limits.maxDepth)
        return refuse(PropertyListProblem::tooDeep,
                      QStringLiteral("%1 nests deeper than %2 levels").arg(path).arg(limits.maxDepth));
    if (expanded > kMaxExpandedObjects)
        return refuse(PropertyListProblem::tooLarge, QStringLiteral("%1 holds too many values").arg(path));

    plist_t raw = nullptr;
    if (binary) {
        plist_from_bin(bytes.constData(), static_cast<uint32_t>(bytes.size()), &raw);
    } else {
        plist_from_xml(bytes.constData(), static_cast<uint32_t>(bytes.size()), &raw);
    }
    PlistHandle root(raw);
    if (!root) return refuse(PropertyListProblem::notPropertyList, QStringLiteral("%1 is not a property list").arg(path));
    boost::json::value out;
    if (!toJson(root.get(), out, 0, limits.maxDepth))
        return refuse(PropertyListProblem::badValue, QStringLiteral("%1 holds values that cannot be read").arg(path));
    return out;
}

bool writePropertyList(const QString& path, const boost::json::value& value, PropertyListFormat format, QString* error)
{
    bool failed = false;
    PlistHandle root(fromJson(value, 0, failed));
    if (failed || !root) {
        setError(error, QStringLiteral("The value has no property-list form"));
        return false;
    }
    char* data = nullptr;
    uint32_t length = 0;
    QByteArray bytes;
    if (format == PropertyListFormat::Xml) {
        plist_to_xml(root.get(), &data, &length);
        if (data) bytes = QByteArray(data, static_cast<qsizetype>(length));
        plist_to_xml_free(data);
    } else {
        plist_to_bin(root.get(), &data, &length);
        if (data) bytes = QByteArray(data, static_cast<qsizetype>(length));
        plist_to_bin_free(data);
    }
    if (bytes.isEmpty()) {
        setError(error, QStringLiteral("Cannot encode the property list"));
        return false;
    }
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        setError(error, QStringLiteral("Cannot write %1: %2").arg(path, out.errorString()));
        return false;
    }
    return true;
}

} // namespace platform
