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
//                               (bytes that are no image)
//           "delayMs"           wait before writing (for "late": after the tool has ended)
//           "waitFor"           wait until this path exists before going on

#include "platform/JsonText.h"

#include <zip.h>

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QString>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>

namespace {

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
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    const auto control = platform::parseJsonObject(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
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

std::optional<std::string> artboardName(const std::string& documentPath, const std::string& id)
{
    int error = 0;
    zip_t* archive = zip_open(documentPath.c_str(), ZIP_RDONLY, &error);
    if (!archive) return std::nullopt;
    std::optional<std::string> found;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count && !found; ++i) {
        const std::string name = zip_get_name(archive, static_cast<zip_uint64_t>(i), 0);
        if (name.rfind("pages/", 0) != 0 || name.size() < 5 || name.compare(name.size() - 5, 5, ".json") != 0) continue;
        zip_stat_t st;
        if (zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &st) != 0) continue;
        zip_file_t* f = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
        if (!f) continue;
        std::string text(static_cast<std::size_t>(st.size), '\0');
        const zip_int64_t read = zip_fread(f, text.data(), st.size);
        zip_fclose(f);
        if (read != static_cast<zip_int64_t>(st.size)) continue;
        const auto page = platform::parseJsonObject(text);
        if (!page) continue;
        const auto* layers = page->if_contains("layers");
        if (!layers || !layers->is_array()) continue;
        for (const auto& layer : layers->get_array()) {
            if (!layer.is_object()) continue;
            const auto& o = layer.get_object();
            if (stringMember(o, "do_objectID") == id && stringMember(o, "_class") == "artboard") {
                found = stringMember(o, "name");
                break;
            }
        }
    }
    zip_close(archive);
    return found;
}

QByteArray pngBytes(double scale)
{
    const int side = std::max(1, static_cast<int>(4 * std::max(1.0, scale)));
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(QColor(51, 102, 255));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray pdfBytes()
{
    const char* objects[] = {
        "1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\n",
        "2 0 obj\n<< /Type /Pages /Kids [3 0 R] /Count 1 >>\nendobj\n",
        "3 0 obj\n<< /Type /Page /Parent 2 0 R /MediaBox [0 0 8 8] >>\nendobj\n",
    };
    QByteArray pdf("%PDF-1.4\n");
    QByteArray xref("xref\n0 4\n0000000000 65535 f \n");
    for (const char* o : objects) {
        char entry[32];
        std::snprintf(entry, sizeof entry, "%010lld 00000 n \n", static_cast<long long>(pdf.size()));
        xref.append(entry);
        pdf.append(o);
    }
    const auto xrefOffset = pdf.size();
    pdf.append(xref);
    pdf.append("trailer\n<< /Size 4 /Root 1 0 R >>\nstartxref\n");
    pdf.append(QByteArray::number(xrefOffset));
    pdf.append("\n%%EOF\n");
    return pdf;
}

QByteArray svgBytes()
{
    return QByteArrayLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"8\" height=\"8\">"
                             "<rect width=\"8\" height=\"8\" fill=\"#3366ff\"/></svg>\n");
}

QByteArray contentFor(const std::string& format, const std::optional<std::string>& scales)
{
    if (format == "pdf") return pdfBytes();
    if (format == "svg") return svgBytes();
    double scale = 1;
    if (scales) scale = std::atof(scales->c_str());
    return pngBytes(scale);
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return f.write(bytes) == bytes.size();
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
    QString outputPath = QString::fromStdString(a.output) + QLatin1Char('/') + QString::fromStdString(name);
    if (!a.format.empty()) outputPath += QLatin1Char('.') + QString::fromStdString(a.format);
    const std::int64_t delay = intMember(rule, "delayMs", 0);

    if (mode == "signal") {
        auto line = baseLogLine(a, "end");
        line["exit"] = "signal";
        appendLog(std::move(line));
        ::raise(SIGKILL);
        return 1; // not reached
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
    QByteArray bytes;
    if (mode == "garbage") bytes = QByteArrayLiteral("this is not an image");
    else if (mode != "empty") bytes = contentFor(a.format, a.scales);
    if (!writeFile(outputPath, bytes)) {
        std::fprintf(stderr, "Cannot write %s\n", qPrintable(outputPath));
        return finish(a, 3);
    }
    return finish(a, 0);
}
