// Opening an artboard's detail: the "main/detailInfo" reply taken the road the service client
// takes (the bytes as the network hands them over, the reply read by ServiceManager, the typed
// response, the first artboard item's views mapped to client records with the pickers loaded
// from the reply's lists, as the project window does), for generated artboards of up to 200,000
// views. Two shapes of view: lean ones (names, frames, the parent and a short layer text; about
// 650 bytes a view, so 50,000 views make a 33 MB reply), listed flat and named in the tree; and
// views as the stand-in service writes them (styles with colour, font and string models, four
// constraints, the layer's JSON text), which also ride in their tree nodes.
//
// Reports, beside the time, the reply's size, how far the process's resident memory rose above
// where it stood before the call (peak), what the open screen still holds afterwards (held), and
// the peak over the reply's size. The one-view screens are the empty screen's runs to subtract.

#include "Base/ServiceEndPoints.h"
#include "Base/ServiceManager.h"
#include "Base/ServiceTransport.h"
#include "Editor/ArtboardDetailInfoResponse.h"
#include "Editor/ClassNamePicker.h"
#include "Editor/ColorNamePicker.h"
#include "Editor/FontNamePicker.h"
#include "Editor/GetArtboardInfoRequest.h"
#include "Editor/StringNamePicker.h"
#include "Editor/ViewInfoMapper.h"
#include "platform/MainQueue.h"
#include "platform/MemoryPolicy.h"
#include "platform/Reachability.h"

#include "ResourceModelJson.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <malloc.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using benchjson::colorJson;
using benchjson::fontJson;
using benchjson::stringJson;

constexpr int kColors = 40;
constexpr int kFonts = 12;
constexpr int kStrings = 60;

// A field of /proc/self/status in kB ("VmRSS:", "VmHWM:"), -1 when unreadable.
long statusKb(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) return std::stol(line.substr(field.size()));
    }
    return -1;
}

// Gives freed heap back and restarts the peak at the present size; false when the kernel does not
// let the peak be restarted.
bool restartPeak()
{
    malloc_trim(0);
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return static_cast<bool>(clear);
}

template <class Json>
std::string list(int count, Json json)
{
    std::string out = "[";
    for (int i = 0; i < count; ++i) out += (i ? "," : "") + json(i);
    return out + "]";
}

std::string frameJson(int x, int y, int w, int h)
{
    return R"({"x":)" + std::to_string(x) + R"(,"y":)" + std::to_string(y) + R"(,"width":)" + std::to_string(w) +
           R"(,"height":)" + std::to_string(h) + "}";
}

std::string constraintJson(const std::string& item, const char* attribute, const std::string& other, int constant)
{
    const bool toOther = !other.empty();
    return R"({"firstItem":")" + item + R"(","firstAttribute":")" + attribute + R"(","secondItem":")" + other +
           R"(","secondAttribute":")" + (toOther ? attribute : "") +
           R"(","multiplier":1.0,"multiplierFirstPart":1.0,"multiplierSecondPart":1.0,"constant":)" +
           std::to_string(constant) + R"(,"relation":"equal","priority":1000,"host":")" + (toOther ? other : item) +
           R"(","typeId":")" + attribute + R"(","isDuplicate":false})";
}

std::string layerId(int i)
{
    return "8F3A2C1D-4B5E-4C6F-9A0B-" + std::to_string(100000000000 + i);
}

// Views come in groups of ten: a group, then nine texts and rectangles inside it.
bool isGroup(int i) { return i % 10 == 0; }
int groupOf(int i) { return i - i % 10; }

std::string viewJson(int i)
{
    const bool group = isGroup(i);
    const bool text = !group && i % 2 == 1;
    const std::string id = layerId(i);
    const std::string var = (group ? "group" : text ? "label" : "rectangle") + std::to_string(i);
    const std::string parentId = group ? "ARTBOARD" : layerId(groupOf(i));
    const std::string parentVar = group ? "view" : "group" + std::to_string(groupOf(i));
    const std::string sketchClass = group ? "group" : text ? "text" : "rectangle";
    const std::string className = text ? "UILabel" : "UIView";
    const std::string classKey = text ? "label" : "view";
    const int x = group ? 0 : 16, y = group ? (i / 10) * 60 : (i % 10) * 6, w = group ? 375 : 343, h = group ? 60 : 21;
    const std::string frame = frameJson(x, y, w, h);

    std::string style = R"({"frame":)" + frame + R"(,"overrides":[],"sketchClass":")" + sketchClass +
                        R"(","textAlignment":0,"cornerRadius":0,"isBorderEnabled":false,"borderWidth":0.0,)" +
                        R"("imageName":"","masterId":"","contentMode":"","classNameString":")" + className +
                        R"(","ancestorClassKey":")" + classKey + R"(","useExtraInfo":false)";
    if (text) {
        style += R"(,"textColorModel":)" + colorJson(i % kColors) + R"(,"fontModel":)" + fontJson(i % kFonts) +
                 R"(,"stringModel":)" + stringJson(i % kStrings);
    } else if (!group) {
        style += R"(,"backgroundColorModel":)" + colorJson((i + 3) % kColors);
    }
    style += "}";

    const std::string layer = R"({\"_class\":\")" + sketchClass + R"(\",\"do_objectID\":\")" + id +
                              R"(\",\"name\":\"Layer )" + std::to_string(i) + R"(\",\"isVisible\":true,)" +
                              R"(\"frame\":{\"_class\":\"rect\",\"x\":)" + std::to_string(x) + R"(,\"y\":)" +
                              std::to_string(y) + R"(,\"width\":)" + std::to_string(w) + R"(,\"height\":)" +
                              std::to_string(h) + R"(},\"layers\":[]})";

    return R"({"oid":")" + id + R"(","layerName":"Layer )" + std::to_string(i) + R"(","varName":")" + var +
           R"(","style":)" + style + R"(,"layout":)" + frame + R"(,"overrides":[],"isImaginary":false,)" +
           R"("layoutInfo":{"parentName":"Group","parentLayerId":")" + parentId +
           R"(","parentLayerDistance":0.0,"isParent":)" + (group ? "true" : "false") +
           R"(,"isBelongToRow":false,"constraints":[)" + constraintJson(var, "leading", parentVar, x) + "," +
           constraintJson(var, "top", parentVar, y) + "," + constraintJson(var, "width", {}, w) + "," +
           constraintJson(var, "height", {}, h) + R"(]},"jsonString":")" + layer + R"("})";
}

// The least a view of a large artboard brings: names, frames, its parent and a short layer text.
std::string leanViewJson(int i)
{
    const bool group = isGroup(i);
    const std::string sketchClass = group ? "group" : "rectangle";
    const int x = group ? 0 : 16, y = group ? (i / 10) * 60 : (i % 10) * 6, w = group ? 375 : 343, h = group ? 60 : 21;
    const std::string frame = frameJson(x, y, w, h);
    return R"({"oid":")" + layerId(i) + R"(","layerName":"Layer )" + std::to_string(i) + R"(","varName":")" +
           sketchClass + std::to_string(i) + R"(","style":{"frame":)" + frame + R"(,"sketchClass":")" + sketchClass +
           R"("},"layout":)" + frame + R"(,"layoutInfo":{"parentLayerId":")" +
           (group ? std::string("ARTBOARD") : layerId(groupOf(i))) + R"(","isParent":)" + (group ? "true" : "false") +
           R"(},"jsonString":"{\"_class\":\")" + sketchClass + R"(\",\"do_objectID\":\")" + layerId(i) + R"(\"}"})";
}

std::string treeNodeJson(int i, const std::string& view, const std::string& children)
{
    const bool text = !isGroup(i) && i % 2 == 1;
    return R"({"id":")" + layerId(i) + R"(","name":"Layer )" + std::to_string(i) + R"(","frame":{"x":0,"y":0,)" +
           R"("width":10,"height":10},"classNameString":")" + (text ? "UILabel" : "UIView") +
           R"(","ancestorClassKey":")" + (text ? "label" : "view") + R"(","parentId":")" +
           (isGroup(i) ? std::string("ARTBOARD") : layerId(groupOf(i))) +
           R"(","isInstance":false,)" + (view.empty() ? "" : R"("viewInfo":)" + view + ",") + R"("views":[)" +
           children + "]}";
}

enum class Shape { lean, standin };

// Lean views are listed flat and named in the tree; stand-in views also ride in their tree nodes.
std::string detailReply(int views, Shape shape)
{
    const auto viewOf = shape == Shape::lean ? leanViewJson : viewJson;
    const bool treeCarriesViews = shape == Shape::standin;
    // The flat list in tree order (each group before its members) and the tree of groups.
    std::string flat, tree;
    for (int g = 0; g < views; g += 10) {
        const std::string groupView = viewOf(g);
        flat += (flat.empty() ? "" : ",") + groupView;
        std::string children;
        for (int i = g + 1; i < g + 10 && i < views; ++i) {
            const std::string view = viewOf(i);
            flat += "," + view;
            children += (children.empty() ? "" : ",") + treeNodeJson(i, treeCarriesViews ? view : "", {});
        }
        tree += (tree.empty() ? "" : ",") + treeNodeJson(g, treeCarriesViews ? groupView : "", children);
    }
    return R"({"resources":[],"componentTypeList":[],"convertibleTypeList":[],"componentList":[],"colors":)" +
           list(kColors, colorJson) + R"(,"fonts":)" + list(kFonts, fontJson) + R"(,"images":[],"strings":)" +
           list(kStrings, stringJson) + R"(,"screenColors":[],"screenFonts":[],"screenStrings":[],)" +
           R"("artboardFlatModel":{"artboard":{"oid":"ARTBOARD","name":"Screen"}},"symbolMasterViewInfoList":[],)" +
           R"("artboardViewInfoList":[{"baseClassNameString":"UIViewController","classNameString":"ScreenViewController",)" +
           R"("artboardId":"ARTBOARD","viewInfoList":[)" + flat + R"(],"treeViewInfoList":[)" + tree + R"(]}],)" +
           R"("customViewInfoList":[],"codeDirectory":{"name":"Screen","path":"","files":[],"directories":[]},)" +
           R"("selectedCodeFilePath":""})";
}

// Hands every request the reply's bytes on a later turn, as the network does: the bytes are
// made at the call, so they count in the peak like a body received from the service.
class ReplyTransport final : public ServiceTransport {
public:
    explicit ReplyTransport(const std::string& text) : m_text(text) { ServiceManager::shared().setTransport(this); }
    ~ReplyTransport() override { ServiceManager::shared().setTransport(nullptr); }

    void postJson(const QUrl&, const QByteArray&, const platform::HttpHeaders&,
                  platform::HttpCompletion completion) override
    {
        platform::HttpResult result;
        result.statusCode = 200;
        result.body = QByteArray(m_text.data(), static_cast<qsizetype>(m_text.size()));
        platform::dispatchMain([result = std::move(result), completion = std::move(completion)]() mutable {
            completion(std::move(result));
        });
    }
    void get(const QUrl&, qint64, platform::HttpCompletion) override {}

private:
    const std::string& m_text;
};

// What an open screen holds of the reply.
struct Screen {
    std::shared_ptr<ArtboardDetailInfoResponse> response;
    std::shared_ptr<ColorNamePicker> colors = std::make_shared<ColorNamePicker>();
    std::shared_ptr<FontNamePicker> fonts = std::make_shared<FontNamePicker>();
    std::shared_ptr<StringNamePicker> strings = std::make_shared<StringNamePicker>();
    std::shared_ptr<ClassNamePicker> classes =
        std::make_shared<ClassNamePicker>(ClassNamePicker::make(ProgrammingLanguage::swift));
    std::vector<std::shared_ptr<VItemInfo>> items;
};

void openDetail(Screen& screen)
{
    GetArtboardInfoRequest request;
    request.projectId = "project";
    request.artboardId = "ARTBOARD";
    request.platform = "iOS";
    bool done = false;
    ServiceManager::shared().callService<ArtboardDetailInfoResponse>(
        ServiceEndPoints::Main::detailedInfo, request, {},
        [&screen, &done](ArtboardDetailInfoResponse reply) {
            screen.response = std::make_shared<ArtboardDetailInfoResponse>(std::move(reply));
            const ArtboardDetailInfoResponse& response = *screen.response;
            screen.colors->loadMap(response.colors);
            screen.fonts->loadMap(response.fonts);
            screen.strings->loadMap(response.strings);
            if (!response.artboardViewInfoList.empty() && response.artboardViewInfoList.front())
                screen.items = ViewInfoMapper::map(response.artboardViewInfoList.front()->viewInfoList, screen.colors,
                                                   screen.fonts, screen.strings, screen.classes);
            done = true;
        },
        [&done](const ErrorModel&) { done = true; });
    platform::runMainLoopUntil([&] { return done; }, 600000);
}

void openArtboardDetail(benchmark::State& state)
{
    const int views = static_cast<int>(state.range(0));
    const std::string text = detailReply(views, static_cast<Shape>(state.range(1)));
    ReplyTransport transport(text);
    long peakKb = 0, heldKb = 0;
    std::size_t mapped = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (!restartPeak()) state.SkipWithError("the peak memory cannot be restarted here");
        const long before = statusKb("VmRSS:");
        state.ResumeTiming();

        auto screen = std::make_unique<Screen>();
        openDetail(*screen);

        state.PauseTiming();
        mapped = screen->items.size();
        peakKb = std::max(peakKb, statusKb("VmHWM:") - before);
        malloc_trim(0);
        heldKb = std::max(heldKb, statusKb("VmRSS:") - before);
        screen.reset();
        state.ResumeTiming();
    }
    if (mapped != static_cast<std::size_t>(views)) state.SkipWithError("not every view was mapped");
    const double bytes = static_cast<double>(text.size());
    state.counters["views"] = views;
    state.counters["reply_MB"] = bytes / 1e6;
    state.counters["peak_MB"] = static_cast<double>(peakKb) / 1e3;
    state.counters["held_MB"] = static_cast<double>(heldKb) / 1e3;
    state.counters["peak_per_reply"] = static_cast<double>(peakKb) * 1e3 / bytes;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(openArtboardDetail)
    ->ArgNames({"views", "standin"})
    ->Args({1, 0})
    ->Args({50000, 0})
    ->Args({200000, 0})
    ->Args({1, 1})
    ->Args({5000, 1})
    ->Args({20000, 1})
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // As the application sets it: large blocks go back to the system when freed.
    platform::useSystemPagesForLargeBlocks();
    platform::Reachability::setOverride(true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
