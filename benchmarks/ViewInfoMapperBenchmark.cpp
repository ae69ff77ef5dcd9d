// Decoding an artboard detail reply and mapping its view records, as the project window does on
// every reply: parse the text, decode the first artboard item's view list, map it with loaded
// pickers. Every generated view carries a style with colour, font and string models and extra
// info, a text override, four constraints and its layer as JSON text. The view count is reported
// with the times (complexity fit over 1,000 to 20,000 views) so growth can be read.
//
// Large naming tables: loading the colour and string pickers from a project's lists and mapping
// an artboard's views against them, reported with both counts, so the cost can be read as it
// grows with views and with entries.

#include "Editor/ClassNamePicker.h"
#include "Editor/ColorNamePicker.h"
#include "Editor/FontNamePicker.h"
#include "Editor/StringNamePicker.h"
#include "Editor/ViewInfoMapper.h"
#include "platform/JsonText.h"

#include "ResourceModelJson.h"

#include <benchmark/benchmark.h>

#include <map>
#include <string>

namespace {

using benchjson::colorJson;
using benchjson::fontJson;
using benchjson::stringJson;

constexpr int kColors = 40;
constexpr int kFonts = 20;
constexpr int kStrings = 60;

std::string constraintJson(const char* first, const char* second, const char* typeId, int priority)
{
    return std::string(R"({"firstItem":"self","firstAttribute":")") + first + R"(","secondItem":"superview",)" +
           R"("secondAttribute":")" + second + R"(","multiplier":1,"multiplierFirstPart":1,"multiplierSecondPart":1,)" +
           R"("constant":16,"relation":"equal","priority":)" + std::to_string(priority) + R"(,"host":"superview",)" +
           R"("typeId":")" + typeId + R"(","isDuplicate":false})";
}

// The layer JSON text of one view, written as the upload writes it (escaped once more inside the reply).
std::string layerText(int i)
{
    return R"({\n  \"_class\" : \"text\",\n  \"do_objectID\" : \"8F3A2C1D-)" + std::to_string(i) +
           R"(\",\n  \"name\" : \"Label\",\n  \"frame\" : {\n    \"x\" : 16,\n    \"y\" : 40.5,\n    \"width\" : 343,)" +
           R"(\n    \"height\" : 21\n  },\n  \"style\" : {\n    \"fills\" : [\n      {\n        \"isEnabled\" : true,)" +
           R"(\n        \"fillType\" : 0\n      }\n    ],\n    \"contextSettings\" : {\n      \"opacity\" : 1\n    }\n  }\n})";
}

std::string viewJson(int i)
{
    const std::string id = std::to_string(i);
    return R"({"oid":"view-)" + id + R"(","layerName":"Label )" + id + R"(","varName":"label)" + id +
           R"(","isImaginary":false,"layout":{"x":16,"y":)" + std::to_string(i % 800) +
           R"(,"width":343,"height":21},"overrides":[{"overrideName":"title","value":"Tap \"here\"\n",)" +
           R"("relatedLayerId":"L)" + id + R"(","relatedProperty":"stringValue","relatedVarName":"title"}],)" +
           R"("style":{"frame":{"x":16,"y":40,"width":343,"height":21},"sketchClass":"text","textAlignment":)" +
           std::to_string(i % 4) + R"(,"cornerRadius":4,"isBorderEnabled":true,"borderWidth":1,"borderColorModel":)" +
           colorJson(i % (kColors + 5)) + R"(,"backgroundColorModel":)" + colorJson((i + 3) % kColors) +
           R"(,"textColorModel":)" + colorJson((i + 7) % kColors) + R"(,"fontModel":)" + fontJson(i % (kFonts + 2)) +
           R"(,"stringModel":)" + stringJson(i % (kStrings + 10)) +
           R"(,"imageName":"","masterId":"","contentMode":"aspectToFill","classNameString":"UILabel",)" +
           R"("ancestorClassKey":"label","useExtraInfo":true,"extraInfo":{"hasText":true,"hasTitle":false,)" +
           R"("oneItemFrame":{"x":0,"y":0,"width":10,"height":10},"scrollAlignment":"vertical"}},)" +
           R"("layoutInfo":{"parentName":"root","parentLayerId":"root","parentLayerDistance":8,"isParent":false,)" +
           R"("isBelongToRow":false,"constraints":[)" + constraintJson("leading", "leading", "leading", 1000) + "," +
           constraintJson("top", "bottom", "top", 750) + "," + constraintJson("width", "height", "width", 250) + "," +
           constraintJson("height", "height", "height", 0) + R"(]},"jsonString":")" + layerText(i) + R"("})";
}

const std::string& reply(int views)
{
    static std::map<int, std::string> cache;
    std::string& text = cache[views];
    if (!text.empty()) return text;
    text = R"({"artboardViewInfoList":[{"viewInfoList":[)";
    for (int i = 0; i < views; ++i) {
        if (i) text += ',';
        text += viewJson(i);
    }
    text += "]}]}";
    return text;
}

template <class Model>
std::vector<std::shared_ptr<Model>> list(int count, std::string (*json)(int))
{
    std::vector<std::shared_ptr<Model>> models;
    for (int i = 0; i < count; ++i)
        models.push_back(std::make_shared<Model>(
            jsonmap::fromJson<Model>(platform::parseJson(json(i)).value_or(boost::json::value()))));
    return models;
}

struct Pickers {
    std::shared_ptr<ColorNamePicker> colors = std::make_shared<ColorNamePicker>();
    std::shared_ptr<FontNamePicker> fonts = std::make_shared<FontNamePicker>();
    std::shared_ptr<StringNamePicker> strings = std::make_shared<StringNamePicker>();
    std::shared_ptr<ClassNamePicker> classes =
        std::make_shared<ClassNamePicker>(ClassNamePicker::make(ProgrammingLanguage::swift));
    Pickers()
    {
        colors->loadMap(list<ColorModel>(kColors, colorJson));
        fonts->loadMap(list<FontModel>(kFonts, fontJson));
        strings->loadMap(list<StringModel>(kStrings, stringJson));
    }
};

// The first artboard item's view list, guarded like the project window does.
std::vector<std::shared_ptr<ViewInfo>> decode(const boost::json::value& body)
{
    std::vector<std::shared_ptr<ViewInfo>> viewInfoList;
    if (!body.is_object()) return viewInfoList;
    const boost::json::value* items = body.get_object().if_contains("artboardViewInfoList");
    if (!items || !items->is_array() || items->get_array().empty()) return viewInfoList;
    const boost::json::value& first = items->get_array().front();
    if (!first.is_object()) return viewInfoList;
    if (const boost::json::value* views = first.get_object().if_contains("viewInfoList")) jsonmap::read(*views, viewInfoList);
    return viewInfoList;
}

void report(benchmark::State& state, std::size_t mapped, std::size_t bytes)
{
    const auto views = static_cast<std::size_t>(state.range(0));
    if (mapped != views) state.SkipWithError("not every view was handled");
    state.counters["views"] = static_cast<double>(views);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes));
    state.SetComplexityN(static_cast<std::int64_t>(views));
}

// The whole road from reply text to client records.
void parseDecodeAndMap(benchmark::State& state)
{
    const std::string& text = reply(static_cast<int>(state.range(0)));
    const Pickers pickers;
    std::size_t mapped = 0;
    for (auto _ : state) {
        const std::optional<boost::json::value> body = platform::parseJson(text);
        const auto records = ViewInfoMapper::map(decode(body.value_or(boost::json::value())), pickers.colors,
                                                 pickers.fonts, pickers.strings, pickers.classes);
        mapped = records.size();
        benchmark::DoNotOptimize(records.data());
    }
    report(state, mapped, text.size());
}

// Decode and map of a reply already parsed (the service client parses every reply once, before any model sees it).
void decodeAndMap(benchmark::State& state)
{
    const std::string& text = reply(static_cast<int>(state.range(0)));
    const boost::json::value body = platform::parseJson(text).value_or(boost::json::value());
    const Pickers pickers;
    std::size_t mapped = 0;
    for (auto _ : state) {
        const auto records =
            ViewInfoMapper::map(decode(body), pickers.colors, pickers.fonts, pickers.strings, pickers.classes);
        mapped = records.size();
        benchmark::DoNotOptimize(records.data());
    }
    report(state, mapped, text.size());
}

void decodeOnly(benchmark::State& state)
{
    const std::string& text = reply(static_cast<int>(state.range(0)));
    const boost::json::value body = platform::parseJson(text).value_or(boost::json::value());
    std::size_t decoded = 0;
    for (auto _ : state) {
        const auto views = decode(body);
        decoded = views.size();
        benchmark::DoNotOptimize(views.data());
    }
    report(state, decoded, text.size());
}

void mapOnly(benchmark::State& state)
{
    const std::string& text = reply(static_cast<int>(state.range(0)));
    const auto views = decode(platform::parseJson(text).value_or(boost::json::value()));
    const Pickers pickers;
    std::size_t mapped = 0;
    for (auto _ : state) {
        const auto records = ViewInfoMapper::map(views, pickers.colors, pickers.fonts, pickers.strings, pickers.classes);
        mapped = records.size();
        benchmark::DoNotOptimize(records.data());
    }
    report(state, mapped, text.size());
}

std::shared_ptr<ColorModel> tableColour(int entry, bool inTable)
{
    auto colour = std::make_shared<ColorModel>();
    colour->name = "colour" + std::to_string(entry);
    colour->redF = entry % 256;
    colour->greenF = (entry / 256) % 256;
    colour->blueF = entry / 65536;
    colour->alphaF = inTable ? 1 : 0.5;
    return colour;
}

// Designers' texts are rarely plain ASCII; an accented letter makes every comparison a Unicode one.
std::shared_ptr<StringModel> tableText(int entry, bool inTable)
{
    return std::make_shared<StringModel>("text" + std::to_string(entry),
                                         "Caf\xC3\xA9 n\xC3\xBAmero " + std::to_string(entry)
                                             + (inTable ? "" : " \xE2\x80\x94 nuevo"));
}

// The project window's road: load a picker from the project's list of {entries} models (`load`),
// then map {views} views against it. `ask` sets what a view's style asks of the table: the entry,
// or, when not `inTable`, a value that is in no entry, which a walk over the table pays for in full.
template <class Model, class Ask, class Load>
void loadTableAndMap(benchmark::State& state, std::shared_ptr<Model> (*entryOf)(int, bool), Ask ask, Load load)
{
    const int entries = static_cast<int>(state.range(1));
    std::vector<std::shared_ptr<ViewInfo>> views;
    for (int i = 0; i < state.range(0); ++i) {
        auto view = std::make_shared<ViewInfo>();
        view->oid = "view-" + std::to_string(i);
        // Half of what is asked is in the table, spread over it.
        const long long spread = (static_cast<long long>(i) * 7919) % (2LL * entries);
        ask(*view->style, static_cast<int>(spread % entries), entries, spread < entries);
        views.push_back(std::move(view));
    }
    std::vector<std::shared_ptr<Model>> table;
    for (int j = 0; j < entries; ++j) table.push_back(entryOf(j, true));
    Pickers pickers;
    std::size_t mapped = 0;
    for (auto _ : state) {
        load(pickers, table);
        const auto records =
            ViewInfoMapper::map(views, pickers.colors, pickers.fonts, pickers.strings, pickers.classes);
        mapped = records.size();
        benchmark::DoNotOptimize(records.data());
    }
    if (mapped != views.size()) state.SkipWithError("not every view was handled");
    state.counters["views"] = static_cast<double>(state.range(0));
    state.counters["entries"] = static_cast<double>(entries);
}

// Each view asks for three colours: background, border and text.
void loadColoursAndMap(benchmark::State& state)
{
    loadTableAndMap(
        state, tableColour,
        [](ViewStyleInfo& style, int entry, int entries, bool inTable) {
            style.backgroundColorModel = tableColour(entry, inTable);
            style.borderColorModel = tableColour(entry, !inTable);
            style.borderWidth = 1;
            style.textColorModel = tableColour((entry + 1) % entries, inTable);
        },
        [](Pickers& pickers, const std::vector<std::shared_ptr<ColorModel>>& table) {
            pickers.colors = std::make_shared<ColorNamePicker>();
            pickers.colors->loadMap(table);
        });
}

void loadTextsAndMap(benchmark::State& state)
{
    loadTableAndMap(
        state, tableText,
        [](ViewStyleInfo& style, int entry, int /*entries*/, bool inTable) {
            style.stringModel = tableText(entry, inTable);
        },
        [](Pickers& pickers, const std::vector<std::shared_ptr<StringModel>>& table) {
            pickers.strings = std::make_shared<StringNamePicker>();
            pickers.strings->loadMap(table);
        });
}

} // namespace

#define VIEW_COUNTS Arg(1000)->Arg(2000)->Arg(5000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN)
BENCHMARK(decodeAndMap)->VIEW_COUNTS;
BENCHMARK(decodeOnly)->VIEW_COUNTS;
BENCHMARK(mapOnly)->VIEW_COUNTS;
BENCHMARK(parseDecodeAndMap)->VIEW_COUNTS;

// {views, entries}; the largest of each are the sizes at which a designer's window froze.
BENCHMARK(loadColoursAndMap)
    ->ArgNames({"views", "colours"})
    ->Args({1000, 1000})
    ->Args({1000, 10000})
    ->Args({1000, 100000})
    ->Args({10000, 10000})
    ->Args({10000, 100000})
    ->Args({50000, 100000})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(loadTextsAndMap)
    ->ArgNames({"views", "strings"})
    ->Args({1000, 1000})
    ->Args({1000, 10000})
    ->Args({1000, 100000})
    ->Args({10000, 10000})
    ->Args({10000, 100000})
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
