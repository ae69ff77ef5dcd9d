#include "platform/JsonText.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace platform {
namespace {

void appendNumber(std::string& out, double d)
{
    char buf[64];
    const double mag = std::fabs(d);
    if (d == std::trunc(d) && mag < 1e18) {
        const auto r = std::to_chars(buf, buf + sizeof buf, static_cast<std::int64_t>(d));
        out.append(buf, r.ptr);
        return;
    }
    const bool plain = mag >= 1e-6 && mag < 1e21;
    const auto r = plain ? std::to_chars(buf, buf + sizeof buf, d, std::chars_format::fixed)
                         : std::to_chars(buf, buf + sizeof buf, d);
    out.append(buf, r.ptr);
}

// Length of a valid UTF-8 sequence starting at s[i], or 0 when it is not valid.
std::size_t utf8Length(std::string_view s, std::size_t i)
{
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t n;
    std::uint32_t cp;
    if (c < 0x80) return 1;
    if ((c & 0xE0) == 0xC0) { n = 2; cp = c & 0x1F; }
    else if ((c & 0xF0) == 0xE0) { n = 3; cp = c & 0x0F; }
    else if ((c & 0xF8) == 0xF0) { n = 4; cp = c & 0x07; }
    else return 0;
    if (i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        const auto cc = static_cast<unsigned char>(s[i + k]);
        if ((cc & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (cc & 0x3F);
    }
    if ((n == 2 && cp < 0x80) || (n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF))) return 0;
    if (cp >= 0xD800 && cp <= 0xDFFF) return 0;
    return n;
}

void appendString(std::string& out, std::string_view s)
{
    out.push_back('"');
    static const char* hex = "0123456789abcdef";
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c >= 0x80) {
            const std::size_t n = utf8Length(s, i);
            if (n == 0) {
                out.append("\xEF\xBF\xBD");
                ++i;
            } else {
                out.append(s.substr(i, n));
                i += n;
            }
            continue;
        }
        switch (c) {
        case '"': out.append("\\\""); break;
        case '\\': out.append("\\\\"); break;
        case '\n': out.append("\\n"); break;
        case '\r': out.append("\\r"); break;
        case '\t': out.append("\\t"); break;
        case '\b': out.append("\\b"); break;
        case '\f': out.append("\\f"); break;
        default:
            if (c < 0x20) {
                out.append("\\u00");
                out.push_back(hex[c >> 4]);
                out.push_back(hex[c & 0xF]);
            } else {
                out.push_back(static_cast<char>(c));
            }
        }
        ++i;
    }
    out.push_back('"');
}

struct Writer {
    std::string out;
    bool pretty;
    bool failed = false;

    void newline(int depth)
    {
        if (!pretty) return;
        out.push_back('\n');
        out.append(static_cast<std::size_t>(depth) * 2, ' ');
    }

    void write(const boost::json::value& v, int depth)
    {
        switch (v.kind()) {
        case boost::json::kind::null: out.append("null"); break;
        case boost::json::kind::bool_: out.append(v.get_bool() ? "true" : "false"); break;
        case boost::json::kind::int64: {
            char buf[32];
            const auto r = std::to_chars(buf, buf + sizeof buf, v.get_int64());
            out.append(buf, r.ptr);
            break;
        }
        case boost::json::kind::uint64: {
            char buf[32];
            const auto r = std::to_chars(buf, buf + sizeof buf, v.get_uint64());
            out.append(buf, r.ptr);
            break;
        }
        case boost::json::kind::double_: {
            const double d = v.get_double();
            if (!std::isfinite(d)) {
                failed = true;
                out.append("null");
            } else {
                appendNumber(out, d);
            }
            break;
        }
        case boost::json::kind::string: {
            const auto& s = v.get_string();
            appendString(out, std::string_view(s.data(), s.size()));
            break;
        }
        case boost::json::kind::array: {
            const auto& a = v.get_array();
            out.push_back('[');
            if (a.empty()) { out.push_back(']'); break; }
            bool first = true;
            for (const auto& e : a) {
                if (!first) out.push_back(',');
                first = false;
                newline(depth + 1);
                write(e, depth + 1);
            }
            newline(depth);
            out.push_back(']');
            break;
        }
        case boost::json::kind::object: {
            const auto& o = v.get_object();
            out.push_back('{');
            if (o.empty()) { out.push_back('}'); break; }
            bool first = true;
            for (const auto& kv : o) {
                if (!first) out.push_back(',');
                first = false;
                newline(depth + 1);
                appendString(out, std::string_view(kv.key().data(), kv.key().size()));
                out.append(pretty ? " : " : ":");
                write(kv.value(), depth + 1);
            }
            newline(depth);
            out.push_back('}');
            break;
        }
        }
    }
};

} // namespace

std::optional<std::string> jsonText(const boost::json::value& value, JsonStyle style)
{
    Writer w{{}, style == JsonStyle::Pretty};
    w.write(value, 0);
    if (w.failed) return std::nullopt;
    return std::move(w.out);
}

std::optional<boost::json::value> parseJson(std::string_view text, std::string* error, unsigned maxDepth)
{
    boost::json::parse_options opts;
    opts.max_depth = maxDepth;
    boost::system::error_code ec;
    boost::json::value v = boost::json::parse(boost::json::string_view(text.data(), text.size()), ec, {}, opts);
    if (ec) {
        if (error) *error = ec.message();
        return std::nullopt;
    }
    return v;
}

std::optional<boost::json::object> parseJsonObject(std::string_view text, std::string* error)
{
    auto v = parseJson(text, error);
    if (!v) return std::nullopt;
    if (!v->is_object()) {
        if (error) *error = "not a JSON object";
        return std::nullopt;
    }
    return std::move(v->get_object());
}

std::string decimalText(double value)
{
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    std::string s(buf, r.ptr);
    if (s.find_first_of(".eE") == std::string::npos) s.append(".0");
    return s;
}

} // namespace platform
