// One keystroke in the views page's search on a large screen: copy the page's view tree, cut
// the copy down to the matching branches and reset the outline's item model, as the page does.
//
// The tree has 10,000 nodes twelve levels deep, each with a view record (style, layout and the
// layer's JSON text, as the service sends them). The copy made by encoding and decoding the tree
// is measured beside the copy the page uses, since it is what a keystroke would otherwise cost.
// Queries: a name few nodes have, a class a sixth of the leaves have, a letter every node has,
// and a text no node has.
// Reported with each time: nodes, depth, and the nodes the outline shows afterwards.
//
// The worst case of the substring test: one layer whose name is a long run of one letter,
// and a query that is the same run with another letter in its middle, so that a naive search
// compares half the query at every position of the name. Plain ASCII and an accented letter
// (which takes the Unicode road) are both measured; each is reported with the name's and the
// query's length.

#include "Editor/Pages/TreeContainer.h"
#include "Editor/Pages/ViewOutlineTreeModel.h"
#include "Editor/Pages/ViewTreeSearch.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kMaxDepth = 12;

struct Kind {
    const char* className;
    const char* key;
    const char* name;
};
constexpr std::array<Kind, 6> kKinds{{{"UIView", "view", "Container"},
                                      {"UILabel", "label", "Title"},
                                      {"UIButton", "button", "Action"},
                                      {"UIImageView", "imageView", "Picture"},
                                      {"UITextField", "textField", "Input"},
                                      {"UISwitch", "switch", "Toggle"}}};

std::shared_ptr<TreeViewInfo> makeNode(int serial, int depth, const std::string& parentId, std::mt19937& rng)
{
    // containers near the top, leaves of every kind further down
    const Kind& kind = depth < 3 ? kKinds[0] : kKinds[static_cast<std::size_t>(rng() % kKinds.size())];
    auto node = std::make_shared<TreeViewInfo>();
    node->id = "V-" + std::to_string(serial);
    node->name = std::string(kind.name) + " " + std::to_string(serial);
    node->classNameString = kind.className;
    node->ancestorClassKey = kind.key;
    node->parentId = parentId;
    node->frame->x = serial % 375;
    node->frame->width = 120;
    node->frame->height = 44;
    auto view = std::make_shared<ViewInfo>();
    view->oid = node->id;
    view->layerName = node->name;
    view->varName = "view" + std::to_string(serial);
    view->layout = node->frame;
    view->style->classNameString = kind.className;
    view->jsonString = "{\"_class\":\"shapeGroup\",\"do_objectID\":\"" + node->id + "\",\"name\":\"" + node->name +
                       "\",\"frame\":{\"_class\":\"rect\",\"x\":0,\"y\":0,\"width\":120,\"height\":44},"
                       "\"style\":{\"_class\":\"style\",\"fills\":[{\"_class\":\"fill\",\"isEnabled\":true}]}}";
    node->viewInfo = std::move(view);
    return node;
}

// `count` nodes: a chain down to level 12 first, so that the full depth is reached, then
// breadth first up to four children a node, never below level 12.
std::vector<std::shared_ptr<TreeViewInfo>> makeTree(int count)
{
    std::mt19937 rng(11);
    struct Open {
        TreeViewInfo* node;
        int depth;
    };
    std::vector<std::shared_ptr<TreeViewInfo>> roots{makeNode(0, 1, "", rng)};
    std::vector<Open> open{{roots[0].get(), 1}};
    int made = 1;
    for (int depth = 2; depth <= kMaxDepth && made < count; ++depth) {
        TreeViewInfo* parent = open.back().node;
        auto child = makeNode(made++, depth, parent->id, rng);
        open.push_back({child.get(), depth});
        parent->views.push_back(std::move(child));
    }
    std::size_t cursor = 0;
    while (made < count && cursor < open.size()) {
        const Open parent = open[cursor++];
        const int children = parent.depth < kMaxDepth ? 1 + static_cast<int>(rng() % 4) : 0;
        for (int i = 0; i < children && made < count; ++i) {
            auto child = makeNode(made++, parent.depth + 1, parent.node->id, rng);
            open.push_back({child.get(), parent.depth + 1});
            parent.node->views.push_back(std::move(child));
        }
    }
    return roots;
}

int depthOf(const std::vector<std::shared_ptr<TreeViewInfo>>& list)
{
    int deepest = 0;
    for (const auto& n : list) deepest = std::max(deepest, 1 + depthOf(n->views));
    return deepest;
}

int countOf(const std::vector<std::shared_ptr<TreeViewInfo>>& list)
{
    int total = 0;
    for (const auto& n : list) total += 1 + countOf(n->views);
    return total;
}

const std::vector<std::shared_ptr<TreeViewInfo>>& tree(int count)
{
    static std::vector<std::shared_ptr<TreeViewInfo>> cached;
    static int cachedCount = -1;
    if (cachedCount != count) {
        cached = makeTree(count);
        cachedCount = count;
    }
    return cached;
}

const std::array<const char*, 4> kQueries{"title 4", "label", "e", "no such view"};

void reportSizes(benchmark::State& state, const std::vector<std::shared_ptr<TreeViewInfo>>& roots, int shown)
{
    state.counters["nodes"] = countOf(roots);
    state.counters["depth"] = depthOf(roots);
    state.counters["shown"] = shown;
}

void BM_SearchKeystroke(benchmark::State& state)
{
    const auto& roots = tree(static_cast<int>(state.range(0)));
    const std::string query = kQueries[static_cast<std::size_t>(state.range(1))];
    ViewOutlineTreeModel model;
    model.update({}, roots);
    for (auto _ : state) {
        // every call copies and filters anew, as each keystroke does
        model.applySearchText(query);
        benchmark::DoNotOptimize(model.rowCount());
    }
    state.SetLabel(query);
    reportSizes(state, roots, countOf(model.shownList()));
}
BENCHMARK(BM_SearchKeystroke)
    ->ArgsProduct({{1000, 10000}, {0, 1, 2, 3}})
    ->ArgNames({"nodes", "query"})
    ->Unit(benchmark::kMillisecond);

void BM_TreeCopy(benchmark::State& state)
{
    const auto& roots = tree(static_cast<int>(state.range(0)));
    const TreeContainer container(roots);
    for (auto _ : state) benchmark::DoNotOptimize(TreeContainer::getCopy(container));
    reportSizes(state, roots, countOf(roots));
}
BENCHMARK(BM_TreeCopy)->Arg(1000)->Arg(10000)->ArgName("nodes")->Unit(benchmark::kMillisecond);

// The copy by encoding and decoding, which gives the same tree.
void BM_TreeCopyByEncoding(benchmark::State& state)
{
    const auto& roots = tree(static_cast<int>(state.range(0)));
    const TreeContainer container(roots);
    for (auto _ : state) {
        TreeContainer copy;
        jsonmap::read(jsonmap::write(container), copy);
        benchmark::DoNotOptimize(copy.list.data());
    }
    reportSizes(state, roots, countOf(roots));
}
BENCHMARK(BM_TreeCopyByEncoding)->Arg(1000)->Arg(10000)->ArgName("nodes")->Unit(benchmark::kMillisecond);

// The search alone, the tree's texts already folded by an earlier keystroke.
void BM_FilterOnly(benchmark::State& state)
{
    const auto& roots = tree(static_cast<int>(state.range(0)));
    const std::string query = kQueries[static_cast<std::size_t>(state.range(1))];
    ViewTreeSearch search(roots);
    search.search(query);
    int shown = 0;
    for (auto _ : state) {
        const auto filtered = search.search(query);
        shown = countOf(*filtered);
    }
    state.SetLabel(query);
    reportSizes(state, roots, shown);
}
BENCHMARK(BM_FilterOnly)->ArgsProduct({{10000}, {0, 1, 2, 3}})->ArgNames({"nodes", "query"})->Unit(benchmark::kMillisecond);

// A tree of one root named by `length` copies of `letter`; built once per size.
const std::vector<std::shared_ptr<TreeViewInfo>>& longNameTree(std::size_t length, bool accented)
{
    static std::vector<std::shared_ptr<TreeViewInfo>> cached;
    static std::size_t cachedLength = 0;
    static bool cachedAccented = false;
    if (cached.empty() || cachedLength != length || cachedAccented != accented) {
        std::string name;
        const std::string letter = accented ? "\xc3\xa9" : "a"; // é or a
        name.reserve(length * letter.size());
        for (std::size_t i = 0; i < length; ++i) name += letter;
        auto node = std::make_shared<TreeViewInfo>();
        node->id = "long";
        node->name = std::move(name);
        node->classNameString = "UILabel";
        cached = {node};
        cachedLength = length;
        cachedAccented = accented;
    }
    return cached;
}

void BM_LongNameKeystroke(benchmark::State& state)
{
    const auto nameLength = static_cast<std::size_t>(state.range(0));
    const auto queryLength = static_cast<std::size_t>(state.range(1));
    const bool accented = state.range(2) != 0;
    const auto& roots = longNameTree(nameLength, accented);
    // the other letter in the middle: a search from the left and one from the right (as
    // Boyer-Moore does) both compare half the query before they find the mismatch
    std::string query;
    const std::string letter = accented ? "\xc3\xa9" : "a";
    for (std::size_t i = 0; i < queryLength; ++i) query += i == queryLength / 2 ? std::string("b") : letter;
    ViewOutlineTreeModel model;
    model.update({}, roots);
    for (auto _ : state) {
        model.applySearchText(query);
        benchmark::DoNotOptimize(model.rowCount());
    }
    state.SetLabel(accented ? "accented" : "ascii");
    state.counters["nameChars"] = static_cast<double>(nameLength);
    state.counters["queryChars"] = static_cast<double>(queryLength);
    state.counters["shown"] = countOf(model.shownList());
}
BENCHMARK(BM_LongNameKeystroke)
    ->ArgsProduct({{100000, 1000000, 10000000}, {1000, 32766}, {0, 1}})
    ->ArgNames({"name", "query", "accented"})
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
