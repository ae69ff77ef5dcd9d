// Writes the ".zvusk" export file of a Sketch document with every artboard chosen, in page and
// layer order, naming a Sketch command-line tool (by default the stand-in one of this build).
// Not part of the shipped application: a person without Sketch and its plug-in uses it to hand
// a document to the application ("scripts/run DOCUMENT.sketch" runs it).

#include "platform/Archive.h"
#include "platform/JsonText.h"
#include "platform/PropertyList.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "zvusk-writer: %s\n", message.toLocal8Bit().constData());
    return 1;
}

std::optional<boost::json::object> readObject(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = f.readAll();
    return platform::parseJsonObject(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

std::string text(const boost::json::object& o, std::string_view key)
{
    const auto* v = o.if_contains(key);
    return v && v->is_string() ? std::string(v->get_string()) : std::string();
}

// The page files in the document's own order ("pages" references of document.json), then any
// page file it does not name, by file name.
QStringList pageFiles(const QDir& root)
{
    QStringList files;
    if (const auto document = readObject(root.filePath(QStringLiteral("document.json")))) {
        if (const auto* pages = document->if_contains("pages"); pages && pages->is_array()) {
            for (const auto& p : pages->get_array()) {
                const std::string ref = p.is_object() ? text(p.get_object(), "_ref") : std::string();
                if (ref.empty()) continue;
                QString file = QString::fromStdString(ref);
                if (!file.endsWith(QLatin1String(".json"))) file += QStringLiteral(".json");
                if (QFileInfo(root.filePath(file)).isFile() && !files.contains(file)) files << file;
            }
        }
    }
    const QStringList all = QDir(root.filePath(QStringLiteral("pages"))).entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
    for (const QString& name : all) {
        const QString file = QStringLiteral("pages/") + name;
        if (!files.contains(file)) files << file;
    }
    return files;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zvusk-writer"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes a .zvusk export file choosing every artboard of a Sketch document."));
    parser.addHelpOption();
#ifdef QUORVEX_SKETCHTOOL_STANDIN_PATH
    const QString defaultTool = QStringLiteral(QUORVEX_SKETCHTOOL_STANDIN_PATH);
#else
    const QString defaultTool;
#endif
    const QCommandLineOption toolOption(QStringLiteral("tool"), QStringLiteral("Sketch's command-line tool."),
                                        QStringLiteral("PATH"), defaultTool);
    const QCommandLineOption versionOption(QStringLiteral("version"), QStringLiteral("The export's version text."),
                                           QStringLiteral("TEXT"), QStringLiteral("7.1"));
    const QCommandLineOption outputOption(QStringLiteral("output"), QStringLiteral("The file to write (default: beside the document)."),
                                          QStringLiteral("FILE"));
    parser.addOptions({toolOption, versionOption, outputOption});
    parser.addPositionalArgument(QStringLiteral("DOCUMENT"), QStringLiteral("The Sketch document."));
    parser.process(app);
    if (parser.positionalArguments().size() != 1) return fail(QStringLiteral("give one Sketch document"));

    const QFileInfo document(parser.positionalArguments().front());
    if (!document.isFile()) return fail(QStringLiteral("no such document: ") + document.filePath());
    const QString tool = parser.value(toolOption);
    if (tool.isEmpty()) return fail(QStringLiteral("no Sketch tool: pass --tool PATH"));

    QTemporaryDir unpacked;
    QString error;
    if (!unpacked.isValid() || !platform::unzipArchive(document.absoluteFilePath(), unpacked.path(), &error))
        return fail(QStringLiteral("cannot unpack the document: ") + error);

    boost::json::array ids, names;
    const QDir root(unpacked.path());
    for (const QString& file : pageFiles(root)) {
        const auto page = readObject(root.filePath(file));
        const auto* layers = page ? page->if_contains("layers") : nullptr;
        if (!layers || !layers->is_array()) continue;
        for (const auto& l : layers->get_array()) {
            if (!l.is_object() || text(l.get_object(), "_class") != "artboard") continue;
            ids.emplace_back(text(l.get_object(), "do_objectID"));
            names.emplace_back(text(l.get_object(), "name"));
        }
    }
    if (ids.empty()) return fail(QStringLiteral("the document holds no artboard"));

    QString output = parser.value(outputOption);
    if (output.isEmpty()) output = document.absolutePath() + QLatin1Char('/') + document.completeBaseName() + QStringLiteral(".zvusk");
    const boost::json::object plist{{"sketchFilePath", document.absoluteFilePath().toStdString()},
                                    {"artboardIds", ids},
                                    {"artboardNames", names},
                                    {"version", parser.value(versionOption).toStdString()},
                                    {"sketchtoolPath", QFileInfo(tool).absoluteFilePath().toStdString()}};
    if (!platform::writePropertyList(output, plist, platform::PropertyListFormat::Xml, &error))
        return fail(QStringLiteral("cannot write ") + output + QStringLiteral(": ") + error);
    std::printf("%s\n", QFileInfo(output).absoluteFilePath().toLocal8Bit().constData());
    return 0;
}
