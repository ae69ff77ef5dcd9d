// The editor's code tab filled from a generated code tree, as a new artboard detail fills it, and
// its file menu shown once: a deep tree (every folder with `fanOut` sub-folders, `depth` levels)
// and a wide one (one folder of many files). The selected file path names no file, so the search
// for it walks the whole tree. Sizes are reported with the times (folders, files).

#include "CodePreferences/ui/MainEditorCodeViewController.h"
#include "Editor/DirectoryDTO.h"
#include "Projects/ProjectContainerModel.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMenu>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

struct Counts {
    double folders = 0;
    double files = 0;
};

std::shared_ptr<FileDTO> file(const std::string& path)
{
    auto f = std::make_shared<FileDTO>();
    f->path = path;
    f->absolutePath = "/" + path;
    f->fileExtension = "swift";
    f->content = "class A {}";
    return f;
}

std::shared_ptr<DirectoryDTO> deepTree(int depth, int fanOut, Counts& counts, const std::string& name = "root")
{
    auto directory = std::make_shared<DirectoryDTO>();
    directory->name = name;
    ++counts.folders;
    directory->files.push_back(file(name + "/File.swift"));
    ++counts.files;
    if (depth == 0) return directory;
    for (int i = 0; i < fanOut; ++i)
        directory->directories.push_back(deepTree(depth - 1, fanOut, counts, name + "/" + std::to_string(i)));
    return directory;
}

std::shared_ptr<DirectoryDTO> wideTree(int files, Counts& counts)
{
    auto directory = std::make_shared<DirectoryDTO>();
    directory->name = "root";
    ++counts.folders;
    for (int i = 0; i < files; ++i) directory->files.push_back(file("File" + std::to_string(i) + ".swift"));
    counts.files += files;
    return directory;
}

void fillAndShow(benchmark::State& state, const std::shared_ptr<DirectoryDTO>& tree, const Counts& counts)
{
    std::unique_ptr<MainEditorCodeViewController> code(MainEditorCodeViewController::instantiate());
    auto container = std::make_shared<ProjectContainerModel>();
    container->codeDirectory = tree;
    container->selectedCodeFilePath = "/nowhere.swift";
    code->projectContainer = container;
    for (auto _ : state) {
        code->updateUIForScreenData();
        code->fileMenu()->popup(QPoint(0, 0));
        code->fileMenu()->hide();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    state.counters["folders"] = counts.folders;
    state.counters["files"] = counts.files;
    state.counters["topEntries"] = static_cast<double>(code->fileMenu()->actions().size());
}

void BM_codeTabDeepTree(benchmark::State& state)
{
    Counts counts;
    const auto tree = deepTree(static_cast<int>(state.range(0)), 4, counts);
    fillAndShow(state, tree, counts);
}
BENCHMARK(BM_codeTabDeepTree)->ArgName("depth")->Arg(4)->Arg(6)->Arg(8)->Arg(10)->Unit(benchmark::kMillisecond);

void BM_codeTabWideFolder(benchmark::State& state)
{
    Counts counts;
    const auto tree = wideTree(static_cast<int>(state.range(0)), counts);
    fillAndShow(state, tree, counts);
}
BENCHMARK(BM_codeTabWideFolder)->ArgName("files")->Arg(100)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

// The offscreen platform says on every popup that it cannot raise or grab; that is no news here.
void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

int main(int argc, char** argv)
{
    // Menus need a widget application; no display is needed to fill them.
    if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(quiet);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
