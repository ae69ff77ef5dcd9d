#pragma once

// Shared pieces of the Sketch upload tests: Sketch documents built in memory, the stand-in of
// Sketch's command-line tool with its log and control file, a private data folder, and a recorder
// of what a run reports.

#include "Import/Sketch/SketchExportInfoDocument.h"
#include "Import/Sketch/SketchUploadRun.h"

#include <boost/json.hpp>

#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace uploadkit {

// Sketch JSON pieces.
boost::json::object frame(double x, double y, double width, double height);
boost::json::object exportFormat(const std::string& fileFormat, double scale = 1);
boost::json::object layer(const std::string& id, const std::string& name, const boost::json::object& frame,
                          const std::vector<std::string>& formats = {}, boost::json::array children = {},
                          const std::string& className = "rectangle");
boost::json::object artboard(const std::string& id, const std::string& name, boost::json::array layers = {},
                             const boost::json::object& frame = uploadkit::frame(0, 0, 375, 812));
boost::json::object symbolMaster(const std::string& id, const std::string& symbolID, const std::string& name,
                                 boost::json::array layers = {});
boost::json::object symbolInstance(const std::string& id, const std::string& symbolID);
boost::json::object page(const std::string& id, boost::json::array layers);
// A document file without shared styles.
boost::json::object documentFile();

// Writes a Sketch document (a zip of "pages/<name>.json" files and "document.json").
using PageFile = std::pair<QString, QByteArray>; // file name inside "pages", bytes
PageFile pageFile(const std::string& name, const boost::json::object& page);
bool writeSketchDocument(const QString& path, const std::vector<PageFile>& pages,
                         const std::optional<boost::json::object>& document = documentFile());

SketchExportInfoDocument exportInfo(const QString& documentPath, std::vector<std::string> artboardIds,
                                    std::optional<std::string> sketchtoolPath);

// The user's Library folder points into a temporary folder for the object's life.
class DataFolder {
public:
    DataFolder();
    ~DataFolder();
    QString path() const { return m_dir.path(); }
    // Where the application keeps copied Sketch documents.
    QString sketchFolder() const;

private:
    QTemporaryDir m_dir;
};

// The stand-in Sketch tool, logging into a private file and controlled by a private file, for
// the object's life (through the environment the tool processes inherit).
class SketchToolStandin {
public:
    SketchToolStandin();
    ~SketchToolStandin();

    static std::string executable();
    void setControl(const boost::json::object& control);
    // Every line the tool logged so far.
    std::vector<boost::json::object> log() const;
    // The arguments of every started cut, in start order.
    std::vector<std::vector<std::string>> startedArguments() const;
    // The most tools that were running at the same time, read from the order of start and end lines.
    int maxRunning() const;
    QString folder() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

// Runs the main loop until `done` (or a generous safety time-out).
bool waitFor(const std::function<bool()>& done);
// Runs the main loop a little while, so that anything wrongly sent or reported after the events
// a test waited for has the chance to show.
void settle();

// Records what a run reports, as "export:<text>:<percent>", "step:<text>:<percent>", "cancel" and
// "failure:<what>:<message>", percentages with two decimals.
struct RunRecorder {
    std::vector<std::string> events;
    bool ended = false;

    SketchUploadRun::Completions completions();
    static std::string percent(double value);
};

} // namespace uploadkit
