// The first page of making a component filled with the kinds of component a reply lists, and
// painted once as the user then sees it. Sizes are reported with the times (types).

#include "Components/ui/ComponentTypeSelectionViewController.h"

#include "OffscreenBenchmark.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<ComponentTypeDisplayInfo> types(std::size_t count)
{
    std::vector<ComponentTypeDisplayInfo> list(count);
    for (std::size_t i = 0; i < count; ++i) {
        list[i].key = "type" + std::to_string(i);
        list[i].name = "Component type " + std::to_string(i);
        list[i].info = "A view with a title, a subtitle and an image, number " + std::to_string(i);
    }
    return list;
}

void BM_componentTypeListUpdate(benchmark::State& state)
{
    const auto list = types(static_cast<std::size_t>(state.range(0)));
    std::unique_ptr<ComponentTypeSelectionViewController> page(ComponentTypeSelectionViewController::instantiate());
    page->resize(300, 700);
    page->show();
    for (auto _ : state) {
        page->update(list);
        benchmark::DoNotOptimize(page->grab());
        QCoreApplication::processEvents();
    }
    state.counters["types"] = static_cast<double>(page->componentTypeList().size());
}
BENCHMARK(BM_componentTypeListUpdate)->ArgName("types")->Arg(1'000)->Arg(25'000)->Arg(100'000)->Arg(200'000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    offscreenbenchmark::useQuietOffscreenPlatform();
    QApplication app(argc, argv);
    return offscreenbenchmark::runRegistered(argc, argv);
}
