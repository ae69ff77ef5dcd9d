#pragma once

#include "App/MixPanelEventCode.h"

#include <functional>
#include <string>
#include <vector>

// Progress report of an upload: a text (an artboard or symbol name, or a fixed phrase) and a
// percentage from 0 to 100.
using ProgressCompletion = std::function<void(const std::string& text, double percentage)>;

// What failed in an upload run, for the progress screen (empty warning list on success).
struct UploadFailure {
    std::string what;    // the item that failed (artboard, image or file name), may be empty
    std::string message; // the reason, as the user should read it
};

// The importer protocol of the Sketch and Adobe XD importers.
class IDesignImporter {
public:
    virtual ~IDesignImporter() = default;

    // Reads what the design tool handed over before the project list is shown.
    // Answers false (after telling the user) when the hand-off cannot be used.
    virtual bool doBeforeProjectSelection(const std::string& fileName) = 0;

    // Runs the whole upload into the project. stepCompletion with exactly 100 finishes it;
    // cancelCompletion: the user declined; failureCompletion: the run stopped on a failure.
    virtual void processDesignFile(const std::string& projectId, const std::string& platform, bool shouldUploadDesign,
                                   ProgressCompletion exportCompletion, ProgressCompletion stepCompletion,
                                   std::function<void()> cancelCompletion,
                                   std::function<void(const UploadFailure&)> failureCompletion) = 0;

    virtual std::vector<std::string> getArtboardIds() const = 0;
    virtual MixPanelEventCode getEventCode() const = 0;

    // Problems of the last run that did not stop it (for example a design document the service
    // did not take), for the progress screen to show once the run has reached 100.
    virtual std::vector<UploadFailure> uploadWarnings() const { return {}; }

    // Told true when the next run starts reading the design document and false when it is read,
    // so the progress screen can say so; importers that read nothing lengthy never call it.
    virtual void setReadingObserver(std::function<void(bool reading)> observer) { (void)observer; }
};
