#include "platform/JsonText.h"

#include <boost/json/basic_parser_impl.hpp>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <exception>

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

// True for the bytes that can be copied as they are: printable ASCII other than '"' and '\\'.
constexpr bool isPlainByte(unsigned char c)
{
    return c >= 0x20 && c < 0x80 && c != '"' && c != '\\';
}

void appendString(std::string& out, std::string_view s)
{
    out.push_back('"');
    static const char* hex = "0123456789abcdef";
    for (std::size_t i = 0; i < s.size();) {
        // Design documents are mostly plain text: copy runs of it in one go.
        std::size_t run = i;
        while (run < s.size() && isPlainByte(static_cast<unsigned char>(s[run]))) ++run;
        if (run > i) {
            out.append(s.data() + i, run - i);
            i = run;
            if (i == s.size()) break;
        }
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
            out.append("\\u00");
            out.push_back(hex[c >> 4]);
            out.push_back(hex[c & 0xF]);
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
        if (v.is_object()) return writeObject(v.get_object(), depth);
        if (v.is_array()) return writeArray(v.get_array(), depth);
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
        case boost::json::kind::array:
        case boost::json::kind::object:
            break; // handled above
        }
    }

    void writeArray(const boost::json::array& a, int depth)
    {
        out.push_back('[');
        if (a.empty()) { out.push_back(']'); return; }
        bool first = true;
        for (const auto& e : a) {
            if (!first) out.push_back(',');
            first = false;
            newline(depth + 1);
            write(e, depth + 1);
        }
        newline(depth);
        out.push_back(']');
    }

    void writeObject(const boost::json::object& o, int depth)
    {
        out.push_back('{');
        if (o.empty()) { out.push_back('}'); return; }
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
    }
};

// Builds the value tree exactly as boost::json::parse does, except for decimal numbers.
// boost's own conversion is not correctly rounded in every case ("499.20000000001164" comes back
// as 499.2000000000117), and a design value that is read, annotated and written back must keep
// every digit; so each decimal number is converted again from its text, exactly (std::from_chars
// is correctly rounded).
class ExactNumberHandler {
public:
    static constexpr std::size_t max_object_size = boost::json::object::max_size();
    static constexpr std::size_t max_array_size = boost::json::array::max_size();
    static constexpr std::size_t max_key_size = boost::json::string::max_size();
    static constexpr std::size_t max_string_size = boost::json::string::max_size();

    ExactNumberHandler(unsigned char* buffer, std::size_t size)
        : m_stack(boost::json::storage_ptr(), buffer, size)
    {
    }

    boost::json::value_stack& stack() { return m_stack; }

    bool on_document_begin(boost::json::error_code&) { return true; }
    bool on_document_end(boost::json::error_code&) { return true; }
    bool on_object_begin(boost::json::error_code&) { return true; }
    bool on_object_end(std::size_t n, boost::json::error_code&)
    {
        m_stack.push_object(n);
        return true;
    }
    bool on_array_begin(boost::json::error_code&) { return true; }
    bool on_array_end(std::size_t n, boost::json::error_code&)
    {
        m_stack.push_array(n);
        return true;
    }
    bool on_key_part(boost::json::string_view s, std::size_t, boost::json::error_code&)
    {
        m_stack.push_chars(s);
        return true;
    }
    bool on_key(boost::json::string_view s, std::size_t, boost::json::error_code&)
    {
        m_stack.push_key(s);
        return true;
    }
    bool on_string_part(boost::json::string_view s, std::size_t, boost::json::error_code&)
    {
        m_stack.push_chars(s);
        return true;
    }
    bool on_string(boost::json::string_view s, std::size_t, boost::json::error_code&)
    {
        m_stack.push_string(s);
        return true;
    }
    // A number cut by the end of an input chunk arrives in parts; the last part comes with the value.
    bool on_number_part(boost::json::string_view s, boost::json::error_code&)
    {
        m_numberText.append(s.data(), s.size());
        return true;
    }
    bool on_int64(std::int64_t i, boost::json::string_view, boost::json::error_code&)
    {
        m_numberText.clear();
        m_stack.push_int64(i);
        return true;
    }
    bool on_uint64(std::uint64_t u, boost::json::string_view, boost::json::error_code&)
    {
        m_numberText.clear();
        m_stack.push_uint64(u);
        return true;
    }
    bool on_double(double approximate, boost::json::string_view s, boost::json::error_code&)
    {
        std::string_view text(s.data(), s.size());
        if (!m_numberText.empty()) {
            m_numberText.append(text);
            text = m_numberText;
        }
        m_stack.push_double(exactDouble(text, approximate));
        m_numberText.clear();
        return true;
    }
    bool on_bool(bool b, boost::json::error_code&)
    {
        m_stack.push_bool(b);
        return true;
    }
    bool on_null(boost::json::error_code&)
    {
        m_stack.push_null();
        return true;
    }
    // Comments are refused by the options; these only complete the interface.
    bool on_comment_part(boost::json::string_view, boost::json::error_code&) { return true; }
    bool on_comment(boost::json::string_view, boost::json::error_code&) { return true; }

private:
    // Up to 15 digits and no exponent, as most design values are written: the digits as an integer
    // and the power of ten are both exact doubles, so one IEEE division rounds correctly and the
    // general conversion can be skipped.
    static bool shortDecimal(std::string_view text, double& out)
    {
        static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                                                  1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        constexpr std::size_t kMaxDigits = 15;
        if (text.size() > kMaxDigits + 2) return false; // more digits than that, whatever the sign and point
        const char* p = text.data();
        const char* const end = p + text.size();
        const bool negative = p != end && *p == '-';
        if (negative) ++p;
        const char* point = nullptr;
        std::uint64_t digits = 0; // at most 17 digits here, well inside 64 bits
        for (; p != end; ++p) {
            const unsigned digit = static_cast<unsigned char>(*p) - unsigned{'0'};
            if (digit < 10) {
                digits = digits * 10 + digit;
            } else if (*p == '.' && !point) {
                point = p;
            } else {
                return false;
            }
        }
        const std::size_t count = text.size() - (negative ? 1 : 0) - (point ? 1 : 0);
        if (count == 0 || count > kMaxDigits) return false;
        const auto scale = point ? static_cast<std::size_t>(end - point - 1) : 0;
        const double d = static_cast<double>(digits) / kPowersOfTen[scale];
        out = negative ? -d : d;
        return true;
    }

    // `text` has already passed the parser's number grammar, which from_chars accepts as a whole.
    static double exactDouble(std::string_view text, double approximate)
    {
        double d = 0;
        if (shortDecimal(text, d)) return d;
        const auto r = std::from_chars(text.data(), text.data() + text.size(), d);
        if (r.ec == std::errc() && r.ptr == text.data() + text.size()) return d;
        if (r.ec == std::errc::result_out_of_range) {
            // Beyond the largest double it rounds to infinity, below half the smallest to zero;
            // boost's approximation is far enough from the boundary to tell which.
            const bool negative = !text.empty() && text.front() == '-';
            const double magnitude = std::fabs(approximate) >= 1 ? HUGE_VAL : 0.0;
            return negative ? -magnitude : magnitude;
        }
        return approximate;
    }

    boost::json::value_stack m_stack;
    std::string m_numberText;
};

} // namespace

std::optional<std::string> jsonText(const boost::json::value& value, JsonStyle style)
{
    Writer w{{}, style == JsonStyle::Pretty};
    w.write(value, 0);
    if (w.failed) return std::nullopt;
    return std::move(w.out);
}

std::optional<std::string> jsonText(const boost::json::object& object, JsonStyle style)
{
    Writer w{{}, style == JsonStyle::Pretty};
    w.writeObject(object, 0);
    if (w.failed) return std::nullopt;
    return std::move(w.out);
}

std::optional<std::string> jsonText(const boost::json::array& array, JsonStyle style)
{
    Writer w{{}, style == JsonStyle::Pretty};
    w.writeArray(array, 0);
    if (w.failed) return std::nullopt;
    return std::move(w.out);
}

std::optional<boost::json::value> parseJson(std::string_view text, std::string* error, unsigned maxDepth)
{
    boost::json::parse_options opts;
    opts.max_depth = maxDepth;
    try {
        // The same stack buffer boost::json::parse gives its value stack, so small documents allocate nothing extra.
        unsigned char temp[BOOST_JSON_STACK_BUFFER_SIZE];
        boost::json::basic_parser<ExactNumberHandler> parser(opts, temp, sizeof temp);
        parser.reset();
        parser.handler().stack().reset(boost::json::storage_ptr());
        boost::system::error_code ec;
        const std::size_t used = parser.write_some(false, text.data(), text.size(), ec);
        if (!ec && used < text.size()) ec = boost::json::error::extra_data;
        if (!ec && !parser.done()) ec = boost::json::error::incomplete;
        if (ec) {
            if (error) *error = ec.message();
            return std::nullopt;
        }
        return parser.handler().stack().release();
    } catch (const std::exception& e) {
        // Only allocation failures and size limits can get here; outside input must never escape as an exception.
        if (error) *error = e.what();
        return std::nullopt;
    }
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
