#include "Import/Sketch/FileExporter.h"

#include "App/GFileManager.h"
#include "platform/DebugLog.h"
#include "platform/ImageSignature.h"
#include "platform/JsonText.h"
#include "platform/Localization.h"
#include "platform/MainQueue.h"
#include "platform/ProcessRunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>

namespace {

QString qs(const std::string& text)
{
    return QString::fromStdString(text);
}

// Names in a design document are outside input: a name like "../../x" must not lead a cut, or the
// removal of a stale file before it, out of the document's own folder.
bool liesInside(const QString& folder, const QString& path)
{
    const QString base = QDir::cleanPath(QDir(folder).absolutePath());
    const QString candidate = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    return !base.isEmpty() && candidate.startsWith(base + QLatin1Char('/'));
}

void failLater(const FileExporter::FailureHandler& failureHandler, const QString& reason)
{
    platform::debugPrint(QStringLiteral("Sketch tool cut not started: ") + reason);
    if (!failureHandler) return;
    platform::dispatchMain([failureHandler, reason] { failureHandler(reason); });
}

int& cutTimeLimit()
{
    static int limit = FileExporter::kDefaultCutTimeLimitMs;
    return limit;
}

// Whether the file's first bytes are those of the format asked for; formats we know no
// signature of pass.
bool isOfFormat(const QString& path, const std::string& format)
{
    using platform::ImageFormat;
    ImageFormat wanted = ImageFormat::unknown;
    if (format == "png") wanted = ImageFormat::png;
    else if (format == "pdf") wanted = ImageFormat::pdf;
    else if (format == "svg") wanted = ImageFormat::svg;
    else if (format == "jpg" || format == "jpeg") wanted = ImageFormat::jpeg;
    else if (format == "webp") wanted = ImageFormat::webp;
    if (wanted == ImageFormat::unknown) return true;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    if (file.size() == 0) return true; // the upload step names an empty file itself
    constexpr qint64 kHeadBytes = 8192;
    return platform::imageFormatOf(file.read(kHeadBytes)) == wanted;
}

std::string integerPart(double scale)
{
    return std::to_string(static_cast<long long>(std::trunc(scale)));
}

} // namespace

void FileExporter::setCutTimeLimitMs(int milliseconds)
{
    cutTimeLimit() = milliseconds > 0 ? milliseconds : kDefaultCutTimeLimitMs;
}

int FileExporter::cutTimeLimitMs()
{
    return cutTimeLimit();
}

FileExporter& FileExporter::instance()
{
    static FileExporter exporter;
    return exporter;
}

std::string FileExporter::getExportScaleString(FileFormats format, double scale)
{
    if (format != FileFormats::png) return {};
    if (scale == 1.5) return "1.5";
    return integerPart(scale) + ".0";
}

std::string FileExporter::fileNameSuffix(double scale)
{
    if (scale == 1.0 || scale == -1.0) return {};
    if (scale == 1.5) return "@1x";
    return "@" + integerPart(scale) + "x";
}

QStringList FileExporter::exportArguments(const DesignDocument& at, SketchElements type, const std::string& itemId,
                                          const QString& output, const std::string& format,
                                          const std::string& scaleText, const std::string& withFileName)
{
    const std::string_view typeName = sketchElementsName(type);
    QStringList arguments{
        QStringLiteral("export"),
        QString::fromLatin1(typeName.data(), static_cast<qsizetype>(typeName.size())),
        at.storedCopyPath(),
        QStringLiteral("--formats=") + qs(format),
        QStringLiteral("--output=") + output,
        QStringLiteral("--items=") + qs(itemId),
    };
    if (!withFileName.empty()) arguments << QStringLiteral("--filename=") + qs(withFileName);
    if (!scaleText.empty()) arguments << QStringLiteral("--scales=") + qs(scaleText);
    return arguments;
}

void FileExporter::exportAssetFile(const DesignDocument& at, SketchElements type, const std::string& itemId,
                                   const std::string& fileName, const QString& output,
                                   const std::optional<SketchExportFormatItemModel>& exportFormat,
                                   const std::string& customFormat, const std::string& scales,
                                   const std::string& withFileName, const std::optional<std::string>& sketchToolPath,
                                   SuccessHandler successHandler, FailureHandler failureHandler)
{
    std::string format = customFormat;
    std::string scaleText = scales;
    std::string extension = customFormat;
    if (customFormat.empty() && exportFormat) {
        format = exportFormat->fileFormat;
        scaleText = platform::decimalText(exportFormat->scale);
        extension = exportFormat->fileFormat;
    }

    const std::string name = withFileName.empty() ? fileName : withFileName;
    const QString expected =
        QDir(output).filePath(extension.empty() ? qs(name) : qs(name) + QLatin1Char('.') + qs(extension));
    if (!liesInside(at.folderPath, output)) {
        // The output folder is made of the item's id (an artboard's or an image layer's).
        failLater(failureHandler, platform::localizedFormat("sketchTool.error.unsafeName", {qs(itemId)}));
        return;
    }
    if (name.empty() || !liesInside(output, expected)) {
        failLater(failureHandler, platform::localizedFormat("sketchTool.error.unsafeName", {qs(name)}));
        return;
    }
    if (!sketchToolPath || sketchToolPath->empty()) {
        failLater(failureHandler, platform::localized("sketchTool.error.noTool"));
        return;
    }
    const QFileInfo stale(expected);
    if ((stale.exists() || stale.isSymLink()) && !GFileManager::deleteFile(expected)) {
        failLater(failureHandler, platform::localizedFormat("sketchTool.error.staleFile", {expected}));
        return;
    }

    const QStringList arguments = exportArguments(at, type, itemId, output, format, scaleText, withFileName);
    const QString tool = qs(*sketchToolPath);
    platform::LaunchOptions options;
    options.timeLimitMs = cutTimeLimit();
    options.group = at.processGroup;
    platform::ProcessRunner::shared().launch(
        tool, arguments,
        [expected, arguments, format, limitMs = options.timeLimitMs, successHandler = std::move(successHandler),
         failureHandler = std::move(failureHandler)](const platform::ProcessResult& result) {
            QString reason;
            if (result.cancelled) {
                reason = platform::localized("sketchTool.error.signal");
            } else if (result.timedOut) {
                platform::debugPrint(QStringLiteral("Sketch tool did not finish in time: ") + arguments.join(QLatin1Char(' ')));
                reason = platform::localizedFormat("sketchTool.error.timeout", {QString::number(limitMs / 1000)});
            } else if (!result.launched) {
                platform::debugPrint(result.errorString);
                reason = platform::localizedFormat("sketchTool.error.launch", {result.errorString});
            } else if (result.crashed) {
                platform::debugPrint(QStringLiteral("Sketch tool ended by a signal: ") + arguments.join(QLatin1Char(' ')));
                reason = platform::localized("sketchTool.error.signal");
            } else if (result.exitCode != 0) {
                platform::debugPrint(QStringLiteral("Sketch tool exited with status ") + QString::number(result.exitCode)
                                     + QStringLiteral(": ") + arguments.join(QLatin1Char(' ')));
                reason = platform::localizedFormat("sketchTool.error.status", {QString::number(result.exitCode)});
            } else if (!QFileInfo(expected).isFile()) {
                platform::debugPrint(QStringLiteral("Sketch tool exited with status 0 but wrote no ") + expected);
                reason = platform::localized("sketchTool.error.noFile");
            } else if (!isOfFormat(expected, format)) {
                platform::debugPrint(QStringLiteral("Sketch tool wrote a file that is not ") + qs(format) + QStringLiteral(": ")
                                     + expected);
                reason = platform::localizedFormat("sketchTool.error.wrongFormat", {qs(format).toUpper()});
            } else {
                if (successHandler) successHandler(expected);
                return;
            }
            if (failureHandler) failureHandler(reason);
        },
        options);
}

void FileExporter::exportAssetFile(const DesignDocument& at, SketchElements type, const std::string& artboardObjectId,
                                   const std::string& itemId, const std::string& fileName,
                                   const std::optional<SketchExportFormatItemModel>& exportFormat,
                                   const std::string& customFormat, const std::string& customScale,
                                   const std::optional<std::string>& sketchToolPath, SuccessHandler successHandler,
                                   FailureHandler failureHandler)
{
    const QString output = QDir(at.folderPath).filePath(QStringLiteral("exportables/images/") + qs(artboardObjectId)
                                                        + QLatin1Char('/') + qs(itemId));
    exportAssetFile(at, type, itemId, fileName, output, exportFormat, customFormat, customScale, std::string(),
                    sketchToolPath, std::move(successHandler), std::move(failureHandler));
}

void FileExporter::exportAssetForServer(const std::string& fileName, const std::string& itemId, FileFormats format,
                                        const DesignDocument& at, const QString& customImageFolder,
                                        const std::optional<std::string>& sketchToolPath, double scale,
                                        SuccessHandler successHandler, FailureHandler failureHandler)
{
    const QString output = QDir(customImageFolder).filePath(qs(fileName) + QStringLiteral(".imageset"));
    // The folder is made before the tool runs, so it must be checked before anything is created.
    if (fileName.empty() || !liesInside(at.folderPath, output)) {
        failLater(failureHandler, platform::localizedFormat("sketchTool.error.unsafeName", {qs(fileName)}));
        return;
    }
    GFileManager::createDirectory(output);
    exportAssetFile(at, SketchElements::layers, itemId, fileName, output, std::nullopt, std::string(fileFormatRawValue(format)),
                    getExportScaleString(format, scale), fileName + fileNameSuffix(scale), sketchToolPath,
                    std::move(successHandler), std::move(failureHandler));
}
