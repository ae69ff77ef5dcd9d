#include "Import/Plugin/UploadRunTestKit.h"

#include "platform/Archive.h"
#include "platform/JsonText.h"
#include "platform/MainQueue.h"
#include "platform/Paths.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstdlib>

namespace uploadkit {

boost::json::object frame(double x, double y, double width, double height)
{
    return {{"_class", "rect"}, {"height", height}, {"width", width}, {"x", x}, {"y", y}};
}

boost::json::object exportFormat(const std::string& fileFormat, double scale)
{
    return {{"_class", "exportFormat"}, {"fileFormat", fileFormat}, {"name", ""}, {"scale", scale}};
}

boost::json::object layer(const std::string& id, const std::string& name, const boost::json::object& frame,
                          const std::vector<std::string>& formats, boost::json::array children, const std::string& className)
{
    boost::json::array exportFormats;
    for (const auto& f : formats) exportFormats.push_back(exportFormat(f));
    return {{"_class", className}, {"do_objectID", id}, {"name", name}, {"isVisible", true}, {"frame", frame},
            {"exportOptions", {{"_class", "exportOptions"}, {"exportFormats", exportFormats}}}, {"layers", std::move(children)}};
}

boost::json::object artboard(const std::string& id, const std::string& name, boost::json::array layers,
                             const boost::json::object& frame)
{
    auto a = layer(id, name, frame, {}, std::move(layers), "artboard");
    a["hasBackgroundColor"] = false;
    return a;
}

boost::json::object symbolMaster(const std::string& id, const std::string& symbolID, const std::string& name,
                                 boost::json::array layers)
{
    auto m = layer(id, name, frame(1000, 0, 100, 100), {}, std::move(layers), "symbolMaster");
    m["symbolID"] = symbolID;
    return m;
}

boost::json::object symbolInstance(const std::string& id, const std::string& symbolID)
{
    auto i = layer(id, "instance " + id, frame(10, 10, 50, 50), {}, {}, "symbolInstance");
    i["symbolID"] = symbolID;
    return i;
}

boost::json::object page(const std::string& id, boost::json::array layers)
{
    return {{"_class", "page"}, {"do_objectID", id}, {"name", "Page " + id}, {"frame", frame(0, 0, 0, 0)},
            {"layers", std::move(layers)}};
}

boost::json::object documentFile()
{
    return {{"_class", "document"}, {"do_objectID", "DOC"}};
}

PageFile pageFile(const std::string& name, const boost::json::object& page)
{
    return {QString::fromStdString(name), QByteArray::fromStdString(*platform::jsonText(page))};
}

bool writeSketchDocument(const QString& path, const std::vector<PageFile>& pages,
                         const std::optional<boost::json::object>& document)
{
    std::vector<std::pair<QString, QByteArray>> entries;
    for (const auto& [name, bytes] : pages) entries.emplace_back(QStringLiteral("pages/") + name, bytes);
    if (document) entries.emplace_back(QStringLiteral("document.json"), QByteArray::fromStdString(*platform::jsonText(*document)));
    entries.emplace_back(QStringLiteral("meta.json"), QByteArrayLiteral("{}"));
    QDir().mkpath(QFileInfo(path).absolutePath());
    QString error;
    return platform::zipEntries(path, entries, &error);
}

SketchExportInfoDocument exportInfo(const QString& documentPath, std::vector<std::string> artboardIds,
                                    std::optional<std::string> sketchtoolPath)
{
    SketchExportInfoDocument info;
    info.sketchFilePath = documentPath.toStdString();
    info.artboardIds = std::move(artboardIds);
    info.version = "99";
    info.sketchtoolPath = std::move(sketchtoolPath);
    return info;
}

DataFolder::DataFolder()
{
    platform::overrideUserLibraryDirectory(QDir(m_dir.path()).filePath(QStringLiteral("Library")));
}

DataFolder::~DataFolder()
{
    platform::clearUserLibraryOverride();
}

QString DataFolder::sketchFolder() const
{
    return QDir(m_dir.path()).filePath(QStringLiteral("Library/Quorvex/Sketch"));
}

SketchToolStandin::SketchToolStandin()
{
    ::setenv("SKETCHTOOL_STANDIN_LOG", QDir(m_dir.path()).filePath(QStringLiteral("tool.log")).toUtf8().constData(), 1);
    ::setenv("SKETCHTOOL_STANDIN_CONTROL", QDir(m_dir.path()).filePath(QStringLiteral("control.json")).toUtf8().constData(), 1);
}

SketchToolStandin::~SketchToolStandin()
{
    ::unsetenv("SKETCHTOOL_STANDIN_LOG");
    ::unsetenv("SKETCHTOOL_STANDIN_CONTROL");
}

std::string SketchToolStandin::executable()
{
    return QUORVEX_SKETCHTOOL_STANDIN_PATH;
}

void SketchToolStandin::setControl(const boost::json::object& control)
{
    writeFileBytes(QDir(m_dir.path()).filePath(QStringLiteral("control.json")),
                   QByteArray::fromStdString(*platform::jsonText(control)));
}

std::vector<boost::json::object> SketchToolStandin::log() const
{
    std::vector<boost::json::object> lines;
    const QByteArray text = readFileBytes(QDir(m_dir.path()).filePath(QStringLiteral("tool.log")));
    for (const QByteArray& line : text.split('\n')) {
        if (line.trimmed().isEmpty()) continue;
        if (auto o = platform::parseJsonObject(std::string_view(line.constData(), static_cast<std::size_t>(line.size()))))
            lines.push_back(std::move(*o));
    }
    return lines;
}

std::vector<std::vector<std::string>> SketchToolStandin::startedArguments() const
{
    std::vector<std::vector<std::string>> all;
    for (const auto& line : log()) {
        if (line.at("event") != "start") continue;
        std::vector<std::string> args;
        for (const auto& a : line.at("args").as_array()) args.emplace_back(a.as_string());
        all.push_back(std::move(args));
    }
    return all;
}

int SketchToolStandin::maxRunning() const
{
    int running = 0, most = 0;
    for (const auto& line : log()) {
        if (line.at("event") == "start") most = std::max(most, ++running);
        else if (line.at("event") == "end") --running;
    }
    return most;
}

bool waitFor(const std::function<bool()>& done)
{
    return platform::runMainLoopUntil(done, 60000);
}

void settle()
{
    platform::runMainLoopUntil([] { return false; }, 150);
}

std::string RunRecorder::percent(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

SketchUploadRun::Completions RunRecorder::completions()
{
    SketchUploadRun::Completions c;
    c.exportCompletion = [this](const std::string& text, double p) { events.push_back("export:" + text + ":" + percent(p)); };
    c.stepCompletion = [this](const std::string& text, double p) {
        events.push_back("step:" + text + ":" + percent(p));
        if (p == 100.0) ended = true;
    };
    c.cancelCompletion = [this] {
        events.push_back("cancel");
        ended = true;
    };
    c.failureCompletion = [this](const UploadFailure& f) {
        events.push_back("failure:" + f.what + ":" + f.message);
        ended = true;
    };
    return c;
}

} // namespace uploadkit
