// Stand-in for Sketch's command-line tool, used by the tests of the upload pipeline.
//
//   sketchtool-standin export <layers|slices|artboards|pages> <document> --formats=<f> --output=<dir>
//                      --items=<id> [--filename=<name>] [--scales=<s>]
//
// Writes <dir>/<name>.<f>, a small valid PNG, PDF or SVG. Without --filename an artboard is named
// after the artboard whose "do_objectID" is <id> in the document (a zip archive of JSON pages), as
// the real tool names it; other items are named after their id. An artboard that the document does
// not hold is an error (status 2, nothing written).
//
// The pipeline starts the tool once per preview and once per image and scale, so it has to start
// and answer at once even for documents of tens of megabytes: it is plain C++ (no Qt), reads the
// pages of the unpacked folder that lies beside the document's stored copy (N.sketch -> N/) when
// there is one, looks only into the pages whose text holds the id, and reads no more of a page
// than the top level of its layers. The archive itself is read only when the folder is missing or
// does not hold the artboard.
//
// Environment:
//   SKETCHTOOL_STANDIN_LOG=<file>      one JSON line appended when a run starts and one when it ends
//                                      ({"event": "start"|"end", "pid", "item", "type", "format",
//                                      "scale", "filename", "args", "exit"}).
//   SKETCHTOOL_STANDIN_CONTROL=<file>  JSON {"items": {"<id>": rule | [rules]}, "default": rule}.
//     The first rule of the item whose filters match the cut applies, else "default".
//     rule: "format", "scale"   filters: the --formats / --scales text of the cut
//           "mode"              "ok" (default), "exit" (status "status", default 1; "write": true
//                               writes the file first), "signal" (killed by SIGKILL), "nofile"
//                               (status 0, nothing written), "late" (status 0, the file appears
//                               after the tool has ended), "empty" (a zero-byte file), "garbage"
//                               (bytes that are no image), "wrongformat" (a valid image of another
//                               format than the one asked), "hang" (never ends by itself: it
//                               sleeps until killed, at most "delayMs" or ten minutes); "signal"
//                               takes the signal's number in "signal" (default SIGKILL)
//           "delayMs"           wait before writing (for "late": after the tool has ended)
//           "waitFor"           wait until this path exists before going on

#include "platform/JsonText.h"

#include <zip.h>
#include <zlib.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <type_traits>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Arguments {
    std::string type;
    std::string document;
    std::string format;
    std::string output;
    std::string item;
    std::optional<std::string> fileName;
    std::optional<std::string> scales;
    boost::json::array all;
};

bool takeOption(const std::string& arg, const char* prefix, std::string& out)
{
    const std::string p(prefix);
    if (arg.compare(0, p.size(), p) != 0) return false;
    out = arg.substr(p.size());
    return true;
}

std::optional<Arguments> parseArguments(int argc, char** argv)
{
    Arguments a;
    for (int i = 1; i < argc; ++i) a.all.emplace_back(argv[i]);
    if (argc < 4 || std::string(argv[1]) != "export") return std::nullopt;
    a.type = argv[2];
    a.document = argv[3];
    bool haveFormat = false, haveOutput = false, haveItems = false;
    for (int i = 4; i < argc; ++i) {
        const std::string arg = argv[i];
        std::string value;
        if (takeOption(arg, "--formats=", value)) { a.format = value; haveFormat = true; }
        else if (takeOption(arg, "--output=", value)) { a.output = value; haveOutput = true; }
        else if (takeOption(arg, "--items=", value)) { a.item = value; haveItems = true; }
        else if (takeOption(arg, "--filename=", value)) a.fileName = value;
        else if (takeOption(arg, "--scales=", value)) a.scales = value;
        else return std::nullopt;
    }
    if (!haveFormat || !haveOutput || !haveItems) return std::nullopt;
    return a;
}

void appendLog(boost::json::object line)
{
    const char* path = std::getenv("SKETCHTOOL_STANDIN_LOG");
    if (!path || !*path) return;
    line["pid"] = static_cast<std::int64_t>(::getpid());
    auto text = platform::jsonText(line);
    if (!text) return;
    text->push_back('\n');
    // One write on an O_APPEND descriptor, so the lines of tools running at once never mix.
    const int fd = ::open(path, O_WRONLY | O_APPEND | O_CREAT, 0644);
    if (fd < 0) return;
    [[maybe_unused]] const auto written = ::write(fd, text->data(), text->size());
    ::close(fd);
}

boost::json::object baseLogLine(const Arguments& a, const char* event)
{
    boost::json::object line;
    line["event"] = event;
    line["item"] = a.item;
    line["type"] = a.type;
    line["format"] = a.format;
    line["scale"] = a.scales ? boost::json::value(*a.scales) : boost::json::value(nullptr);
    line["filename"] = a.fileName ? boost::json::value(*a.fileName) : boost::json::value(nullptr);
    return line;
}

std::string stringMember(const boost::json::object& o, const char* key)
{
    const auto* v = o.if_contains(key);
    return v && v->is_string() ? std::string(v->get_string()) : std::string();
}

std::int64_t intMember(const boost::json::object& o, const char* key, std::int64_t fallback)
{
    const auto* v = o.if_contains(key);
    if (v && v->is_int64()) return v->get_int64();
    if (v && v->is_uint64()) return static_cast<std::int64_t>(v->get_uint64());
    return fallback;
}

std::optional<std::string> readWholeFile(const char* path)
{
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return text;
}

bool ruleMatches(const boost::json::object& rule, const Arguments& a)
{
    if (rule.contains("format") && stringMember(rule, "format") != a.format) return false;
    if (rule.contains("scale") && stringMember(rule, "scale") != a.scales.value_or("")) return false;
    return true;
}

boost::json::object controlRule(const Arguments& a)
{
    const char* path = std::getenv("SKETCHTOOL_STANDIN_CONTROL");
    if (!path || !*path) return {};
    const auto bytes = readWholeFile(path);
    if (!bytes) return {};
    const auto control = platform::parseJsonObject(*bytes);
    if (!control) return {};
    if (const auto* items = control->if_contains("items"); items && items->is_object()) {
        if (const auto* entry = items->get_object().if_contains(a.item)) {
            if (entry->is_object() && ruleMatches(entry->get_object(), a)) return entry->get_object();
            if (entry->is_array()) {
                for (const auto& r : entry->get_array())
                    if (r.is_object() && ruleMatches(r.get_object(), a)) return r.get_object();
            }
        }
    }
    if (const auto* d = control->if_contains("default"); d && d->is_object() && ruleMatches(d->get_object(), a))
        return d->get_object();
    return {};
}

// --- Finding an artboard's name without building the page's tree ------------------------------

// Reads a page's text only as far as it must: the top-level object, its "layers" array, and the
// string members of each layer found there; everything else is stepped over by matching brackets.
class PageSkimmer {
public:
    explicit PageSkimmer(std::string_view text) : m_text(text) {}

    // The name of the top-level artboard with this id; nothing when the page has none or is no
    // readable JSON (as far as it was read).
    std::optional<std::string> artboardName(std::string_view id)
    {
        skipSpace();
        if (!take('{')) return std::nullopt;
        std::optional<std::string> found;
        // A page broken further on still names what was read before the break.
        forEachMember([&](std::string_view key) {
                if (key != "layers" || peek() != '[') return skipValue();
                return forEachElement([&] {
                    if (!take('{')) return skipValue();
                    std::optional<std::string> className, objectId, name;
                    const bool read = forEachMember([&](std::string_view member) {
                        std::optional<std::string>* slot = member == "_class" ? &className
                                                           : member == "do_objectID" ? &objectId
                                                           : member == "name" ? &name
                                                                              : nullptr;
                        if (!slot || peek() != '"') return skipValue();
                        const auto raw = rawString();
                        if (!raw) return false;
                        *slot = decoded(*raw);
                        return slot->has_value();
                    });
                    if (!read) return false;
                    // The first layer with the id decides; the walk ends there.
                    if (className == "artboard" && objectId && *objectId == id) found = name.value_or("");
                    return !found;
                });
        });
        return found;
    }

private:
    char peek() const { return m_pos < m_text.size() ? m_text[m_pos] : '\0'; }

    bool take(char c)
    {
        skipSpace();
        if (peek() != c) return false;
        ++m_pos;
        return true;
    }

    void skipSpace()
    {
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos];
            if (c != ' ' && c != '\n' && c != '\r' && c != '\t') return;
            ++m_pos;
        }
    }

    // Moves past the closing quote of a string whose opening quote is already behind the position.
    // Most of a page's bytes are in strings, so their ends are found with memchr.
    bool skipStringBody()
    {
        const char* const begin = m_text.data();
        const char* const end = begin + m_text.size();
        const char* at = begin + m_pos;
        for (;;) {
            const auto* quote = static_cast<const char*>(std::memchr(at, '"', static_cast<std::size_t>(end - at)));
            if (!quote) {
                m_pos = m_text.size();
                return false;
            }
            std::size_t backslashes = 0;
            for (const char* b = quote; b > begin + m_pos && b[-1] == '\\'; --b) ++backslashes;
            at = quote + 1;
            if (backslashes % 2 == 0) {
                m_pos = static_cast<std::size_t>(at - begin);
                return true;
            }
        }
    }

    // The string at the position with its quotes, escapes left as written.
    std::optional<std::string_view> rawString()
    {
        skipSpace();
        if (peek() != '"') return std::nullopt;
        const std::size_t start = m_pos++;
        if (!skipStringBody()) return std::nullopt;
        return m_text.substr(start, m_pos - start);
    }

    static std::optional<std::string> decoded(std::string_view raw)
    {
        const std::string_view inner = raw.substr(1, raw.size() - 2);
        if (inner.find('\\') == std::string_view::npos) return std::string(inner);
        const auto value = platform::parseJson(raw);
        if (!value || !value->is_string()) return std::nullopt;
        return std::string(value->get_string());
    }

    // Steps over one value of any kind. Containers are matched by counting brackets outside strings.
    bool skipValue()
    {
        skipSpace();
        const char first = peek();
        if (first == '"') return rawString().has_value();
        if (first != '{' && first != '[') {
            const std::size_t start = m_pos;
            while (m_pos < m_text.size()) {
                const char c = m_text[m_pos];
                if (c == ',' || c == '}' || c == ']' || c == ' ' || c == '\n' || c == '\r' || c == '\t') break;
                ++m_pos;
            }
            return m_pos > start;
        }
        std::size_t depth = 0;
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos++];
            switch (c) {
            case '"':
                if (!skipStringBody()) return false;
                break;
            case '{':
            case '[':
                ++depth;
                break;
            case '}':
            case ']':
                if (--depth == 0) return true;
                break;
            default:
                break;
            }
        }
        return false;
    }

    // Calls `member(key)` with the position on each member's value; the callback consumes it.
    template <class F>
    bool forEachMember(F&& member)
    {
        if (take('}')) return true;
        for (;;) {
            const auto rawKey = rawString();
            if (!rawKey) return false;
            const auto key = decoded(*rawKey);
            if (!key || !take(':')) return false;
            skipSpace();
            if (!member(std::string_view(*key))) return false;
            if (take(',')) continue;
            return take('}');
        }
    }

    template <class F>
    bool forEachElement(F&& element)
    {
        if (!take('[')) return false;
        if (take(']')) return true;
        for (;;) {
            skipSpace();
            if (!element()) return false;
            if (take(',')) continue;
            return take(']');
        }
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

// Whether the id can be looked for as it stands in the text: an id with characters that JSON
// may write escaped could be in a page without its plain text being there.
bool searchableAsText(std::string_view id)
{
    return !id.empty() && std::all_of(id.begin(), id.end(), [](char c) {
        return c != '"' && c != '\\' && c != '/' && static_cast<unsigned char>(c) >= 0x20 &&
               static_cast<unsigned char>(c) < 0x80;
    });
}

std::optional<std::string> artboardIn(std::string_view page, std::string_view id)
{
    if (searchableAsText(id) && page.find(id) == std::string_view::npos) return std::nullopt;
    return PageSkimmer(page).artboardName(id);
}

// A page file mapped into memory rather than copied: most pages are only searched for the id.
std::optional<std::string> artboardInFile(const fs::path& path, std::string_view id)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_size <= 0) {
        ::close(fd);
        return std::nullopt;
    }
    const auto size = static_cast<std::size_t>(st.st_size);
    void* mapped = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    ::close(fd);
    if (mapped == MAP_FAILED) return std::nullopt;
    auto found = artboardIn(std::string_view(static_cast<const char*>(mapped), size), id);
    ::munmap(mapped, size);
    return found;
}

// The folder the application unpacked the stored copy into: the copy's path without extension.
fs::path unpackedFolder(const fs::path& document)
{
    const std::string name = document.filename().string();
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) return fs::path(document.string() + "_unpacked");
    return document.parent_path() / name.substr(0, dot);
}

std::optional<std::string> artboardNameInFolder(const fs::path& folder, std::string_view id)
{
    std::error_code error;
    std::vector<fs::path> pages;
    for (fs::directory_iterator it(folder / "pages", error), end; !error && it != end; it.increment(error)) {
        const fs::path& path = it->path();
        if (path.extension() == ".json" && it->is_regular_file(error)) pages.push_back(path);
    }
    std::sort(pages.begin(), pages.end());
    for (const auto& page : pages)
        if (auto found = artboardInFile(page, id)) return found;
    return std::nullopt;
}

// libzip is loaded only when the archive has to be read: the tool starts once per cut, thousands
// of times in a large upload, and loading libzip with its own dependencies at every start cost
// more than all the rest the tool does.
struct ZipLibrary {
    decltype(&zip_open) open = nullptr;
    decltype(&zip_get_num_entries) entryCount = nullptr;
    decltype(&zip_get_name) name = nullptr;
    decltype(&zip_stat_index) stat = nullptr;
    decltype(&zip_fopen_index) openEntry = nullptr;
    decltype(&zip_fread) read = nullptr;
    decltype(&zip_fclose) closeEntry = nullptr;
    decltype(&zip_close) close = nullptr;

    static std::optional<ZipLibrary> load()
    {
        void* handle = dlopen("libzip.so.4", RTLD_NOW | RTLD_LOCAL);
        if (!handle) handle = dlopen("libzip.so", RTLD_NOW | RTLD_LOCAL);
        if (!handle) return std::nullopt;
        ZipLibrary z;
        const auto bind = [handle](auto& fn, const char* symbol) {
            fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(dlsym(handle, symbol));
            return fn != nullptr;
        };
        if (!bind(z.open, "zip_open") || !bind(z.entryCount, "zip_get_num_entries") || !bind(z.name, "zip_get_name") ||
            !bind(z.stat, "zip_stat_index") || !bind(z.openEntry, "zip_fopen_index") || !bind(z.read, "zip_fread") ||
            !bind(z.closeEntry, "zip_fclose") || !bind(z.close, "zip_close"))
            return std::nullopt;
        return z; // the library stays loaded for the rest of this short process
    }
};

std::optional<std::string> artboardNameInArchive(const std::string& documentPath, std::string_view id)
{
    const std::optional<ZipLibrary> zip = ZipLibrary::load();
    if (!zip) {
        std::fprintf(stderr, "sketchtool-standin: cannot load libzip: %s\n", dlerror());
        return std::nullopt;
    }
    int error = 0;
    zip_t* archive = zip->open(documentPath.c_str(), ZIP_RDONLY, &error);
    if (!archive) return std::nullopt;
    std::optional<std::string> found;
    const zip_int64_t count = zip->entryCount(archive, 0);
    for (zip_int64_t i = 0; i < count && !found; ++i) {
        const char* entryName = zip->name(archive, static_cast<zip_uint64_t>(i), 0);
        if (!entryName) continue;
        const std::string_view name(entryName);
        if (!name.starts_with("pages/") || !name.ends_with(".json")) continue;
        zip_stat_t st;
        if (zip->stat(archive, static_cast<zip_uint64_t>(i), 0, &st) != 0) continue;
        zip_file_t* f = zip->openEntry(archive, static_cast<zip_uint64_t>(i), 0);
        if (!f) continue;
        std::string text(static_cast<std::size_t>(st.size), '\0');
        const zip_int64_t read = zip->read(f, text.data(), st.size);
        zip->closeEntry(f);
        if (read != static_cast<zip_int64_t>(st.size)) continue;
        found = artboardIn(text, id);
    }
    zip->close(archive);
    return found;
}

std::optional<std::string> artboardName(const std::string& documentPath, const std::string& id)
{
    // The folder is the application's own unpacking of this very copy; the archive still decides
    // when the folder is gone or does not hold the artboard.
    if (auto found = artboardNameInFolder(unpackedFolder(documentPath), id)) return found;
    return artboardNameInArchive(documentPath, id);
}

// --- Files the tool writes ---------------------------------------------------------------------

void appendBigEndian(std::string& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void appendChunk(std::string& png, const char* type, const std::string& data)
{
    appendBigEndian(png, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = png.size();
    png.append(type, 4);
    png.append(data);
    const auto* bytes = reinterpret_cast<const Bytef*>(png.data() + typeAt);
    appendBigEndian(png, static_cast<std::uint32_t>(crc32(0L, bytes, static_cast<uInt>(4 + data.size()))));
}

// A square of one opaque colour, 4 pixels a side per unit of scale.
std::string pngBytes(double scale)
{
    const int side = std::max(1, static_cast<int>(4 * std::max(1.0, scale)));
    std::string rows;
    for (int y = 0; y < side; ++y) {
        rows.push_back('\0'); // no filter
        for (int x = 0; x < side; ++x) rows.append("\x33\x66\xff\xff", 4);
    }
    uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
    std::string packed(packedSize, '\0');
    if (compress(reinterpret_cast<Bytef*>(packed.data()), &packedSize, reinterpret_cast<const Bytef*>(rows.data()),
                 static_cast<uLong>(rows.size())) != Z_OK)
        return {};
    packed.resize(packedSize);

    std::string header;
    appendBigEndian(header, static_cast<std::uint32_t>(side));
    appendBigEndian(header, static_cast<std::uint32_t>(side));
    header.append("\x08\x06\x00\x00\x00", 5); // 8 bits, RGBA, deflate, no filter, no interlace
    std::string png("\x89PNG\r\n\x1a\n", 8);
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", packed);
    appendChunk(png, "IEND", std::string());
    return png;
}

std::string pdfBytes()
{
    const char* objects[] = {
        "1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\n",
        "2 0 obj\n<< /Type /Pages /Kids [3 0 R] /Count 1 >>\nendobj\n",
        "3 0 obj\n<< /Type /Page /Parent 2 0 R /MediaBox [0 0 8 8] >>\nendobj\n",
    };
    std::string pdf("%PDF-1.4\n");
    std::string xref("xref\n0 4\n0000000000 65535 f \n");
    for (const char* o : objects) {
        char entry[32];
        std::snprintf(entry, sizeof entry, "%010lld 00000 n \n", static_cast<long long>(pdf.size()));
        xref.append(entry);
        pdf.append(o);
    }
    const auto xrefOffset = pdf.size();
    pdf.append(xref);
    pdf.append("trailer\n<< /Size 4 /Root 1 0 R >>\nstartxref\n");
    pdf.append(std::to_string(xrefOffset));
    pdf.append("\n%%EOF\n");
    return pdf;
}

std::string svgBytes()
{
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"8\" height=\"8\">"
           "<rect width=\"8\" height=\"8\" fill=\"#3366ff\"/></svg>\n";
}

std::string contentFor(const std::string& format, const std::optional<std::string>& scales)
{
    if (format == "pdf") return pdfBytes();
    if (format == "svg") return svgBytes();
    double scale = 1;
    if (scales) scale = std::atof(scales->c_str());
    return pngBytes(scale);
}

bool writeFile(const std::string& path, const std::string& bytes)
{
    std::error_code error;
    fs::create_directories(fs::path(path).parent_path(), error);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    return ::close(fd) == 0 && done == bytes.size();
}

void sleepMs(std::int64_t ms)
{
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void waitForPath(const std::string& path)
{
    if (path.empty()) return;
    // Bounded, so a test that never releases the tool does not leave it behind for ever.
    for (int i = 0; i < 12000 && ::access(path.c_str(), F_OK) != 0; ++i) sleepMs(10);
}

int finish(const Arguments& a, int status)
{
    auto line = baseLogLine(a, "end");
    line["exit"] = status;
    appendLog(std::move(line));
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    const auto parsed = parseArguments(argc, argv);
    if (!parsed) {
        std::fprintf(stderr, "usage: sketchtool-standin export <type> <document> --formats=<f> --output=<dir> "
                             "--items=<id> [--filename=<name>] [--scales=<s>]\n");
        boost::json::object line;
        line["event"] = "usage-error";
        boost::json::array args;
        for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
        line["args"] = std::move(args);
        appendLog(std::move(line));
        return 64;
    }
    const Arguments& a = *parsed;
    {
        auto line = baseLogLine(a, "start");
        line["args"] = a.all;
        appendLog(std::move(line));
    }

    const boost::json::object rule = controlRule(a);
    const std::string mode = rule.contains("mode") ? stringMember(rule, "mode") : std::string("ok");
    waitForPath(stringMember(rule, "waitFor"));

    std::string name;
    if (a.fileName && !a.fileName->empty()) {
        name = *a.fileName;
    } else if (a.type == "artboards") {
        const auto found = artboardName(a.document, a.item);
        if (!found) {
            std::fprintf(stderr, "No artboard with id %s in %s\n", a.item.c_str(), a.document.c_str());
            return finish(a, 2);
        }
        name = *found;
    } else {
        name = a.item;
    }
    std::string outputPath = a.output + '/' + name;
    if (!a.format.empty()) outputPath += '.' + a.format;
    const std::int64_t delay = intMember(rule, "delayMs", 0);

    if (mode == "signal") {
        auto line = baseLogLine(a, "end");
        line["exit"] = "signal";
        appendLog(std::move(line));
        const int number = static_cast<int>(intMember(rule, "signal", SIGKILL));
        // Core dumps of a deliberate crash are of no use and slow the tests down.
        const rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        ::signal(number, SIG_DFL);
        ::raise(number);
        ::raise(SIGKILL); // a signal whose default is to go on (SIGCHLD, ...) still ends the tool
        return 1;         // not reached
    }
    if (mode == "hang") {
        // Bounded, so a test whose application fails to end the tool does not leave it for ever.
        const std::int64_t limit = delay > 0 ? delay : 10 * 60 * 1000;
        for (std::int64_t slept = 0; slept < limit; slept += 50) sleepMs(50);
        return finish(a, 0);
    }
    if (mode == "nofile") return finish(a, 0);
    if (mode == "late") {
        const pid_t child = ::fork();
        if (child == 0) {
            // Detach from the pipes of whoever started the tool, so only the tool's own end is seen.
            ::setsid();
            const int devNull = ::open("/dev/null", O_RDWR);
            if (devNull >= 0) {
                ::dup2(devNull, 0);
                ::dup2(devNull, 1);
                ::dup2(devNull, 2);
            }
            sleepMs(delay > 0 ? delay : 500);
            writeFile(outputPath, contentFor(a.format, a.scales));
            ::_exit(0);
        }
        return finish(a, 0);
    }

    sleepMs(delay);
    if (mode == "exit") {
        const bool write = rule.contains("write") && rule.at("write").is_bool() && rule.at("write").get_bool();
        if (write) writeFile(outputPath, contentFor(a.format, a.scales));
        return finish(a, static_cast<int>(intMember(rule, "status", 1)));
    }
    std::string bytes;
    if (mode == "garbage") bytes = "this is not an image";
    else if (mode == "wrongformat") bytes = a.format == "png" ? svgBytes() : pngBytes(1);
    else if (mode != "empty") bytes = contentFor(a.format, a.scales);
    if (!writeFile(outputPath, bytes)) {
        std::fprintf(stderr, "Cannot write %s\n", outputPath.c_str());
        return finish(a, 3);
    }
    return finish(a, 0);
}
