#include "SketchDocumentExpectation.h"

#include "platform/Archive.h"
#include "platform/JsonText.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace {

using Object = boost::json::object;

const Object* member(const Object& o, std::string_view key)
{
    const auto* v = o.if_contains(key);
    return v ? v->if_object() : nullptr;
}

std::string text(const Object& o, std::string_view key)
{
    const auto* v = o.if_contains(key);
    return v && v->is_string() ? std::string(v->get_string()) : std::string();
}

double number(const Object& o, std::string_view key)
{
    const auto* v = o.if_contains(key);
    return v && v->is_number() ? v->to_number<double>() : 0;
}

bool hasLevel(const Object& o, std::int64_t level)
{
    const auto* v = o.if_contains("ZVNodeLevel");
    return v && v->is_int64() && v->get_int64() == level;
}

// Our JSON reader may read a decimal text one unit in the last place off, so numbers read back
// from uploaded text are compared with that much room.
bool same(double a, double b)
{
    return std::abs(a - b) <= 4 * std::numeric_limits<double>::epsilon() * std::max(std::abs(a), std::abs(b));
}

bool isHidden(const Object& layer)
{
    const auto* v = layer.if_contains("isVisible");
    return v && v->is_bool() && !v->get_bool();
}

// The children of a layer, when "layers" is an array of objects only (anything else is not walked).
std::vector<const Object*> children(const Object& layer)
{
    std::vector<const Object*> result;
    const auto* v = layer.if_contains("layers");
    if (!v || !v->is_array()) return result;
    for (const auto& child : v->get_array()) {
        if (!child.is_object()) return {};
        result.push_back(&child.get_object());
    }
    return result;
}

bool isExportable(const Object& layer)
{
    const auto* options = member(layer, "exportOptions");
    const auto* formats = options ? options->if_contains("exportFormats") : nullptr;
    if (!formats || !formats->is_array() || text(*options, "_class") != "exportOptions") return false;
    const auto& list = formats->get_array();
    return std::all_of(list.begin(), list.end(), [](const auto& f) { return f.is_object(); }) &&
           std::any_of(list.begin(), list.end(), [](const auto& f) { return text(f.get_object(), "_class") == "exportFormat"; });
}

// Visible layers below `root` (hidden ones and everything inside them left out).
void visibleDescendants(const Object& root, const std::function<void(const Object&)>& visit)
{
    for (const auto* child : children(root)) {
        if (isHidden(*child)) continue;
        visit(*child);
        visibleDescendants(*child, visit);
    }
}

std::map<std::string, std::string> imagesBelow(const Object& root)
{
    std::map<std::string, std::string> images;
    visibleDescendants(root, [&](const Object& layer) {
        if (isExportable(layer)) images[text(layer, "do_objectID")] = text(layer, "name");
    });
    return images;
}

std::optional<Object> readObject(const QString& path)
{
    auto value = platform::parseJson(readFileBytes(path).toStdString());
    if (!value || !value->is_object()) return std::nullopt;
    return std::move(value->get_object());
}

std::size_t styleCount(const Object& document, std::string_view container, std::string_view className)
{
    const auto* c = member(document, container);
    const auto* objects = c ? c->if_contains("objects") : nullptr;
    return objects && objects->is_array() && text(*c, "_class") == className ? objects->get_array().size() : 0;
}

} // namespace

std::string SketchDocumentExpectation::strippedImageName(const std::string& input)
{
    const QString s = QString::fromStdString(input);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, s);
    QString out;
    qsizetype start = 0;
    for (qsizetype end = finder.toNextBoundary(); end != -1; end = finder.toNextBoundary()) {
        const QString cluster = s.mid(start, end - start);
        const char16_t u = cluster[0].unicode();
        if (cluster.size() == 1 && ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_'))
            out += cluster;
        start = end;
    }
    return out.toStdString();
}

std::optional<SketchDocumentExpectation> SketchDocumentExpectation::read(const QString& documentPath, QString* error)
{
    QTemporaryDir folder;
    if (!folder.isValid() || !platform::unzipArchive(documentPath, folder.path(), error)) return std::nullopt;
    SketchDocumentExpectation e;
    QDir pages(folder.filePath(QStringLiteral("pages")));
    for (const QString& name : pages.entryList(QDir::Files, QDir::Name)) {
        const auto page = readObject(pages.filePath(name));
        if (!page) continue;
        for (const auto* layer : children(*page)) {
            const std::string className = text(*layer, "_class");
            if (className == "artboard") {
                Artboard a{text(*layer, "do_objectID"), text(*layer, "name"), {}, {}, {}, *layer};
                if (const auto* f = member(*layer, "frame")) a.frame = *f;
                if (!isHidden(*layer)) {
                    a.images = imagesBelow(*layer);
                    visibleDescendants(*layer, [&](const Object& l) {
                        if (text(l, "_class") == "symbolInstance") a.usedSymbolIds.insert(text(l, "symbolID"));
                    });
                }
                e.m_artboards.push_back(std::move(a));
            } else if (className == "symbolMaster") {
                ++e.m_masterCount;
                Master m{text(*layer, "do_objectID"), {}, text(*layer, "name"), {}, {}};
                if (const auto* f = member(*layer, "frame")) m.frame = *f;
                if (!isHidden(*layer)) {
                    m.images = imagesBelow(*layer);
                    // A hidden instance straight inside a visible layer still counts as a
                    // dependency; nothing inside a hidden layer does.
                    std::function<void(const Object&)> walk = [&](const Object& l) {
                        for (const auto* child : children(l)) {
                            if (text(*child, "_class") == "symbolInstance") m.dependencies.push_back(text(*child, "symbolID"));
                            if (!isHidden(*child)) walk(*child);
                        }
                    };
                    walk(*layer);
                }
                e.m_masters[text(*layer, "symbolID")] = std::move(m);
            }
        }
    }
    if (const auto document = readObject(folder.filePath(QStringLiteral("document.json")))) {
        e.m_textStyleCount = styleCount(*document, "layerTextStyles", "sharedTextStyleContainer");
        e.m_layerStyleCount = styleCount(*document, "layerStyles", "sharedStyleContainer");
    }
    return e;
}

const SketchDocumentExpectation::Artboard* SketchDocumentExpectation::artboard(const std::string& id) const
{
    const auto found = std::find_if(m_artboards.begin(), m_artboards.end(), [&](const Artboard& a) { return a.id == id; });
    return found == m_artboards.end() ? nullptr : &*found;
}

std::set<std::string> SketchDocumentExpectation::usedSymbolIds(const std::vector<std::string>& selectedIds) const
{
    std::set<std::string> used;
    std::function<void(const std::string&)> use = [&](const std::string& symbolID) {
        const auto master = m_masters.find(symbolID);
        if (master == m_masters.end() || !used.insert(symbolID).second) return;
        for (const auto& dependency : master->second.dependencies) use(dependency);
    };
    for (const auto& id : selectedIds)
        if (const Artboard* a = artboard(id))
            for (const auto& symbolID : a->usedSymbolIds) use(symbolID);
    return used;
}

std::vector<std::string> SketchDocumentExpectation::artboardAnnotationProblems(const std::string& artboardId,
                                                                               const boost::json::value& uploaded) const
{
    const Artboard* original = artboard(artboardId);
    if (!original || !uploaded.is_object()) return {"no such artboard, or the uploaded JSON is not an object"};
    std::vector<std::string> problems;
    const auto& root = uploaded.get_object();
    if (!children(original->dict).empty()) {
        const auto* origin = member(root, "ZVExactOrigin");
        if (!origin || number(*origin, "x") != 0 || number(*origin, "y") != 0) problems.push_back("artboard origin is not 0,0");
        if (!hasLevel(root, 0)) problems.push_back("artboard level is not 0");
    }

    std::function<void(const Object&, const Object&, double, double, int, const std::string&)> compare =
        [&](const Object& before, const Object& after, double x, double y, int level, const std::string& path) {
            const auto expected = children(before);
            const auto* afterLayers = after.if_contains("layers");
            if (expected.empty()) return;
            if (!afterLayers || !afterLayers->is_array() || afterLayers->get_array().size() != expected.size()) {
                problems.push_back(path + ": the layers differ in number");
                return;
            }
            for (std::size_t i = 0; i < expected.size(); ++i) {
                const auto& src = *expected[i];
                const std::string where = path + "/" + text(src, "name");
                const auto* dstPointer = afterLayers->get_array()[i].if_object();
                if (!dstPointer) {
                    problems.push_back(where + ": not an object");
                    continue;
                }
                const auto& dst = *dstPointer;
                if (!hasLevel(dst, level)) problems.push_back(where + ": level is not " + std::to_string(level));
                if (isHidden(src)) {
                    if (dst.size() != 1) problems.push_back(where + ": a hidden layer keeps more than its level");
                    continue;
                }
                double childX = x, childY = y;
                if (const auto* frame = member(src, "frame")) {
                    childX = x + number(*frame, "x");
                    childY = y + number(*frame, "y");
                    const auto* origin = member(dst, "ZVExactOrigin");
                    const auto* dstFrame = member(dst, "frame");
                    const auto* has = dst.if_contains("ZVHasExactOrigin");
                    if (!origin || !same(number(*origin, "x"), childX) || !same(number(*origin, "y"), childY))
                        problems.push_back(where + ": origin is not relative to the artboard");
                    if (!dstFrame || !same(number(*dstFrame, "x"), childX) || !same(number(*dstFrame, "y"), childY) ||
                        !same(number(*dstFrame, "width"), number(*frame, "width")) ||
                        !same(number(*dstFrame, "height"), number(*frame, "height")))
                        problems.push_back(where + ": frame is not relative to the artboard");
                    if (!has || !has->is_bool() || !has->get_bool()) problems.push_back(where + ": no origin mark");
                }
                if (text(dst, "_class") != text(src, "_class") || text(dst, "do_objectID") != text(src, "do_objectID"))
                    problems.push_back(where + ": another layer");
                compare(src, dst, childX, childY, level + 1, where);
            }
        };
    compare(original->dict, root, 0, 0, 1, original->name);
    return problems;
}

std::vector<std::string> SketchDocumentExpectation::masterAnnotationProblems(const std::string& symbolID,
                                                                             const boost::json::value& uploaded) const
{
    const auto master = m_masters.find(symbolID);
    if (master == m_masters.end() || !uploaded.is_object()) return {"no such master, or the uploaded JSON is not an object"};
    std::vector<std::string> problems;
    const auto& root = uploaded.get_object();
    const auto* origin = member(root, "ZVExactOrigin");
    if (!origin || !same(number(*origin, "x"), number(master->second.frame, "x")) ||
        !same(number(*origin, "y"), number(master->second.frame, "y")))
        problems.push_back("the master's origin is not its place on the page");
    if (!hasLevel(root, 1)) problems.push_back("the master's level is not 1");
    for (const auto* child : children(root))
        if (child->contains("ZVNodeLevel") || child->contains("ZVExactOrigin"))
            problems.push_back("a layer inside the master carries marks of a later walk: " + text(*child, "name"));
    return problems;
}
