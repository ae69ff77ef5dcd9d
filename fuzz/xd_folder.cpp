// The readers of the Adobe XD plug-in's data folder, laid out as the plug-in writes it and read
// in the order an upload reads it: the artboard's layer JSON and the node readers on it, its
// preview and exportable images, the symbol masters' JSON and their image folders (whose names
// come from that JSON).
//
// Input parts ("\n@@\n"): artboard JSON, symbol masters JSON, an image file's name, its bytes.

#include "Import/Plugin/AdobeXDDesignImportHelper.h"
#include "Import/Plugin/AdobeXDExportUtils.h"
#include "Import/Sketch/JsonSerialization.h"
#include "support/FuzzSupport.h"

#include <QDir>

namespace {

const std::string kId = "artboard-1";

// Every node's name looked up by its own id, as the image records do, bounded in count.
void lookUpNames(const boost::json::object& root, const boost::json::object& node, int& budget)
{
    if (--budget < 0) return;
    (void)AdobeXDExportUtils::getNodeName(root, AdobeXDExportUtils::getNodeGuid(node));
    (void)AdobeXDExportUtils::getNodeFrame(node);
    (void)AdobeXDExportUtils::getNodeVisible(node);
    (void)AdobeXDExportUtils::getNodeSymbolId(node);
    for (const auto& child : AdobeXDExportUtils::getNodeChildren(node)) {
        if (const auto* object = child.if_object()) lookUpNames(root, *object, budget);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::initialise(true);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::initialise(true);
    const auto parts = fuzz::splitParts(fuzz::view(data, size), 4);
    static const QString root = QDir(fuzz::scratchDir()).filePath(QStringLiteral("xd"));
    const QString id = QString::fromStdString(kId);
    const QString artboardFolder = root + QLatin1Char('/') + id;
    const QString mastersFolder = root + QLatin1Char('/') + AdobeXDDesignImportHelper::kSymbolMastersFolder;
    fuzz::resetFolder(root);
    QDir().mkpath(artboardFolder);
    QDir().mkpath(mastersFolder);
    fuzz::writeFile(artboardFolder + QLatin1Char('/') + id + QStringLiteral(".json"), parts[0]);
    if (parts.size() > 1)
        fuzz::writeFile(mastersFolder + QLatin1Char('/') + AdobeXDDesignImportHelper::kSymbolMastersFolder
                            + QStringLiteral(".json"),
                        parts[1]);
    if (parts.size() > 3) {
        // The file name keeps to one plain component; the bytes go to the preview and the image.
        QString name = QString::fromUtf8(parts[2].data(), static_cast<qsizetype>(parts[2].size()));
        name.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QChar(0), QLatin1Char('_'));
        if (AdobeXDDesignImportHelper::isPlainFolderName(name.toStdString()))
            fuzz::writeFile(artboardFolder + QLatin1Char('/') + name, parts[3]);
        fuzz::writeFile(artboardFolder + QLatin1Char('/') + id + QStringLiteral(".png"), parts[3]);
    }

    for (const std::string& artboardId : AdobeXDDesignImportHelper::getArtboards(root)) {
        if (artboardId != kId) __builtin_trap(); // the masters' folder is never an artboard
    }
    if (const auto dict = AdobeXDDesignImportHelper::getJsonDict(artboardFolder + QLatin1Char('/') + id
                                                                 + QStringLiteral(".json"))) {
        (void)JsonSerialization::dataUTF8String(*dict);
        int budget = 64;
        lookUpNames(*dict, *dict, budget);
        (void)AdobeXDDesignImportHelper::getArtboardPreview(root, kId, "1", "png");
        for (const std::string platform : {"iOS", "Android"})
            (void)AdobeXDDesignImportHelper::getArtboardExportables(root, kId, *dict, "project", "1.0", platform);
    }
    if (const auto masters = AdobeXDDesignImportHelper::getJsonArray(
            mastersFolder + QLatin1Char('/') + AdobeXDDesignImportHelper::kSymbolMastersFolder + QStringLiteral(".json"))) {
        for (const auto& master : AdobeXDDesignImportHelper::getSymbolMasters(*masters)) {
            // A master's id names a folder below the masters' folder, never anything else.
            const QStringList paths =
                AdobeXDDesignImportHelper::getSymbolMasterExportablesPath(master.symbolID, root, "iOS");
            for (const QString& path : paths) {
                if (!QDir::cleanPath(path).startsWith(mastersFolder + QLatin1Char('/'))) __builtin_trap();
            }
            (void)AdobeXDDesignImportHelper::getSymbolMastersExportables(root, master, "project", "1.0", "iOS");
        }
    }
    return 0;
}
