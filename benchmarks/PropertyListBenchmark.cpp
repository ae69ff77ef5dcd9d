// Reading export files (property lists) with many artboard ids, in both formats. A long array
// once made the conversion to JSON quadratic (100k ids took 14 s); the rows report the id count
// and the file's bytes so growth can be read off the times.

#include "platform/PropertyList.h"

#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include <string>

namespace {

QString exportFile(QTemporaryDir& dir, int ids, platform::PropertyListFormat format)
{
    boost::json::array list;
    list.reserve(static_cast<std::size_t>(ids));
    for (int i = 0; i < ids; ++i) list.emplace_back("ARTBOARD-" + std::to_string(i) + "-0000-0000-000000000000");
    boost::json::object root;
    root["sketchFilePath"] = "/Users/me/design.sketch";
    root["artboardIds"] = std::move(list);
    const QString path = dir.filePath(format == platform::PropertyListFormat::Xml ? QStringLiteral("x.zvusk")
                                                                                  : QStringLiteral("b.zvusk"));
    platform::writePropertyList(path, root, format);
    return path;
}

void readExportFile(benchmark::State& state, platform::PropertyListFormat format)
{
    QTemporaryDir dir;
    const int ids = static_cast<int>(state.range(0));
    const QString path = exportFile(dir, ids, format);
    for (auto _ : state) benchmark::DoNotOptimize(platform::readPropertyList(path));
    state.counters["ids"] = ids;
    state.counters["bytes"] = static_cast<double>(QFileInfo(path).size());
}

void BM_ReadBinaryExportFile(benchmark::State& state)
{
    readExportFile(state, platform::PropertyListFormat::Binary);
}
void BM_ReadXmlExportFile(benchmark::State& state)
{
    readExportFile(state, platform::PropertyListFormat::Xml);
}

} // namespace

BENCHMARK(BM_ReadBinaryExportFile)->Arg(10000)->Arg(100000)->Arg(300000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadXmlExportFile)->Arg(10000)->Arg(100000)->Arg(300000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
