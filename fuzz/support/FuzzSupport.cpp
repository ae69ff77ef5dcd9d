#include "support/FuzzSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

namespace fuzz {

namespace {

int g_argc = 1;
char g_programName[] = "quorvex-fuzz";
char* g_argv[] = {g_programName, nullptr};

std::unique_ptr<QTemporaryDir>& scratch()
{
    static std::unique_ptr<QTemporaryDir> dir;
    return dir;
}

} // namespace

void initialise(bool gui)
{
    if (QCoreApplication::instance()) return;
    // The scratch folder first: HOME must point into it before Qt reads the environment.
    const QString& home = scratchDir();
    qputenv("HOME", home.toUtf8());
    qputenv("XDG_DATA_HOME", QDir(home).filePath(QStringLiteral("data")).toUtf8());
    qputenv("XDG_CONFIG_HOME", QDir(home).filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_CACHE_HOME", QDir(home).filePath(QStringLiteral("cache")).toUtf8());
    QStandardPaths::setTestModeEnabled(true);
    // Harnesses log nothing worth reading at millions of runs per hour.
    qputenv("QT_LOGGING_RULES", QByteArrayLiteral("*.debug=false;*.info=false;*.warning=false"));
    if (gui) {
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
        static QGuiApplication app(g_argc, g_argv);
    } else {
        static QCoreApplication app(g_argc, g_argv);
    }
}

const QString& scratchDir()
{
    static const QString path = [] {
        auto& dir = scratch();
        dir = std::make_unique<QTemporaryDir>(QDir::temp().filePath(QStringLiteral("quorvex-fuzz-XXXXXX")));
        std::atexit([] { scratch().reset(); });
        return dir->path();
    }();
    return path;
}

bool writeFile(const QString& path, std::string_view bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    const qint64 size = static_cast<qint64>(bytes.size());
    return file.write(bytes.data(), size) == size;
}

void resetFolder(const QString& path)
{
    QDir dir(path);
    if (dir.exists()) dir.removeRecursively();
    QDir().mkpath(path);
}

std::vector<std::string_view> splitParts(std::string_view input, std::size_t maxParts)
{
    static constexpr std::string_view kSeparator = "\n@@\n";
    std::vector<std::string_view> parts;
    while (parts.size() + 1 < maxParts) {
        const std::size_t at = input.find(kSeparator);
        if (at == std::string_view::npos) break;
        parts.push_back(input.substr(0, at));
        input.remove_prefix(at + kSeparator.size());
    }
    parts.push_back(input);
    return parts;
}

} // namespace fuzz
