#pragma once

#include "Import/Plugin/IDesignImporter.h"
#include "Import/Plugin/ResourceUploadRequest.h"
#include "Import/Plugin/SymbolMasterExportInfo.h"
#include "platform/JsonText.h"

#include <boost/json.hpp>

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class AdobeXDUploadRun;

// The importer of what the Adobe XD plug-in writes into its data folder: one folder per artboard
// (layer JSON, preview, images) and a "symbol_masters" folder. Before the project selection it
// finds the folder and lists the artboards; on the progress screen it uploads them through an
// AdobeXDUploadRun. The static readers below own the folder layout.
class AdobeXDDesignImportHelper : public IDesignImporter {
public:
    static AdobeXDDesignImportHelper& importer();

    // Artboard ids found by the last doBeforeProjectSelection; nullopt when the folder was missing.
    std::optional<std::vector<std::string>> artboardIds;
    // The version every XD request carries.
    static inline const std::string appVersion = "1.0";
    // The plug-in data folder found by the last doBeforeProjectSelection.
    std::optional<QString> pluginMainURL;

    // IDesignImporter. The file name is not used: the export lies in the plug-in's folder.
    bool doBeforeProjectSelection(const std::string& fileName) override;
    void processDesignFile(const std::string& projectId, const std::string& platform, bool shouldUploadDesign,
                           ProgressCompletion exportCompletion, ProgressCompletion stepCompletion,
                           std::function<void()> cancelCompletion,
                           std::function<void(const UploadFailure&)> failureCompletion) override;
    std::vector<std::string> getArtboardIds() const override;
    MixPanelEventCode getEventCode() const override;
    // What the last run left out.
    std::vector<UploadFailure> uploadWarnings() const override;

    // The plug-in data folder, or nullopt after telling the user that it is missing.
    std::optional<QString> getPluginMainURL();
    void checkAndLoadPluginArtboardInfo();
    // The run started by the last processDesignFile (for the progress screen and tests).
    std::shared_ptr<AdobeXDUploadRun> currentRun() const { return m_currentRun; }

    // ---- Records ----
    // The artboard's preview <root>/<id>/<id>.<extensionType> as a PNG upload record, or nullopt
    // when it is not a regular file that reads as an image.
    static std::optional<ResourceUploadRequest> getArtboardPreview(const QString& root, const std::string& artboardId,
                                                                   const std::string& scale,
                                                                   const std::string& extensionType);
    static std::vector<ResourceUploadRequest> getArtboardExportables(const QString& root, const std::string& artboardId,
                                                                     const boost::json::object& artboardDict,
                                                                     const std::string& projectId,
                                                                     const std::string& appVersion,
                                                                     const std::string& platform,
                                                                     std::vector<UploadFailure>* skipped = nullptr);
    static std::vector<ResourceUploadRequest> getSymbolMastersExportables(const QString& root,
                                                                          const SymbolMasterExportInfo& symbolMaster,
                                                                          const std::string& projectId,
                                                                          const std::string& appVersion,
                                                                          const std::string& platform,
                                                                          std::vector<UploadFailure>* skipped = nullptr);
    static std::vector<SymbolMasterExportInfo> getSymbolMasters(const boost::json::array& symbolMasters);

    // ---- Folder readers ----
    // The root's entries less ".DS_Store" and "symbol_masters", by name.
    static std::vector<std::string> getArtboards(const QString& root);
    static QStringList getArtboardExportablesPath(const std::string& artboardId, const QString& root,
                                                  const std::string& platform);
    // Empty for a symbol id that is not a plain folder name (see isPlainFolderName).
    static QStringList getSymbolMasterExportablesPath(const std::string& symbolId, const QString& root,
                                                      const std::string& platform);
    // The file parsed as JSON of the given kind; nullopt with `problem` (why, for the user) otherwise.
    static std::optional<boost::json::value> readJsonFile(const QString& path, QString* problem = nullptr);
    static std::optional<boost::json::object> getJsonDict(const QString& path, QString* problem = nullptr);
    static std::optional<boost::json::array> getJsonArray(const QString& path, QString* problem = nullptr);
    // (layer id, scale) of an image file name: "logo@2x.png" -> (logo, 2), "logo.png" -> (logo, 1).
    // nullopt for names outside that form ("@2x.png", "logo@", "logo@x.png").
    static std::optional<std::pair<std::string, std::string>> getOidAndScaleFromPath(const QString& path);

    // Names taken from the plug-in's JSON become folder names only when they are one non-empty
    // path component other than "." and "..".
    static bool isPlainFolderName(std::string_view name);
    // A real folder (not a link to one).
    static bool isRealDirectory(const QString& path);
    // A regular file (not a link, folder or device).
    static bool isRegularFile(const QString& path);

    static inline const QString kSymbolMastersFolder = QStringLiteral("symbol_masters");

    // What one export may hold. Layer JSON of very large artboards runs to tens of megabytes;
    // images are single files.
    static constexpr qint64 kMaxJsonFileBytes = 256LL * 1024 * 1024;
    static constexpr qint64 kMaxImageFileBytes = 256LL * 1024 * 1024;
    static constexpr unsigned kMaxJsonDepth = platform::kDefaultMaxJsonDepth;

private:
    AdobeXDDesignImportHelper() = default;
    static QStringList imageFilesIn(const QString& folder, const QString& id, const std::string& platform);
    // One upload record per readable image file whose name holds a layer id; the image name is
    // asked of `imageName` once the rest of the record is filled in.
    static std::vector<ResourceUploadRequest> imageRecords(
        const QStringList& paths, const std::string& artboardId, const std::string& projectId,
        const std::string& appVersion, const std::function<std::string(const ResourceUploadRequest&)>& imageName,
        std::vector<UploadFailure>* skipped);
    // A cheap look for anything the plug-in exported (an artboard JSON file or the masters file).
    bool hasAnythingToImport() const;

    std::shared_ptr<AdobeXDUploadRun> m_currentRun;
};
