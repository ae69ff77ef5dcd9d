// The hot path of importing a large Sketch document, stage by stage: parsing the page files, the
// page walks that pick artboards and symbol masters, the exportables analysis of every artboard,
// the symbol dependency collection of every artboard, and the serialisation of every artboard and
// master as it is uploaded.
//
// Runs on the larger documents of tests/fixtures/sketch and on generated documents of two
// sizes (about 52,000 and 104,000 layers with 2,000 and 4,000 symbol masters holding nested
// instances). Every benchmark reports the document's layer count and JSON size beside its time,
// and "layers/s": a rate that stays level from one generated size to the next shows the stage
// grows linearly with the number of layers.
//
// Peak memory of one document: run the program under /usr/bin/time -v with
// --benchmark_filter=<document>.

#include "Import/Sketch/ArtboardSumModel.h"
#include "Import/Sketch/DocumentModel.h"
#include "Import/Sketch/JsonSerialization.h"
#include "Import/Sketch/LayerSumModel.h"
#include "Import/Sketch/PageModel.h"
#include "Import/Sketch/SketchFinderHelperUtils.h"
#include "Import/Sketch/SketchImporter.h"
#include "Import/Sketch/SketchLayerKeys.h"
#include "Import/Sketch/SketchReaderOnline.h"
#include "Import/Sketch/SymbolMasterModelsMapper.h"
#include "platform/Archive.h"
#include "platform/JsonText.h"
#include "platform/Paths.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

// ---------------------------------------------------------------------------------------------
// Documents

struct SourceDocument {
    std::vector<std::string> pageTexts;
    std::string documentText;
    std::size_t bytes = 0;
    std::size_t layers = 0;
    std::size_t artboards = 0;
    std::size_t masters = 0;
};

struct ParsedDocument {
    std::vector<boost::json::object> pages;
    boost::json::object document;
};

std::size_t countLayers(const boost::json::object& root)
{
    std::size_t count = 0;
    std::vector<const boost::json::object*> stack{&root};
    while (!stack.empty()) {
        const boost::json::object* item = stack.back();
        stack.pop_back();
        const boost::json::value* layers = item->if_contains("layers");
        if (!layers || !layers->is_array()) continue;
        for (const boost::json::value& child : layers->get_array()) {
            if (!child.is_object()) continue;
            ++count;
            stack.push_back(&child.get_object());
        }
    }
    return count;
}

std::optional<boost::json::object> parse(const std::string& text, const std::string& name)
{
    return SketchFinderHelperUtils::parseSketchJson(text, name);
}

ParsedDocument parseAll(const SourceDocument& source)
{
    ParsedDocument parsed;
    for (const std::string& text : source.pageTexts) {
        if (auto page = parse(text, "page")) parsed.pages.push_back(std::move(*page));
    }
    if (auto document = parse(source.documentText, "document.json")) parsed.document = std::move(*document);
    return parsed;
}

std::optional<SourceDocument> readFixture(const QString& file)
{
    const QString path = QStringLiteral(QUORVEX_FIXTURES_DIR "/sketch/") + file;
    const std::optional<QByteArray> document = platform::readZipEntry(path, QStringLiteral("document.json"));
    if (!document) return std::nullopt;
    SourceDocument source;
    source.documentText = document->toStdString();
    const std::optional<boost::json::object> parsedDocument = parse(source.documentText, "document.json");
    if (!parsedDocument) return std::nullopt;
    const boost::json::value* pages = parsedDocument->if_contains("pages");
    if (!pages || !pages->is_array()) return std::nullopt;
    for (const boost::json::value& ref : pages->get_array()) {
        const boost::json::value* entry = ref.is_object() ? ref.get_object().if_contains("_ref") : nullptr;
        if (!entry || !entry->is_string()) continue;
        const std::optional<QByteArray> page =
            platform::readZipEntry(path, QString::fromStdString(std::string(entry->get_string())) + QStringLiteral(".json"));
        if (page) source.pageTexts.push_back(page->toStdString());
    }
    return source;
}

// A generated document: `scale` × 2,000 symbol masters, each a small tree that holds instances of
// the next two masters of its family of 16 (so a master pulls in up to 15 others, most of them
// along several paths), and `scale` × 100 artboards of 322 layers each (sections of rows of
// shapes, text, a symbol instance and some exportable bitmaps; a few rows hidden). Families keep
// the masters an artboard uses independent of the document's size, so every stage should take
// time in proportion to the layer count.
constexpr int kMasterFamily = 16;

boost::json::object rect(double x, double y, double w, double h)
{
    return {{"_class", "rect"}, {"constrainProportions", false}, {"height", h}, {"width", w}, {"x", x}, {"y", y}};
}

boost::json::object layer(const char* cls, const std::string& id, double x, double y, bool visible = true,
                          bool exportable = false)
{
    boost::json::array formats;
    if (exportable)
        formats.push_back({{"_class", "exportFormat"}, {"absoluteSize", 0}, {"fileFormat", "png"}, {"name", ""},
                           {"namingScheme", 0}, {"scale", 1}, {"visibleScaleType", 0}});
    boost::json::array fills;
    fills.push_back({{"_class", "fill"},
                     {"isEnabled", true},
                     {"color", {{"_class", "color"}, {"alpha", 1}, {"blue", 0.5}, {"green", 0.25}, {"red", 0.75}}},
                     {"fillType", 0},
                     {"noiseIndex", 0},
                     {"patternFillType", 1},
                     {"patternTileScale", 1}});
    return {{"_class", cls},
            {"do_objectID", id},
            {"booleanOperation", -1},
            {"exportOptions",
             {{"_class", "exportOptions"}, {"includedLayerIds", boost::json::array()}, {"layerOptions", 0},
              {"shouldTrim", false}, {"exportFormats", std::move(formats)}}},
            {"frame", rect(x, y, 40.5, 20.25)},
            {"isFixedToViewport", false},
            {"isLocked", false},
            {"isVisible", visible},
            {"layerListExpandedType", 0},
            {"name", std::string(cls) + " " + id},
            {"resizingConstraint", 63},
            {"rotation", 0},
            {"style", {{"_class", "style"}, {"miterLimit", 10}, {"windingRule", 1}, {"fills", std::move(fills)},
                       {"borders", boost::json::array()}}}};
}

boost::json::object instance(const std::string& id, int master, double x, double y)
{
    boost::json::object o = layer("symbolInstance", id, x, y);
    o["symbolID"] = "SYM-" + std::to_string(master);
    o["overrideValues"] = boost::json::array();
    return o;
}

boost::json::object group(const char* cls, const std::string& id, double x, double y, boost::json::array children,
                          bool visible = true)
{
    boost::json::object o = layer(cls, id, x, y, visible);
    o["layers"] = std::move(children);
    return o;
}

SourceDocument generate(int scale)
{
    SourceDocument source;
    const int masters = 2000 * scale;
    const int artboards = 100 * scale;

    boost::json::array masterLayers;
    for (int i = 0; i < masters; ++i) {
        const std::string id = std::to_string(i);
        boost::json::array content;
        for (int k = 0; k < 6; ++k) content.push_back(layer("rectangle", "MR-" + id + "-" + std::to_string(k), k * 10, 5, true, k == 0 && i % 10 == 0));
        content.push_back(layer("text", "MT-" + id, 0, 30));
        for (int dependency : {i + 1, i + 2}) {
            if (dependency / kMasterFamily == i / kMasterFamily && dependency < masters)
                content.push_back(instance("MI-" + id + "-" + std::to_string(dependency), dependency, 60, 60));
        }
        boost::json::array top;
        top.push_back(group("group", "MG-" + id, 4, 4, std::move(content)));
        boost::json::object master = group("symbolMaster", "MST-" + id, (i % 50) * 400, (i / 50) * 300, std::move(top));
        master["symbolID"] = "SYM-" + id;
        masterLayers.push_back(std::move(master));
    }
    source.pageTexts.push_back(*platform::jsonText(boost::json::object{
        {"_class", "page"}, {"do_objectID", "PAGE-SYMBOLS"}, {"name", "Symbols"}, {"layers", std::move(masterLayers)}}));

    const int perPage = 25;
    for (int first = 0; first < artboards; first += perPage) {
        boost::json::array pageLayers;
        for (int j = first; j < first + perPage && j < artboards; ++j) {
            const std::string a = std::to_string(j);
            boost::json::array sections;
            for (int s = 0; s < 7; ++s) {
                boost::json::array rows;
                for (int r = 0; r < 5; ++r) {
                    const std::string row = a + "-" + std::to_string(s) + "-" + std::to_string(r);
                    boost::json::array leaves;
                    for (int k = 0; k < 5; ++k) leaves.push_back(layer("rectangle", "R-" + row + "-" + std::to_string(k), k * 12.5, 2));
                    leaves.push_back(layer("text", "T-" + row, 0, 14));
                    leaves.push_back(instance("I-" + row, (j * 31 + s * 7 + r * 3) % masters, 80, 0));
                    leaves.push_back(layer("bitmap", "B-" + row, 120, 0, true, r % 3 == 0));
                    rows.push_back(group("group", "ROW-" + row, 0, r * 40.0, std::move(leaves), (j * 35 + s * 5 + r) % 17 != 0));
                }
                sections.push_back(group("group", "SEC-" + a + "-" + std::to_string(s), 8, s * 220.0, std::move(rows)));
            }
            pageLayers.push_back(group("artboard", "AB-" + a, (j % perPage) * 400, 0, std::move(sections)));
        }
        source.pageTexts.push_back(*platform::jsonText(boost::json::object{
            {"_class", "page"}, {"do_objectID", "PAGE-" + std::to_string(first)}, {"layers", std::move(pageLayers)}}));
    }
    source.documentText = R"({"_class":"document","layerStyles":{"_class":"sharedStyleContainer","objects":[]},)"
                          R"("layerTextStyles":{"_class":"sharedTextStyleContainer","objects":[]}})";
    return source;
}

void measure(SourceDocument& source)
{
    source.bytes = source.documentText.size();
    for (const std::string& text : source.pageTexts) source.bytes += text.size();
    const ParsedDocument parsed = parseAll(source);
    for (const boost::json::object& page : parsed.pages) {
        source.layers += countLayers(page);
        if (const boost::json::value* layers = page.if_contains("layers"); layers && layers->is_array()) {
            for (const boost::json::value& top : layers->get_array()) {
                const boost::json::value* cls = top.is_object() ? top.get_object().if_contains("_class") : nullptr;
                if (cls && cls->is_string() && cls->get_string() == "artboard") ++source.artboards;
                if (cls && cls->is_string() && cls->get_string() == "symbolMaster") ++source.masters;
            }
        }
    }
}

// The documents by name, read or generated on first use, so a run filtered to one document
// holds only that one in memory.
const char* const kFixtures[] = {"wikimedia-icon-template", "wikimedia-ui-2018-10", "carbon-8.1.0"};
const std::pair<const char*, int> kGenerated[] = {{"generated-52k", 1}, {"generated-104k", 2}};

const SourceDocument& document(const std::string& name)
{
    static std::map<std::string, SourceDocument> loaded;
    if (const auto found = loaded.find(name); found != loaded.end()) return found->second;
    SourceDocument source;
    for (const auto& [generatedName, scale] : kGenerated) {
        if (name == generatedName) source = generate(scale);
    }
    if (source.pageTexts.empty()) {
        if (std::optional<SourceDocument> fixture = readFixture(QString::fromStdString(name + ".sketch")))
            source = std::move(*fixture);
        else
            std::fprintf(stderr, "cannot read fixture %s\n", name.c_str());
    }
    measure(source);
    return loaded.emplace(name, std::move(source)).first->second;
}

// ---------------------------------------------------------------------------------------------
// Stages, in the order an import runs them

struct Models {
    std::vector<std::shared_ptr<ArtboardSumModel>> artboards;
    std::vector<std::shared_ptr<LayerSumModel>> masters;
    std::vector<boost::json::object> textStyles;
    std::vector<boost::json::object> layerStyles;
};

// The dictionaries the page walks collect.
struct Collected {
    std::vector<boost::json::object> artboards;
    std::vector<boost::json::object> masters;
};

// The loader's two walks of one page: its top-level artboards and symbol masters.
void walkPage(boost::json::object& dict, Collected& collected)
{
    PageModel page;
    page.dict = std::move(dict);
    collected.artboards = page.findDictionary(SketchLayerKeys::kArtboard, false, std::nullopt, std::move(collected.artboards));
    collected.masters = page.findDictionary(SketchLayerKeys::kSymbolMasters, false, std::nullopt, std::move(collected.masters));
    dict = std::move(page.dict); // handed back, so the caller decides when it is freed
}

// The models of the collected dictionaries and the shared styles of the document file.
Models makeModels(Collected collected, boost::json::object documentFile)
{
    Models models;
    for (boost::json::object& dict : collected.artboards) {
        auto artboard = std::make_shared<ArtboardSumModel>(jsonmap::fromJson<ArtboardSumModel>(dict));
        artboard->dict = std::move(dict);
        models.artboards.push_back(std::move(artboard));
    }
    models.masters = SketchImporter::findSelectedSymbolMasters(std::move(collected.masters));
    DocumentModel document;
    document.dict = std::move(documentFile);
    models.textStyles = document.findDictionary(SketchLayerKeys::kTextStyles, false);
    models.layerStyles = document.findDictionary(SketchLayerKeys::kLayerStyles, false);
    return models;
}

Models pageWalks(ParsedDocument& parsed)
{
    Collected collected;
    for (boost::json::object& page : parsed.pages) walkPage(page, collected);
    return makeModels(std::move(collected), std::move(parsed.document));
}

std::size_t analyseExportables(Models& models)
{
    const SketchImporter importer;
    std::size_t images = 0;
    for (const auto& artboard : models.artboards) images += importer.analyzeExportables(*artboard, "").size();
    return images;
}

std::size_t collectSymbols(Models& models)
{
    SketchReaderOnline reader;
    const auto [map, order] = reader.prepareSymbolHashMap(models.masters);
    std::size_t used = 0;
    for (const auto& artboard : models.artboards) used += SketchReaderOnline::getSymbolInstanceIn(*artboard, map, order).size();
    return used;
}

std::size_t serialise(const Models& models)
{
    std::size_t bytes = 0;
    for (const auto& artboard : models.artboards) bytes += JsonSerialization::dataUTF8String(artboard->dict).value_or("").size();
    for (const SymbolMasterExportInfo& record : SymbolMasterModelsMapper::map(models.masters))
        bytes += record.jsonString.value_or("").size();
    return bytes;
}

enum class Stage { Parse, PageWalks, Exportables, SymbolCollection, Serialisation, WholeImport };

// Brings a document to the state the stage starts from.
Models prepareFor(Stage stage, const ParsedDocument& parsed)
{
    ParsedDocument copy = parsed;
    Models models = pageWalks(copy);
    if (stage == Stage::Exportables) return models;
    analyseExportables(models);
    if (stage == Stage::SymbolCollection) return models;
    collectSymbols(models);
    return models;
}

void report(benchmark::State& state, const SourceDocument& source)
{
    const double layers = static_cast<double>(source.layers);
    state.counters["layers"] = layers;
    state.counters["layers/s"] = benchmark::Counter(layers, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["json_MB"] = static_cast<double>(source.bytes) / 1e6;
    state.counters["artboards"] = static_cast<double>(source.artboards);
    state.counters["masters"] = static_cast<double>(source.masters);
}

void runStage(benchmark::State& state, const std::string& name, Stage stage)
{
    const SourceDocument& source = document(name);
    // The whole import reads its pages itself; the stages start from parsed copies.
    const ParsedDocument parsed = stage == Stage::WholeImport ? ParsedDocument() : parseAll(source);
    std::size_t result = 0;
    for (auto _ : state) {
        switch (stage) {
        case Stage::Parse: {
            ParsedDocument fresh = parseAll(source);
            benchmark::DoNotOptimize(fresh);
            state.PauseTiming(); // freeing the trees is not part of parsing
            fresh = {};
            state.ResumeTiming();
            break;
        }
        case Stage::PageWalks: {
            state.PauseTiming();
            ParsedDocument fresh = parsed;
            state.ResumeTiming();
            Models models = pageWalks(fresh);
            result = models.artboards.size() + models.masters.size();
            state.PauseTiming();
            models = {};
            fresh = {};
            state.ResumeTiming();
            break;
        }
        case Stage::Exportables:
        case Stage::SymbolCollection:
        case Stage::Serialisation: {
            state.PauseTiming();
            Models models = prepareFor(stage, parsed);
            state.ResumeTiming();
            if (stage == Stage::Exportables) result = analyseExportables(models);
            else if (stage == Stage::SymbolCollection) result = collectSymbols(models);
            else result = serialise(models);
            state.PauseTiming();
            models = {};
            state.ResumeTiming();
            break;
        }
        case Stage::WholeImport: {
            // Page by page, as the loader reads them: each tree is dropped once it is walked.
            Collected collected;
            for (const std::string& text : source.pageTexts) {
                if (std::optional<boost::json::object> page = parse(text, "page")) walkPage(*page, collected);
            }
            Models models = makeModels(std::move(collected),
                                       parse(source.documentText, "document.json").value_or(boost::json::object()));
            analyseExportables(models);
            collectSymbols(models);
            result = serialise(models);
            break;
        }
        }
        benchmark::DoNotOptimize(result);
    }
    report(state, source);
    if (stage == Stage::Serialisation) state.counters["uploaded_MB"] = static_cast<double>(result) / 1e6;
    if (stage == Stage::SymbolCollection) state.counters["used_masters"] = static_cast<double>(result);
    if (stage == Stage::Exportables) state.counters["images"] = static_cast<double>(result);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);

    // The exportables analysis names the document's data folder; keep it out of the user's.
    QTemporaryDir library;
    platform::overrideUserLibraryDirectory(library.path());

    const std::pair<const char*, Stage> stages[] = {
        {"Parse", Stage::Parse},
        {"PageWalks", Stage::PageWalks},
        {"Exportables", Stage::Exportables},
        {"SymbolCollection", Stage::SymbolCollection},
        {"Serialisation", Stage::Serialisation},
        {"WholeImport", Stage::WholeImport},
    };
    for (const auto& [stageName, stage] : stages) {
        std::vector<std::string> names(std::begin(kFixtures), std::end(kFixtures));
        for (const auto& generated : kGenerated) names.emplace_back(generated.first);
        for (const std::string& name : names) {
            benchmark::RegisterBenchmark((std::string(stageName) + "/" + name).c_str(),
                                         [name, stage = stage](benchmark::State& state) { runStage(state, name, stage); })
                ->Unit(benchmark::kMillisecond);
        }
    }

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    platform::clearUserLibraryOverride();
    return 0;
}
