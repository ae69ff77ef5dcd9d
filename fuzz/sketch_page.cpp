// A page and the document file of a Sketch document, as the loader reads them: the parse with its
// depth bound, the layer tree search for artboards and symbol masters, the exportables analysis of
// every artboard and master, the symbol collection (master map, dependency order, the masters an
// artboard uses), the shared styles, and the JSON text the upload sends of what was annotated.
//
// Input: the page text, then "\n@@\n", then the document file's text.

#include "Import/Sketch/DocumentModel.h"
#include "Import/Sketch/JsonSerialization.h"
#include "Import/Sketch/PageModel.h"
#include "Import/Sketch/SketchFinderHelperUtils.h"
#include "Import/Sketch/SketchImporter.h"
#include "Import/Sketch/SketchLayerKeys.h"
#include "Import/Sketch/SketchReaderOnline.h"
#include "Import/Sketch/SymbolMasterModelsMapper.h"
#include "platform/JsonText.h"
#include "support/FuzzSupport.h"

namespace {

std::optional<std::string_view> idOf(const boost::json::object& dict)
{
    const boost::json::value* v = dict.if_contains("do_objectID");
    if (!v || !v->is_string()) return std::nullopt;
    return std::string_view(v->get_string());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::initialise();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::initialise();
    const auto parts = fuzz::splitParts(fuzz::view(data, size), 2);

    SketchImporter importer;
    std::vector<std::shared_ptr<ArtboardSumModel>> artboards;
    std::vector<std::shared_ptr<LayerSumModel>> masters;
    if (auto parsed = SketchFinderHelperUtils::parseSketchJson(parts[0], "page.json")) {
        PageModel page;
        page.dict = std::move(*parsed);
        const std::vector<boost::json::object> found = page.findDictionary(SketchLayerKeys::kArtboard, false);
        // Every artboard of the page is chosen, in page order, an id listed twice included.
        SketchExportInfoDocument info;
        info.sketchFilePath = "/nowhere/document.sketch";
        for (const auto& dict : found) {
            if (const auto id = idOf(dict)) info.artboardIds.emplace_back(*id);
        }
        if (!info.artboardIds.empty()) info.artboardIds.push_back(info.artboardIds.front());
        importer.pluginExportInfo = std::move(info);
        artboards = importer.findSelectedArtboards(found);
        masters = SketchImporter::findSelectedSymbolMasters(page.findDictionary(SketchLayerKeys::kSymbolMasters, false));
    }

    for (const auto& artboard : artboards) (void)importer.analyzeExportables(*artboard, std::string());
    for (const auto& master : masters) (void)importer.analyzeExportables(*master, "png");

    (void)SymbolMasterModelsMapper::map(masters);
    SketchReaderOnline reader;
    const auto [masterMap, masterOrder] = reader.prepareSymbolHashMap(masters);
    for (const auto& artboard : artboards) {
        for (const auto& master : SketchReaderOnline::getSymbolInstanceIn(*artboard, masterMap, masterOrder)) {
            if (!master) __builtin_trap();
        }
        (void)JsonSerialization::dataUTF8String(artboard->dict);
    }

    if (parts.size() > 1) {
        if (auto parsed = SketchFinderHelperUtils::parseSketchJson(parts[1], "document.json")) {
            DocumentModel document;
            document.dict = std::move(*parsed);
            for (const auto& style : document.findDictionary(SketchLayerKeys::kTextStyles, false))
                (void)JsonSerialization::dataUTF8String(style);
            for (const auto& style : document.findDictionary(SketchLayerKeys::kLayerStyles, false))
                (void)JsonSerialization::dataUTF8String(style);
        }
    }
    return 0;
}
