#include "GeneratedSketchDocument.h"

#include "platform/Archive.h"
#include "platform/JsonText.h"

#include <QDir>
#include <QFileInfo>

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

void GeneratedSketchDocument::addTextStyle(const std::string& name)
{
    m_textStyles.push_back({{"_class", "sharedStyle"}, {"do_objectID", "TS-" + name}, {"name", name},
                            {"value", {{"_class", "style"}, {"textStyle", {{"_class", "textStyle"}}}}}});
}

void GeneratedSketchDocument::addLayerStyle(const std::string& name)
{
    m_layerStyles.push_back({{"_class", "sharedStyle"}, {"do_objectID", "LS-" + name}, {"name", name},
                             {"value", {{"_class", "style"}, {"fills", boost::json::array()}}}});
}

GeneratedSketchDocument GeneratedSketchDocument::ofSize(int artboards, int layersPerArtboard)
{
    GeneratedSketchDocument document;
    constexpr int kMasters = 6;
    boost::json::array pageLayers;
    for (int m = 0; m < kMasters; ++m) {
        const std::string id = "M" + std::to_string(m);
        boost::json::array inside{layer(id + "-bg", "background", frame(0, 0, 40, 40)),
                                  layer(id + "-icon", "icon " + std::to_string(m), frame(4, 4, 16, 16), {"png"})};
        // Each master after the first shows the one before it.
        if (m > 0) inside.push_back(symbolInstance(id + "-nested", "SYM" + std::to_string(m - 1), frame(20, 0, 20, 20)));
        pageLayers.push_back(symbolMaster(id, "SYM" + std::to_string(m), "Master " + std::to_string(m),
                                          frame(2000, 100.0 * m, 40, 40), std::move(inside)));
    }
    for (int a = 0; a < artboards; ++a) {
        const std::string prefix = "A" + std::to_string(a);
        boost::json::array rows;
        int made = 0;
        for (int g = 0; made < layersPerArtboard; ++g) {
            boost::json::array cells;
            const std::string groupId = prefix + "-G" + std::to_string(g);
            for (int c = 0; c < 9 && made < layersPerArtboard - 1; ++c, ++made) {
                const std::string id = groupId + "-L" + std::to_string(c);
                if (c == 4 && g % 25 == 0) {
                    cells.push_back(layer(id, "glyph " + id, frame(10.0 * c, 2, 8, 8), {"png"}));
                } else if (c == 7 && g % 10 == 0) {
                    cells.push_back(symbolInstance(id, "SYM" + std::to_string(g % kMasters), frame(10.0 * c, 2, 8, 8)));
                } else {
                    cells.push_back(layer(id, "shape " + std::to_string(c), frame(10.0 * c + 0.5, 2.25, 8, 8)));
                }
            }
            ++made;
            rows.push_back(group(groupId, "row " + std::to_string(g), frame(5, 12.0 * g, 100, 12), std::move(cells)));
        }
        pageLayers.push_back(artboard(prefix, "Screen " + std::to_string(a), frame(400.0 * a, 0, 375, 812), std::move(rows)));
    }
    document.addPage("P1", std::move(pageLayers));
    document.addTextStyle("Body");
    document.addLayerStyle("Card");
    return document;
}

std::vector<std::string> GeneratedSketchDocument::artboardIds() const
{
    std::vector<std::string> ids;
    for (const auto& page : m_pages) {
        for (const auto& l : page.at("layers").as_array()) {
            const auto& o = l.as_object();
            if (o.at("_class") == "artboard") ids.emplace_back(o.at("do_objectID").as_string());
        }
    }
    return ids;
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
