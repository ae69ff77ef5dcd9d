// Reading large JSON texts: platform::parseJson against boost::json::parse on the same text.
//
// parseJson converts every decimal number from its text (correctly rounded) instead of taking
// the double boost computes, so the two rows of each document show what exactness costs.
// Three documents, each at two sizes: a page of Sketch-like layers (keys, strings, small
// integers and a few decimals per layer, as design pages are), a flat array of random doubles
// (the worst case for number conversion) and a flat array of two-decimal coordinates. Bytes processed are reported with the times.

#include "platform/JsonText.h"

#include <benchmark/benchmark.h>

#include <boost/json.hpp>

#include <malloc.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

namespace {

std::string decimal(double d)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, d);
    return std::string(buf, r.ptr);
}

// `layers` layers in groups of ten, written the way a design page is: compact, many short keys.
const std::string& layerPage(int layers)
{
    static std::string cached;
    static int cachedLayers = -1;
    if (cachedLayers == layers) return cached;
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> coord(-2000.0, 2000.0);
    std::string s = "{\"_class\":\"page\",\"do_objectID\":\"PAGE\",\"layers\":[";
    for (int g = 0; g < layers / 10; ++g) {
        if (g) s += ',';
        s += "{\"_class\":\"group\",\"do_objectID\":\"G" + std::to_string(g) + "\",\"name\":\"Group\",\"isVisible\":true,"
             "\"frame\":{\"_class\":\"rect\",\"x\":" + decimal(coord(rng)) + ",\"y\":" + decimal(coord(rng)) +
             ",\"width\":400,\"height\":400},\"layers\":[";
        for (int i = 0; i < 10; ++i) {
            if (i) s += ',';
            s += "{\"_class\":\"rectangle\",\"do_objectID\":\"8F3A2C1D-" + std::to_string(g) + "-" + std::to_string(i) +
                 "\",\"name\":\"Layer " + std::to_string(i) + "\",\"booleanOperation\":-1,\"isLocked\":false,"
                 "\"isVisible\":true,\"rotation\":0,\"frame\":{\"_class\":\"rect\",\"constrainProportions\":false,"
                 "\"x\":" + decimal(coord(rng)) + ",\"y\":" + decimal(coord(rng)) + ",\"width\":40.04,\"height\":20.5},"
                 "\"style\":{\"_class\":\"style\",\"fills\":[{\"_class\":\"fill\",\"isEnabled\":true,\"color\":"
                 "{\"_class\":\"color\",\"alpha\":1,\"blue\":0.592,\"green\":0.592,\"red\":0.592}}]},\"layers\":[]}";
        }
        s += "]}";
    }
    s += "]}";
    cached = std::move(s);
    cachedLayers = layers;
    return cached;
}

// `count` doubles, each in its shortest exact text: spread over many magnitudes (17 digits mostly,
// the worst case for conversion), or design coordinates with two decimals ("-1234.56").
enum class Numbers { Spread, TwoDecimals };

const std::string& doubleArray(int count, Numbers kind)
{
    static std::string cached;
    static int cachedCount = -1;
    static Numbers cachedKind = Numbers::Spread;
    if (cachedCount == count && cachedKind == kind) return cached;
    std::mt19937_64 rng(11);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-12, 12);
    std::string s = "[";
    for (int i = 0; i < count; ++i) {
        if (i) s += ',';
        const double d = kind == Numbers::Spread ? std::ldexp(mantissa(rng), exponent(rng) * 3)
                                                 : std::round(mantissa(rng) * 500000.0) / 100.0;
        s += decimal(d);
    }
    s += ']';
    cached = std::move(s);
    cachedCount = count;
    cachedKind = kind;
    return cached;
}

// Each benchmark parses once untimed, so its rows start from an allocator that already holds
// the memory a parse of that size needs (see main).
void runParseJson(benchmark::State& state, const std::string& text)
{
    benchmark::DoNotOptimize(platform::parseJson(text));
    for (auto _ : state) {
        auto v = platform::parseJson(text);
        if (!v) state.SkipWithError("parse failed");
        benchmark::DoNotOptimize(v);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
    state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
}

void runBoostParse(benchmark::State& state, const std::string& text)
{
    boost::json::parse_options opts;
    opts.max_depth = platform::kDefaultMaxJsonDepth;
    const boost::json::string_view view(text.data(), text.size());
    boost::system::error_code ec;
    benchmark::DoNotOptimize(boost::json::parse(view, ec, {}, opts));
    for (auto _ : state) {
        auto v = boost::json::parse(view, ec, {}, opts);
        if (ec) state.SkipWithError("parse failed");
        benchmark::DoNotOptimize(v);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
    state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
}

void BM_LayerPage_ParseJson(benchmark::State& state) { runParseJson(state, layerPage(static_cast<int>(state.range(0)))); }
void BM_LayerPage_BoostParse(benchmark::State& state) { runBoostParse(state, layerPage(static_cast<int>(state.range(0)))); }
void BM_Doubles_ParseJson(benchmark::State& state) { runParseJson(state, doubleArray(static_cast<int>(state.range(0)), Numbers::Spread)); }
void BM_Doubles_BoostParse(benchmark::State& state) { runBoostParse(state, doubleArray(static_cast<int>(state.range(0)), Numbers::Spread)); }
void BM_Coordinates_ParseJson(benchmark::State& state) { runParseJson(state, doubleArray(static_cast<int>(state.range(0)), Numbers::TwoDecimals)); }
void BM_Coordinates_BoostParse(benchmark::State& state) { runBoostParse(state, doubleArray(static_cast<int>(state.range(0)), Numbers::TwoDecimals)); }

} // namespace

BENCHMARK(BM_LayerPage_ParseJson)->Arg(1000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayerPage_BoostParse)->Arg(1000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Doubles_ParseJson)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Doubles_BoostParse)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Coordinates_ParseJson)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Coordinates_BoostParse)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// glibc hands large blocks back to the system after each parse and faults fresh pages in for the
// next, and how much it keeps depends on what ran before; the rows would then compare allocator
// histories, not readers. Keeping freed memory makes every row measure reading alone.
int main(int argc, char** argv)
{
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
