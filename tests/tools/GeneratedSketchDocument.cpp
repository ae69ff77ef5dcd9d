#include "GeneratedSketchDocument.h"

#include "platform/Archive.h"
#include "platform/JsonText.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <utility>

boost::json::object GeneratedSketchDocument::frame(double x, double y, double width, double height)
{
    return {{"_class", "rect"}, {"constrainProportions", false}, {"height", height}, {"width", width}, {"x", x}, {"y", y}};
}

boost::json::object GeneratedSketchDocument::layer(const std::string& id, const std::string& name,
                                                   const boost::json::object& frame, const std::vector<std::string>& formats,
                                                   boost::json::array children, const std::string& className)
{
    boost::json::array exportFormats;
    for (const auto& f : formats) {
        exportFormats.push_back({{"_class", "exportFormat"}, {"absoluteSize", 0}, {"fileFormat", f}, {"name", ""},
                                 {"namingScheme", 0}, {"scale", 1}, {"visibleScaleType", 0}});
    }
    return {{"_class", className},
            {"do_objectID", id},
            {"name", name},
            {"isVisible", true},
            {"frame", frame},
            {"exportOptions",
             {{"_class", "exportOptions"}, {"exportFormats", std::move(exportFormats)}, {"includedLayerIds", boost::json::array()},
              {"layerOptions", 0}, {"shouldTrim", false}}},
            {"style", {{"_class", "style"}, {"fills", boost::json::array()}, {"borders", boost::json::array()}}},
            {"layers", std::move(children)}};
}

boost::json::object GeneratedSketchDocument::group(const std::string& id, const std::string& name,
                                                   const boost::json::object& frame, boost::json::array children)
{
    return layer(id, name, frame, {}, std::move(children), "group");
}

boost::json::object GeneratedSketchDocument::artboard(const std::string& id, const std::string& name,
                                                      const boost::json::object& frame, boost::json::array children)
{
    auto a = layer(id, name, frame, {}, std::move(children), "artboard");
    a["hasBackgroundColor"] = false;
    return a;
}

boost::json::object GeneratedSketchDocument::symbolMaster(const std::string& id, const std::string& symbolID,
                                                          const std::string& name, const boost::json::object& frame,
                                                          boost::json::array children)
{
    auto m = layer(id, name, frame, {}, std::move(children), "symbolMaster");
    m["symbolID"] = symbolID;
    return m;
}

boost::json::object GeneratedSketchDocument::symbolInstance(const std::string& id, const std::string& symbolID,
                                                            const boost::json::object& frame)
{
    auto i = layer(id, "instance " + id, frame, {}, {}, "symbolInstance");
    i["symbolID"] = symbolID;
    i["overrideValues"] = boost::json::array();
    return i;
}

boost::json::object GeneratedSketchDocument::hidden(boost::json::object layer)
{
    layer["isVisible"] = false;
    return layer;
}

void GeneratedSketchDocument::addPage(const std::string& id, boost::json::array layers)
{
    m_pages.push_back({{"_class", "page"}, {"do_objectID", id}, {"name", "Page " + id},
                       {"frame", frame(0, 0, 0, 0)}, {"isVisible", true}, {"layers", std::move(layers)}});
}

void GeneratedSketchDocument::addTextStyle(const std::string& name, const boost::json::object& encodedAttributes)
{
    boost::json::object textStyle{{"_class", "textStyle"}};
    if (!encodedAttributes.empty()) textStyle["encodedAttributes"] = encodedAttributes;
    m_textStyles.push_back({{"_class", "sharedStyle"}, {"do_objectID", "TS-" + name}, {"name", name},
                            {"value", {{"_class", "style"}, {"textStyle", std::move(textStyle)}}}});
}

void GeneratedSketchDocument::addLayerStyle(const std::string& name)
{
    m_layerStyles.push_back({{"_class", "sharedStyle"}, {"do_objectID", "LS-" + name}, {"name", name},
                             {"value", {{"_class", "style"}, {"fills", boost::json::array()}}}});
}

bool GeneratedSketchDocument::write(const QString& path, QString* error) const
{
    std::vector<std::pair<QString, QByteArray>> entries;
    int index = 0;
    for (const auto& page : m_pages) {
        const auto bytes = platform::jsonText(page);
        if (!bytes) return false;
        entries.emplace_back(QStringLiteral("pages/page%1.json").arg(++index), QByteArray::fromStdString(*bytes));
    }
    const boost::json::object document{
        {"_class", "document"},
        {"do_objectID", "DOC"},
        {"layerStyles", {{"_class", "sharedStyleContainer"}, {"objects", m_layerStyles}}},
        {"layerTextStyles", {{"_class", "sharedTextStyleContainer"}, {"objects", m_textStyles}}}};
    entries.emplace_back(QStringLiteral("document.json"), QByteArray::fromStdString(*platform::jsonText(document)));
    entries.emplace_back(QStringLiteral("meta.json"), QByteArrayLiteral("{}"));
    QDir().mkpath(QFileInfo(path).absolutePath());
    QString ignored;
    return platform::zipEntries(path, entries, error ? error : &ignored);
}

bool GeneratedSketchDocument::writeExportFile(const QString& document, const QString& exportFile, QString* error) const
{
    if (!write(document, error)) return false;
    QProcess writer;
    writer.start(QStringLiteral(QUORVEX_ZVUSK_WRITER_PATH), {QStringLiteral("--output"), exportFile, document});
    if (writer.waitForFinished(60000) && writer.exitStatus() == QProcess::NormalExit && writer.exitCode() == 0) return true;
    if (error) *error = QString::fromUtf8(writer.readAllStandardError());
    return false;
}
