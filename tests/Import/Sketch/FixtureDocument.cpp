#include "FixtureDocument.h"

#include "Import/Sketch/DocumentModel.h"
#include "Import/Sketch/PageModel.h"
#include "Import/Sketch/SketchFinderHelperUtils.h"
#include "Import/Sketch/SketchLayerKeys.h"
#include "platform/Archive.h"
#include "platform/JsonText.h"
#include "support/TestSupport.h"

namespace sketchtest {
namespace {

std::optional<boost::json::object> readJsonEntry(const QString& archive, const std::string& entry)
{
    const std::optional<QByteArray> bytes = platform::readZipEntry(archive, QString::fromStdString(entry));
    if (!bytes) return std::nullopt;
    return SketchFinderHelperUtils::parseSketchJson(bytes->toStdString(), entry);
}

template <class Model>
std::vector<std::shared_ptr<Model>> modelsOf(std::vector<boost::json::object> dicts)
{
    std::vector<std::shared_ptr<Model>> models;
    for (boost::json::object& dict : dicts) {
        auto model = std::make_shared<Model>(jsonmap::fromJson<Model>(dict));
        model->dict = std::move(dict);
        models.push_back(std::move(model));
    }
    return models;
}

} // namespace

FixtureDocument FixtureDocument::load(const std::string& fixtureName)
{
    const QString archive = fixturePath(QStringLiteral("sketch/") + QString::fromStdString(fixtureName));
    FixtureDocument doc;
    std::optional<boost::json::object> documentFile = readJsonEntry(archive, "document.json");
    if (!documentFile) return doc;
    doc.documentRead = true;

    std::vector<boost::json::object> artboards;
    std::vector<boost::json::object> masters;
    const boost::json::value* pages = documentFile->if_contains("pages");
    for (const boost::json::value& ref : pages && pages->is_array() ? pages->get_array() : boost::json::array()) {
        ++doc.pagesListed;
        const boost::json::value* path = ref.is_object() ? ref.get_object().if_contains("_ref") : nullptr;
        if (!path || !path->is_string()) continue;
        std::optional<boost::json::object> page = readJsonEntry(archive, std::string(path->get_string()) + ".json");
        if (!page) continue;
        ++doc.pagesRead;
        PageModel model;
        model.dict = std::move(*page);
        artboards = model.findDictionary(SketchLayerKeys::kArtboard, false, std::nullopt, std::move(artboards));
        masters = model.findDictionary(SketchLayerKeys::kSymbolMasters, false, std::nullopt, std::move(masters));
    }
    doc.artboards = modelsOf<ArtboardSumModel>(std::move(artboards));
    doc.symbolMasters = modelsOf<LayerSumModel>(std::move(masters));

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

std::string FixtureDocument::masterName(const std::string& symbolID) const
{
    for (const auto& master : symbolMasters) {
        if (master->symbolID == symbolID) return master->name;
    }
    return symbolID;
}

std::string jsonAt(const boost::json::object& dict, std::string_view pointer)
{
    const boost::json::value root(dict);
    boost::system::error_code ec;
    const boost::json::value* found = pointer.empty() ? &root : root.find_pointer(pointer, ec);
    if (!found) return "<none>";
    return platform::jsonText(*found).value_or("<unwritable>");
}

boost::json::object jsonObject(std::string_view text)
{
    return platform::parseJsonObject(text).value_or(boost::json::object());
}

} // namespace sketchtest
