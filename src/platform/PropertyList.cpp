#include "platform/PropertyList.h"

#include "platform/PropertyListBinaryScan.h"

#include <QDateTime>
#include <QFile>
#include <QSaveFile>

#include <plist/plist.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

namespace platform {
namespace {

// Property lists come from other programs; bound what we are willing to read.
constexpr qint64 kMaxFileBytes = 256LL * 1024 * 1024;
constexpr int kMaxDepth = 512;

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

bool toJson(plist_t node, boost::json::value& out, int depth)
{
    if (depth > kMaxDepth) return false;
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
        boost::json::array a;
        const uint32_t n = plist_array_get_size(node);
        a.reserve(n);
        for (uint32_t i = 0; i < n; ++i) {
            boost::json::value v;
            if (!toJson(plist_array_get_item(node, i), v, depth + 1)) return false;
            a.push_back(std::move(v));
        }
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
            if (ok && key && toJson(value, v, depth + 1)) {
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
    if (depth > kMaxDepth) {
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

} // namespace

std::optional<boost::json::value> readPropertyList(const QString& path, QString* error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        setError(error, QStringLiteral("Cannot open %1: %2").arg(path, f.errorString()));
        return std::nullopt;
    }
    if (f.size() > kMaxFileBytes) {
        setError(error, QStringLiteral("%1 is too large for a property list").arg(path));
        return std::nullopt;
    }
    const QByteArray bytes = f.readAll();
    if (bytes.isEmpty()) {
        setError(error, QStringLiteral("%1 is empty").arg(path));
        return std::nullopt;
    }
    if (binaryPropertyListHasNulInUnicodeString(bytes)) {
        setError(error, QStringLiteral("%1 holds a text with a null character").arg(path));
        return std::nullopt;
    }
    plist_t raw = nullptr;
    if (bytes.startsWith("bplist00")) {
        plist_from_bin(bytes.constData(), static_cast<uint32_t>(bytes.size()), &raw);
    } else {
        plist_from_xml(bytes.constData(), static_cast<uint32_t>(bytes.size()), &raw);
    }
    PlistHandle root(raw);
    if (!root) {
        setError(error, QStringLiteral("%1 is not a property list").arg(path));
        return std::nullopt;
    }
    boost::json::value out;
    if (!toJson(root.get(), out, 0)) {
        setError(error, QStringLiteral("%1 holds values that cannot be read").arg(path));
        return std::nullopt;
    }
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
