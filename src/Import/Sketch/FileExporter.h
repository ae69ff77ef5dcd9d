#pragma once

#include "Import/Plugin/FileFormats.h"
#include "Import/Sketch/DesignDocument.h"
#include "Import/Sketch/SketchElements.h"
#include "Import/Sketch/SketchExportFormatItemModel.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <string>

// Cuts previews and exportable images out of the stored copy of a Sketch document with Sketch's
// command-line tool. A cut counts as done only when the tool exited with status 0 and the file it
// was asked for exists: the file is removed before each cut, so a file left by an earlier run is
// never taken for this one, and the file must be of the format asked for (by its signature), as a
// cut the tool did not finish within the time limit fails. Tools run as child processes through
// the platform's process runner, which caps how many run at once, tagged with the document's
// process group; every handler is called once, later, on the main thread.
class FileExporter {
public:
    using SuccessHandler = std::function<void(const QString& filePath)>;
    // Why the cut failed, as the user should read it.
    using FailureHandler = std::function<void(const QString& reason)>;

    static FileExporter& instance();

    // A cut of a large document takes seconds; one that runs for minutes is hung.
    static constexpr int kDefaultCutTimeLimitMs = 5 * 60 * 1000;
    static void setCutTimeLimitMs(int milliseconds); // for tests and the import driver
    static int cutTimeLimitMs();

    // The runner. `withFileName` empty lets the tool name the file; the handler is then given
    // `fileName` with the extension in `output`.
    static void exportAssetFile(const DesignDocument& at, SketchElements type, const std::string& itemId,
                                const std::string& fileName, const QString& output,
                                const std::optional<SketchExportFormatItemModel>& exportFormat,
                                const std::string& customFormat, const std::string& scales,
                                const std::string& withFileName, const std::optional<std::string>& sketchToolPath,
                                SuccessHandler successHandler, FailureHandler failureHandler);

    // The same into folderPath/"exportables"/"images"/artboardObjectId/itemId with the tool's own
    // file name: the road of artboard previews.
    static void exportAssetFile(const DesignDocument& at, SketchElements type, const std::string& artboardObjectId,
                                const std::string& itemId, const std::string& fileName,
                                const std::optional<SketchExportFormatItemModel>& exportFormat,
                                const std::string& customFormat, const std::string& customScale,
                                const std::optional<std::string>& sketchToolPath, SuccessHandler successHandler,
                                FailureHandler failureHandler);

    // One exportable image at one format and scale, into customImageFolder/fileName."imageset",
    // named fileName plus the scale's suffix.
    void exportAssetForServer(const std::string& fileName, const std::string& itemId, FileFormats format,
                              const DesignDocument& at, const QString& customImageFolder,
                              const std::optional<std::string>& sketchToolPath, double scale,
                              SuccessHandler successHandler, FailureHandler failureHandler);

    // The text of the tool's scale option: "" for vector formats, "1.5" for 1.5, otherwise the
    // integer part followed by ".0".
    static std::string getExportScaleString(FileFormats format, double scale);

    // The file name suffix of a scale: none for 1 and -1, "@1x" for 1.5, otherwise "@<integer part>x".
    static std::string fileNameSuffix(double scale);

    // The tool's argument list for one cut (empty withFileName and scaleText leave their options out).
    static QStringList exportArguments(const DesignDocument& at, SketchElements type, const std::string& itemId,
                                       const QString& output, const std::string& format, const std::string& scaleText,
                                       const std::string& withFileName);

private:
    FileExporter() = default;
};
