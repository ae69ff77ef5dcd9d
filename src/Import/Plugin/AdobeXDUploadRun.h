#pragma once

#include "Base/BaseModel.h"
#include "Import/Plugin/IDesignImporter.h"
#include "Import/Plugin/ImportAllFromPluginRequest.h"
#include "Import/Plugin/ResourceUploadRequest.h"
#include "Import/Plugin/UploadProgress.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// One upload of an Adobe XD export: reads the plug-in folder, sends the import request and, once
// the service accepted it, every artboard preview and every image of the artboards and symbol
// masters at once, and counts the replies into a percentage.
//
// total = 3 x (artboards read) + (symbol masters read). The accepted import counts one step per
// artboard, each preview reply one, and each artboard or master one more once all its image
// replies are in (at once when it has none). The report that reaches 100 goes through the step
// closure, which finishes the upload, and only then is the export deleted: the folder of every
// listed artboard, read or not, and the symbol masters' folder.
// The first refused or failed request ends the run with the failure closure; the plug-in's
// folders stay so the export can be uploaded again, and later replies are ignored.
// What cannot be read (an artboard's layer file, an image) is left out and named: in the run's
// warnings once it finished, or in the refusal when nothing is left to send.
//
// The run keeps itself alive through the reply closures it hands to the service client.
class AdobeXDUploadRun : public std::enable_shared_from_this<AdobeXDUploadRun> {
public:
    struct Completions {
        ProgressCompletion exportCompletion;
        ProgressCompletion stepCompletion;
        std::function<void(const UploadFailure&)> failureCompletion;
    };

    enum class State { created, importing, uploading, finished, failed };

    AdobeXDUploadRun(QString root, std::vector<std::string> artboardIds, std::string projectId, std::string platform,
                     Completions completions);

    // Reads the folder and sends the import request. A folder that cannot be used (nothing to
    // import, a preview that does not read as an image) fails the run on a later event-loop
    // turn, before anything is sent.
    void start();

    State state() const { return m_state; }
    int total() const { return m_progress.total(); }
    double percentage() const { return m_progress.percentage(); }
    // What was left out of the upload, each with why.
    const std::vector<UploadFailure>& warnings() const { return m_skipped; }
    // The import request as sent (empty until start()).
    const ImportAllFromPluginRequest& importRequest() const { return m_request; }

    static inline const std::string kPreparingText = "Artboards are preparing for upload...";

private:
    // The images of one artboard or symbol master, and the replies counted for them.
    struct ImageGroup {
        std::string name;
        std::vector<ResourceUploadRequest> images;
        std::size_t expected = 0;
        std::size_t replies = 0;
    };
    struct Preview {
        std::string artboardName;
        ResourceUploadRequest request;
    };

    std::optional<UploadFailure> read();
    void readArtboard(const std::string& id, std::optional<UploadFailure>& failure);
    void readSymbolMasters();
    void skip(std::string what, std::string message);
    void onImportAccepted();
    void sendPreviews();
    void sendImages(std::size_t groupIndex);
    void countPreview(const std::string& artboardName);
    void countGroup(std::size_t groupIndex);
    // The import's share plus the artboards and masters whose images are all in.
    int uploadCounter() const;
    void report(const std::string& text, bool throughStep);
    void fail(UploadFailure failure);
    void finish(const std::string& text);
    void deleteExport() const;
    bool isOver() const { return m_state == State::finished || m_state == State::failed; }
    static std::string failureMessage(const std::optional<ErrorModel>& error, const char* fallbackKey);

    QString m_root;
    std::vector<std::string> m_artboardIds;
    std::string m_projectId;
    std::string m_platform;
    Completions m_completions;

    State m_state = State::created;
    ImportAllFromPluginRequest m_request;
    std::vector<Preview> m_previews;
    std::vector<ImageGroup> m_groups; // artboards first, then symbol masters, in order

    UploadProgress m_progress;
    std::vector<UploadFailure> m_skipped;
};
