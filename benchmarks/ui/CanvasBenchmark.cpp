// The design canvas on a generated artboard of nested groups: the click hit test, one step of a
// rubber band (hit test plus overlay update) and a repaint of the overlay with many outlines.
// Then the whole canvas widget: a click on a long scrolling screen at two zooms, with the repaint
// it causes. Sizes are reported with the times (views, selected, zoom, screen height, pixels painted).

#include "Editor/Canvas/CanvasColors.h"
#include "Editor/Canvas/DesignCanvasSelection.h"
#include "Editor/Canvas/GMTrackingView.h"
#include "Editor/Canvas/HighlightContainerView.h"
#include "Editor/Canvas/OverlayPainter.h"
#include "Editor/Canvas/ViewInfoUtils.h"
#include "Editor/Canvas/ui/CanvasDocumentWidget.h"
#include "Editor/Canvas/ui/MainEditorDesignViewController.h"
#include "App/UserDefaultsKeys.h"
#include "platform/UserDefaults.h"

#include "OffscreenBenchmark.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdlib>
#include <memory>

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

// Adds up the pixels of every paint the canvas (the preview's container) receives: the document
// and the overlay's layer over it let it show through, so it is painted wherever they are.
class PaintMeter : public QObject {
public:
    long long pixels = 0;
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            for (const QRect& r : static_cast<QPaintEvent*>(event)->region())
                pixels += static_cast<long long>(r.width()) * r.height();
        }
        return false;
    }
};

void sendMouse(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, buttons, {});
    QApplication::sendEvent(widget, &event);
}

// A long scrolling screen, 375 points wide: a background and a list of cells 60 points apart, in
// the real canvas controller at the given zoom, scrolled to the top.
struct LongScreen {
    LongScreen(double zoom, int height)
        : canvas(MainEditorDesignViewController::instantiate())
    {
        const auto add = [this](double x, double y, double w, double h) {
            auto view = std::make_shared<ViewInfo>();
            view->oid = "view-" + std::to_string(views.size());
            view->layout->x = x;
            view->layout->y = y;
            view->layout->width = w;
            view->layout->height = h;
            views.push_back(view);
        };
        add(0, 0, 375, height);
        for (int y = 20; y + 40 <= height; y += 60) add(16, y, 100, 40);
        canvas->resize(900, 700);
        canvas->show();
        canvas->canvasSelection()->viewInfoListProvider = [this] { return &views; };
        canvas->canvasSelection()->setScreenRatio(1.0);
        document = canvas->documentView();
        QImage preview(375, height, QImage::Format_RGB32);
        preview.fill(QColor(240, 240, 245));
        document->setCanvasSize(QSizeF(375, height));
        document->setPreview(preview);
        canvas->setMagnification(zoom);
        canvas->screenScrollView()->horizontalScrollBar()->setValue(0);
        canvas->screenScrollView()->verticalScrollBar()->setValue(0);
        QApplication::processEvents();
        canvas->screenContainerView()->installEventFilter(&meter);
    }

    void report(benchmark::State& state, double zoom, int height) const
    {
        state.counters["zoom"] = zoom;
        state.counters["height"] = height;
        state.counters["paintedPx/step"] = static_cast<double>(meter.pixels) / static_cast<double>(state.iterations());
        // The process's peak so far: a case that allocates a giant pixmap per repaint raises it.
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        state.counters["peakMB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    }

    std::vector<std::shared_ptr<ViewInfo>> views;
    std::unique_ptr<MainEditorDesignViewController> canvas;
    CanvasDocumentWidget* document = nullptr;
    PaintMeter meter;
};

// Each step clicks the first or the second cell (both in view at the top) and lets the window
// repaint, as a user's click does. Arguments: zoom in tenths, canvas height in points.
void BM_canvasClickRepaint(benchmark::State& state)
{
    const double zoom = static_cast<double>(state.range(0)) / 10.0;
    const int height = static_cast<int>(state.range(1));
    LongScreen screen(zoom, height);
    const QPointF cells[] = {QPointF(50, 40) * zoom, QPointF(50, 100) * zoom};
    int next = 0;
    for (auto _ : state) {
        const QPointF at = cells[next];
        next = 1 - next;
        sendMouse(screen.document, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        sendMouse(screen.document, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
        QApplication::processEvents();
    }
    screen.report(state, zoom, height);
}
BENCHMARK(BM_canvasClickRepaint)
    ->ArgsProduct({{10, 40}, {667, 5000, 16000}})
    ->Unit(benchmark::kMillisecond);

// The pointer moving over the canvas with no button down, one event per step.
void BM_canvasPointerMove(benchmark::State& state)
{
    const double zoom = static_cast<double>(state.range(0)) / 10.0;
    const int height = static_cast<int>(state.range(1));
    LongScreen screen(zoom, height);
    int step = 0;
    for (auto _ : state) {
        const QPointF at = QPointF(20 + step % 200, 30 + step % 150) * zoom;
        ++step;
        sendMouse(screen.document, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
        QApplication::processEvents();
    }
    screen.report(state, zoom, height);
}
BENCHMARK(BM_canvasPointerMove)
    ->ArgsProduct({{10, 40}, {667, 16000}})
    ->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    // A private home, so the canvas's first-appearance flag and settings touch no real account.
    QTemporaryDir home;
    ::setenv("HOME", home.path().toUtf8().constData(), 1);
    ::setenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toUtf8().constData(), 1);
    if (!::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    platform::UserDefaults::standard().setBool(QString(UserDefaultsKeys::artboardDragTutorialShown), true);
    return offscreenbenchmark::runRegistered(argc, argv);
}
