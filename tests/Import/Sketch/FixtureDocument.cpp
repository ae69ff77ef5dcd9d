#include "FixtureDocument.h"

#include "Import/Sketch/PageModel.h"
#include "Import/Sketch/DocumentModel.h"
#include "Import/Sketch/SketchFinderHelperUtils.h"
#include "Import/Sketch/SketchLayerKeys.h"
#include "platform/Archive.h"
#include "platform/JsonText.h"

#include <cmath>
#include <limits>

namespace sketchtest {
namespace {

std::optional<boost::json::object> readJsonEntry(const QString& archive, const QString& entry)
{
    const std::optional<QByteArray> bytes = platform::readZipEntry(archive, entry);
    if (!bytes) return std::nullopt;
    return SketchFinderHelperUtils::parseSketchJson(std::string_view(bytes->constData(), static_cast<std::size_t>(bytes->size())),
                                                    entry.toStdString());
}

} // namespace

FixtureDocument FixtureDocument::load(const QString& sketchFile)
{
    FixtureDocument doc;
    std::optional<boost::json::object> documentFile = readJsonEntry(sketchFile, QStringLiteral("document.json"));
    if (!documentFile) return doc;
    doc.documentRead = true;

    std::vector<boost::json::object> artboards;
    std::vector<boost::json::object> masters;
    if (const boost::json::value* pages = documentFile->if_contains("pages"); pages && pages->is_array()) {
        for (const boost::json::value& ref : pages->get_array()) {
            ++doc.pagesListed;
            const boost::json::value* path = ref.is_object() ? ref.get_object().if_contains("_ref") : nullptr;
            if (!path || !path->is_string()) continue;
            const QString entry = QString::fromUtf8(path->get_string().data(), static_cast<qsizetype>(path->get_string().size())) +
                                  QStringLiteral(".json");
            std::optional<boost::json::object> page = readJsonEntry(sketchFile, entry);
            if (!page) continue;
            ++doc.pagesRead;
            PageModel model;
            model.dict = std::move(*page);
            artboards = model.findDictionary(SketchLayerKeys::kArtboard, false, std::nullopt, std::move(artboards));
            masters = model.findDictionary(SketchLayerKeys::kSymbolMasters, false, std::nullopt, std::move(masters));
            doc.pages.push_back(std::move(model.dict));
        }
    }
    for (boost::json::object& dict : artboards) {
        auto artboard = std::make_shared<ArtboardSumModel>();
        jsonmap::read(boost::json::value(dict), *artboard);
        artboard->dict = std::move(dict);
        doc.artboards.push_back(std::move(artboard));
    }
    for (boost::json::object& dict : masters) {
        auto master = std::make_shared<LayerSumModel>();
        jsonmap::read(boost::json::value(dict), *master);
        master->dict = std::move(dict);
        doc.symbolMasters.push_back(std::move(master));
    }

    DocumentModel document;
    document.dict = std::move(*documentFile);
    doc.textStyles = document.findDictionary(SketchLayerKeys::kTextStyles, false);
    doc.layerStyles = document.findDictionary(SketchLayerKeys::kLayerStyles, false);
    return doc;
}

std::shared_ptr<ArtboardSumModel> FixtureDocument::artboardNamed(std::string_view name) const
{
    for (const auto& artboard : artboards) {
        if (artboard->name == name) return artboard;
    }
    return nullptr;
}

std::shared_ptr<LayerSumModel> FixtureDocument::masterNamed(std::string_view name) const
{
    for (const auto& master : symbolMasters) {
        if (master->name == name) return master;
    }
    return nullptr;
}

std::string FixtureDocument::masterName(const std::string& symbolID) const
{
    for (const auto& master : symbolMasters) {
        if (master->symbolID == symbolID) return master->name;
    }
    return symbolID;
}

namespace {

// Resolves a JSON pointer without copying the tree ("~" escapes are not needed by the tests).
const boost::json::value* valueAt(const boost::json::object& dict, std::string_view pointer)
{
    const boost::json::object* object = &dict;
    const boost::json::array* array = nullptr;
    const boost::json::value* current = nullptr;
    while (!pointer.empty() && pointer.front() == '/') {
        pointer.remove_prefix(1);
        const std::size_t end = pointer.find('/');
        const std::string_view token = pointer.substr(0, end);
        pointer = end == std::string_view::npos ? std::string_view() : pointer.substr(end);
        if (object) {
            current = object->if_contains(token);
        } else if (array) {
            std::size_t index = 0;
            for (char ch : token) {
                if (ch < '0' || ch > '9') return nullptr;
                index = index * 10 + static_cast<std::size_t>(ch - '0');
            }
            current = index < array->size() ? &(*array)[index] : nullptr;
        } else {
            return nullptr;
        }
        if (!current) return nullptr;
        object = current->if_object();
        array = current->if_array();
    }
    return current;
}

} // namespace

std::string jsonAt(const boost::json::object& dict, std::string_view pointer)
{
    if (pointer.empty()) return platform::jsonText(dict).value_or("<unwritable>");
    const boost::json::value* found = valueAt(dict, pointer);
    if (!found) return "<none>";
    return platform::jsonText(*found).value_or("<unwritable>");
}

double numberAt(const boost::json::object& dict, std::string_view pointer)
{
    const boost::json::value* found = valueAt(dict, pointer);
    if (!found || !found->is_number()) return std::numeric_limits<double>::quiet_NaN();
    boost::system::error_code ec;
    const double number = found->to_number<double>(ec);
    return ec ? std::numeric_limits<double>::quiet_NaN() : number;
}

boost::json::object jsonObject(std::string_view text)
{
    return platform::parseJsonObject(text).value_or(boost::json::object());
}

} // namespace sketchtest
