// The design canvas on a generated artboard of nested groups: the click hit test, one step of a
// rubber band (hit test plus overlay update) and a repaint of the overlay with many outlines.
// Sizes are reported with the times (views, selected).

#include "Editor/Canvas/CanvasColors.h"
#include "Editor/Canvas/DesignCanvasSelection.h"
#include "Editor/Canvas/GMTrackingView.h"
#include "Editor/Canvas/HighlightContainerView.h"
#include "Editor/Canvas/OverlayPainter.h"
#include "Editor/Canvas/ViewInfoUtils.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include <random>
#include <string>
#include <vector>

namespace {
constexpr double kArtboardWidth = 750.0;
constexpr double kArtboardHeight = 1334.0;

// Groups of groups: each group holds `fanOut` children laid out in a grid inside it, down to
// `depth` levels, until `count` views exist. The list is in tree order, as the service sends it.
std::vector<std::shared_ptr<ViewInfo>> generateArtboard(std::size_t count)
{
    std::vector<std::shared_ptr<ViewInfo>> views;
    views.reserve(count);
    struct Group {
        double x, y, w, h;
        int depth;
    };
    std::vector<Group> stack{{0, 0, kArtboardWidth, kArtboardHeight, 0}};
    std::size_t next = 0;
    const int fanOut = 4;
    while (!stack.empty() && views.size() < count) {
        const Group g = stack.front();
        stack.erase(stack.begin());
        auto view = std::make_shared<ViewInfo>();
        view->oid = "view-" + std::to_string(next++);
        *view->layout = FrameModel();
        view->layout->x = g.x;
        view->layout->y = g.y;
        view->layout->width = g.w;
        view->layout->height = g.h;
        views.push_back(view);
        const double cw = g.w / 2.0 - 2.0;
        const double ch = g.h / 2.0 - 2.0;
        if (cw < 1.0 || ch < 1.0) continue;
        for (int i = 0; i < fanOut; ++i)
            stack.push_back({g.x + 1.0 + (i % 2) * (g.w / 2.0), g.y + 1.0 + (i / 2) * (g.h / 2.0), cw, ch, g.depth + 1});
    }
    return views;
}

void BM_findViewInfo(benchmark::State& state)
{
    const auto views = generateArtboard(static_cast<std::size_t>(state.range(0)));
    std::mt19937 random(7);
    std::uniform_real_distribution<double> x(0, kArtboardWidth);
    std::uniform_real_distribution<double> y(0, kArtboardHeight);
    for (auto _ : state) {
        auto hit = ViewInfoUtils::findViewInfo(QPointF(x(random), y(random)), views);
        benchmark::DoNotOptimize(hit);
    }
    state.counters["views"] = static_cast<double>(views.size());
}
BENCHMARK(BM_findViewInfo)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_rubberBandStep(benchmark::State& state)
{
    CanvasColors::setRandomSource([](int) { return 0; });
    auto views = generateArtboard(static_cast<std::size_t>(state.range(0)));
    HighlightContainerView overlay;
    GMTrackingView tracking;
    tracking.highlightContainerView = &overlay;
    DesignCanvasSelection canvas;
    canvas.overlay = &overlay;
    canvas.tracking = &tracking;
    canvas.setScreenRatio(0.5);
    canvas.viewInfoListProvider = [&views] { return &views; };
    // A band growing and shrinking by a few points per step, as a drag does.
    double grow = 0;
    double step = 3;
    std::size_t selected = 0;
    for (auto _ : state) {
        canvas.markViews(QRectF(100, 200, 150 + grow, 250 + grow));
        grow += step;
        if (grow > 300 || grow < 0) step = -step;
        selected = overlay.scannedViews.size();
        benchmark::DoNotOptimize(overlay.subviewCount());
    }
    state.counters["views"] = static_cast<double>(views.size());
    state.counters["selected"] = static_cast<double>(selected);
    CanvasColors::setRandomSource({});
}
BENCHMARK(BM_rubberBandStep)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_overlayRepaint(benchmark::State& state)
{
    const auto views = generateArtboard(10000);
    HighlightContainerView overlay;
    DesignCanvasSelection canvas;
    canvas.overlay = &overlay;
    canvas.setScreenRatio(0.5);
    std::vector<std::shared_ptr<ViewInfo>> chosen(views.end() - state.range(0), views.end());
    overlay.addToScreen(overlay.addNewSelectedViews(canvas.getSelectedViewInfoList(chosen)));
    overlay.highlightSelectionBorders(QRectF(10, 10, 300, 500));
    const double zoom = 1.5;
    QImage target(static_cast<int>(375 * zoom), static_cast<int>(667 * zoom), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&target);
        painter.scale(zoom, zoom);
        OverlayPainter::paint(painter, overlay, nullptr, QRectF(0, 0, 375, 667));
        painter.end();
        benchmark::ClobberMemory();
    }
    state.counters["selected"] = static_cast<double>(overlay.scannedViews.size());
}
BENCHMARK(BM_overlayRepaint)->Arg(1000)->Unit(benchmark::kMicrosecond);
} // namespace

BENCHMARK_MAIN();
