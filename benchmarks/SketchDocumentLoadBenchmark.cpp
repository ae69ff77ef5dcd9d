// Loading a Sketch document for an upload: copy, unpack, read every page, pick the chosen artboards
// and all symbol masters, and analyse the chosen artboards' exportable images.
//
// Reports, beside the time, the document's uncompressed JSON size and how far the process's peak
// resident memory rose while loading (the rise is only seen on the first load of a process, so
// each size runs in a process of its own: --benchmark_filter=<name>/<size>).

#include "Import/Sketch/SketchImporter.h"
#include "platform/Archive.h"
#include "platform/JsonText.h"
#include "platform/MainQueue.h"
#include "platform/Paths.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

long peakRssKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

boost::json::object rect(double x, double y, double w, double h)
{
    return {{"_class", "rect"}, {"x", x}, {"y", y}, {"width", w}, {"height", h}};
}

// A layer tree of `count` leaves in groups of ten, some of them exportable.
boost::json::array layerTree(const std::string& prefix, int count)
{
    boost::json::array groups;
    for (int g = 0; g < (count + 9) / 10; ++g) {
        boost::json::array leaves;
        for (int i = 0; i < 10 && g * 10 + i < count; ++i) {
            const std::string id = prefix + "-" + std::to_string(g) + "-" + std::to_string(i);
            boost::json::array formats;
            if (i == 0) formats.push_back({{"_class", "exportFormat"}, {"fileFormat", "png"}, {"scale", 1}});
            leaves.push_back({{"_class", "rectangle"},
                              {"do_objectID", id},
                              {"name", "Layer " + id},
                              {"isVisible", true},
                              {"frame", rect(i * 3.5, i * 2.25, 40.04, 20.06)},
                              {"exportOptions", {{"_class", "exportOptions"}, {"exportFormats", formats}}},
                              {"style", {{"_class", "style"}, {"fills", boost::json::array{{{"_class", "fill"}, {"isEnabled", true}}}}}},
                              {"layers", boost::json::array()}});
        }
        groups.push_back({{"_class", "group"},
                          {"do_objectID", prefix + "-g" + std::to_string(g)},
                          {"name", "Group"},
                          {"isVisible", true},
                          {"frame", rect(g, g, 400, 400)},
                          {"layers", std::move(leaves)}});
    }
    return groups;
}

struct Document {
    QString path;
    qint64 jsonBytes = 0;
    std::vector<std::string> chosen;
};

// `pages` pages, each with 20 artboards and 20 symbol masters of `layersPerItem` layers.
Document makeDocument(const QString& folder, int pages, int layersPerItem)
{
    Document doc;
    doc.path = QDir(folder).filePath(QStringLiteral("large.sketch"));
    std::vector<std::pair<QString, QByteArray>> entries;
    for (int p = 0; p < pages; ++p) {
        boost::json::array layers;
        for (int a = 0; a < 20; ++a) {
            const std::string id = "A" + std::to_string(p) + "-" + std::to_string(a);
            if (a < 2) doc.chosen.push_back(id);
            layers.push_back({{"_class", "artboard"}, {"do_objectID", id}, {"name", "Artboard " + id}, {"isVisible", true},
                              {"frame", rect(a * 400, 0, 375, 812)}, {"layers", layerTree(id, layersPerItem)}});
            const std::string master = "M" + std::to_string(p) + "-" + std::to_string(a);
            layers.push_back({{"_class", "symbolMaster"}, {"do_objectID", master}, {"symbolID", "S" + master},
                              {"name", "Master " + master}, {"isVisible", true}, {"frame", rect(a * 400, 2000, 100, 100)},
                              {"layers", layerTree(master, layersPerItem)}});
        }
        const std::string text = *platform::jsonText(boost::json::object{{"_class", "page"}, {"layers", std::move(layers)}});
        doc.jsonBytes += static_cast<qint64>(text.size());
        entries.emplace_back(QStringLiteral("pages/%1.json").arg(p), QByteArray::fromStdString(text));
    }
    const QByteArray document = R"({"_class":"document","layerStyles":{"_class":"sharedStyleContainer","objects":[]}})";
    doc.jsonBytes += document.size();
    entries.emplace_back(QStringLiteral("document.json"), document);
    QString error;
    platform::zipEntries(doc.path, entries, &error);
    return doc;
}

void BM_LoadSketchDocument(benchmark::State& state)
{
    QTemporaryDir dir;
    platform::overrideUserLibraryDirectory(QDir(dir.path()).filePath(QStringLiteral("Library")));
    // Made in a child process, so that building it does not raise this process's peak.
    const pid_t child = fork();
    if (child == 0) {
        const Document made = makeDocument(dir.path(), 4, static_cast<int>(state.range(0)));
        QFile size(QDir(dir.path()).filePath(QStringLiteral("size")));
        if (size.open(QIODevice::WriteOnly)) size.write(QByteArray::number(made.jsonBytes));
        size.close();
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    Document doc;
    doc.path = QDir(dir.path()).filePath(QStringLiteral("large.sketch"));
    for (int p = 0; p < 4; ++p) {
        doc.chosen.push_back("A" + std::to_string(p) + "-0");
        doc.chosen.push_back("A" + std::to_string(p) + "-1");
    }
    QFile size(QDir(dir.path()).filePath(QStringLiteral("size")));
    if (size.open(QIODevice::ReadOnly)) doc.jsonBytes = size.readAll().toLongLong();
    const long before = peakRssKb();
    std::size_t masters = 0;
    for (auto _ : state) {
        SketchImporter importer;
        SketchExportInfoDocument info;
        info.sketchFilePath = doc.path.toStdString();
        info.artboardIds = doc.chosen;
        importer.pluginExportInfo = info;
        bool done = false;
        importer.loadSketchDocument([&](SketchImporter::LoadResult& result) {
            masters = result.symbolMasters.size();
            for (auto& artboard : result.selectedArtboards) benchmark::DoNotOptimize(importer.analyzeExportables(*artboard, ""));
            done = true;
        });
        platform::runMainLoopUntil([&] { return done; }, 600000);
    }
    state.counters["json_MB"] = static_cast<double>(doc.jsonBytes) / 1e6;
    state.counters["peak_rise_MB"] = static_cast<double>(peakRssKb() - before) / 1e3;
    state.counters["peak_rise_per_json"] = static_cast<double>(peakRssKb() - before) * 1e3 / static_cast<double>(doc.jsonBytes);
    state.counters["masters"] = static_cast<double>(masters);
    platform::clearUserLibraryOverride();
}
BENCHMARK(BM_LoadSketchDocument)->Arg(50)->Arg(200)->Arg(800)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
