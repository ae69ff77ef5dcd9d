#pragma once

#include "Import/Plugin/IDesignImporter.h"
#include "Import/Sketch/SketchExportInfoDocument.h"
#include "Import/Sketch/SketchUploadRun.h"
#include "platform/Localization.h"

#include <QString>

#include <memory>
#include <optional>

// The importer of designs handed over by our Sketch plug-in through a ".zvusk" export file.
class SketchDesignImporter : public IDesignImporter {
public:
    // The process-wide importer.
    static SketchDesignImporter& importer();

    SketchDesignImporter() = default;

    // The record of the export file last read successfully; cleared when a later file cannot be
    // used, so an upload never sends an earlier design into a newly chosen project.
    std::optional<SketchExportInfoDocument> pluginExportInfo;

    // Reads the export file (XML or binary property list). On failure the record is cleared, the
    // user is told which file could not be read, and false is answered.
    bool doBeforeProjectSelection(const std::string& fileName) override;

    void processDesignFile(const std::string& projectId, const std::string& platform, bool shouldUploadDesign,
                           ProgressCompletion exportCompletion, ProgressCompletion stepCompletion,
                           std::function<void()> cancelCompletion,
                           std::function<void(const UploadFailure&)> failureCompletion) override;

    std::vector<std::string> getArtboardIds() const override;
    std::vector<UploadFailure> uploadWarnings() const override;
    void setReadingObserver(std::function<void(bool reading)> observer) override { m_readingObserver = std::move(observer); }
    MixPanelEventCode getEventCode() const override { return MixPanelEventCode::SKETCH_UPLOAD; }

    // The record an export file holds, or nullopt (with `error`) when it cannot be used: not
    // readable, not a property list, its root not a dictionary, or no Sketch document named.
    // Values of the wrong type keep their defaults; unknown keys are ignored.
    // A cap passed fills `reason` with what the user is told.
    static std::optional<SketchExportInfoDocument> readExportFile(const QString& path, QString* error = nullptr,
                                                                  platform::DeferredText* reason = nullptr);

    // What an export file may hold. The plug-in writes a few hundred bytes per artboard and a flat
    // dictionary; these leave room for documents far beyond any real one.
    static constexpr qint64 kMaxExportFileBytes = 16LL * 1024 * 1024;
    static constexpr int kMaxExportFileDepth = 16;
    static constexpr std::size_t kMaxArtboardIds = 20000;

private:
    // The last run started; it keeps its own state and copy of the export record.
    std::shared_ptr<SketchUploadRun> m_run;
    std::function<void(bool)> m_readingObserver; // handed to the next run
};
