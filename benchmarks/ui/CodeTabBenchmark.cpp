// The editor's code tab filled from a generated code tree, as a new artboard detail fills it, and
// its file menu shown once: a deep tree (every folder with `fanOut` sub-folders, `depth` levels)
// and a wide one (one folder of many files). The selected file path names no file, so the search
// for it walks the whole tree. Sizes are reported with the times (folders, files).
//
// Then one generated file opened and painted in a shown tab: the Swift screen of three views the
// service makes for a small artboard, and larger files in two shapes, one line and lines of 21
// bytes: 250 kB, still highlighted, and 10 and 40 MB. Besides the time, each file is opened once more in a fresh process of this
// program, which reports how far the resident memory peaked over what it held before the file
// was shown (peakGrowthMB, and growthPerByte: that peak over the file's size).

#include "CodePreferences/ui/MainEditorCodeViewController.h"
#include "Editor/DirectoryDTO.h"
#include "Projects/ProjectContainerModel.h"

#include "OffscreenBenchmark.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

enum class Shape { threeViewScreen, oneLine, shortLines };

// What the service generates for a screen of a title, an image and a button.
std::string threeViewScreen()
{
    std::string declarations, body;
    const struct {
        const char* name;
        const char* cls;
        const char* frame;
    } views[] = {{"titleLabel", "UILabel", "x: 16.0, y: 40.0, width: 343.0, height: 24.0"},
                 {"heroImage", "UIImageView", "x: 0.0, y: 80.0, width: 375.0, height: 220.0"},
                 {"doneButton", "UIButton", "x: 16.0, y: 600.0, width: 343.0, height: 44.0"}};
    for (const auto& v : views) {
        declarations += std::string("    private let ") + v.name + " = " + v.cls + "()\n";
        body += std::string("        ") + v.name + ".frame = CGRect(" + v.frame + ")\n";
        body += std::string("        view.addSubview(") + v.name + ")\n";
    }
    return "import UIKit\n\nfinal class HomeViewController: UIViewController {\n" + declarations +
           "\n    override func viewDidLoad() {\n        super.viewDidLoad()\n" + body + "    }\n}\n";
}

std::string fileOfShape(Shape shape, std::size_t bytes)
{
    if (shape == Shape::threeViewScreen) return threeViewScreen();
    std::string content;
    content.reserve(bytes + 64);
    if (shape == Shape::oneLine) {
        std::string screen = threeViewScreen();
        for (char& c : screen) c = c == '\n' ? ' ' : c;
        while (content.size() < bytes) content += screen;
    } else {
        char line[32];
        for (int i = 0; content.size() < bytes; ++i) {
            std::snprintf(line, sizeof line, "let view%07d = 12\n", i % 10'000'000); // 21 bytes
            content += line;
        }
    }
    content.resize(bytes);
    return content;
}

// A shown code tab whose container selects one file of the given shape.
struct OpenTab {
    std::unique_ptr<MainEditorCodeViewController> code{MainEditorCodeViewController::instantiate()};
    std::shared_ptr<FileDTO> file = std::make_shared<FileDTO>();

    OpenTab(Shape shape, std::size_t bytes)
    {
        file->path = "HomeViewController.swift";
        file->absolutePath = "/" + file->path;
        file->fileExtension = "swift";
        file->content = fileOfShape(shape, bytes);
        auto container = std::make_shared<ProjectContainerModel>();
        container->codeDirectory = std::make_shared<DirectoryDTO>();
        container->codeDirectory->files.push_back(file);
        container->selectedCodeFilePath = file->absolutePath;
        code->projectContainer = container;
        code->resize(1000, 700);
        code->show();
        QCoreApplication::processEvents();
    }

    // Opens the file as a new detail does and paints what the user then sees.
    void open()
    {
        code->updateUIForScreenData();
        benchmark::DoNotOptimize(code->grab());
        QCoreApplication::processEvents();
    }
};

// A line "Name: N kB" of this process's status.
double statusKilobytes(const char* name)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    const QByteArray key = QByteArray(name) + ':';
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key)) return line.mid(key.size()).trimmed().split(' ').front().toDouble();
    return 0;
}

constexpr const char* kPeakOption = "--peak-of=";

// Run in a fresh process: the bytes by which the resident memory peaked while the file opened.
int reportPeakGrowth(Shape shape, std::size_t bytes)
{
    OpenTab tab(shape, bytes);
    const double before = statusKilobytes("VmRSS");
    // Lets the peak start from what the process holds now (Linux 4.0 and later).
    if (std::FILE* refs = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", refs);
        std::fclose(refs);
    }
    tab.open();
    std::printf("%.0f\n", (statusKilobytes("VmHWM") - before) * 1024.0);
    return 0;
}

double peakGrowthInFreshProcess(Shape shape, std::size_t bytes)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QString::fromLatin1(kPeakOption) + QString::number(static_cast<int>(shape)) + QLatin1Char(':') +
                 QString::number(bytes)});
    if (!child.waitForFinished(600'000)) return -1;
    return child.readAllStandardOutput().trimmed().toDouble();
}

void openFile(benchmark::State& state, Shape shape, std::size_t bytes)
{
    OpenTab tab(shape, bytes);
    for (auto _ : state) tab.open();
    const std::string& content = tab.file->content;
    const double growth = peakGrowthInFreshProcess(shape, bytes);
    state.counters["bytes"] = static_cast<double>(content.size());
    state.counters["lines"] = static_cast<double>(std::count(content.begin(), content.end(), '\n') + 1);
    state.counters["peakGrowthMB"] = growth / 1e6;
    state.counters["growthPerByte"] = growth / static_cast<double>(content.size());
}

void BM_codeTabOpenThreeViewScreen(benchmark::State& state)
{
    openFile(state, Shape::threeViewScreen, 0);
}
BENCHMARK(BM_codeTabOpenThreeViewScreen)->Unit(benchmark::kMillisecond);

void BM_codeTabOpenOneLine(benchmark::State& state)
{
    openFile(state, Shape::oneLine, static_cast<std::size_t>(state.range(0)) * 1000);
}
BENCHMARK(BM_codeTabOpenOneLine)->ArgName("kB")->Arg(250)->Arg(10'000)->Arg(40'000)->Unit(benchmark::kMillisecond);

void BM_codeTabOpenShortLines(benchmark::State& state)
{
    openFile(state, Shape::shortLines, static_cast<std::size_t>(state.range(0)) * 1000);
}
BENCHMARK(BM_codeTabOpenShortLines)->ArgName("kB")->Arg(250)->Arg(10'000)->Arg(40'000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // Menus need a widget application; no display is needed to fill them.
    offscreenbenchmark::useQuietOffscreenPlatform();
    QApplication app(argc, argv);
    if (argc == 2 && std::strncmp(argv[1], kPeakOption, std::strlen(kPeakOption)) == 0) {
        const QList<QByteArray> shapeAndBytes = QByteArray(argv[1] + std::strlen(kPeakOption)).split(':');
        if (shapeAndBytes.size() != 2) return 1;
        return reportPeakGrowth(static_cast<Shape>(shapeAndBytes[0].toInt()), shapeAndBytes[1].toULongLong());
    }
    return offscreenbenchmark::runRegistered(argc, argv);
}
