#pragma once

// Sketch documents made in the test: pages of layers built from small JSON pieces, shared text
// and layer styles, written as the zip archive of JSON files that Sketch saves.

#include <boost/json.hpp>

#include <QString>

#include <string>
#include <vector>

class GeneratedSketchDocument {
public:
    static boost::json::object frame(double x, double y, double width, double height);
    // A layer with an export format per entry of `formats` ("png", "svg", ...).
    static boost::json::object layer(const std::string& id, const std::string& name, const boost::json::object& frame,
                                     const std::vector<std::string>& formats = {}, boost::json::array children = {},
                                     const std::string& className = "rectangle");
    static boost::json::object group(const std::string& id, const std::string& name, const boost::json::object& frame,
                                     boost::json::array children);
    static boost::json::object artboard(const std::string& id, const std::string& name, const boost::json::object& frame,
                                        boost::json::array children = {});
    static boost::json::object symbolMaster(const std::string& id, const std::string& symbolID, const std::string& name,
                                            const boost::json::object& frame, boost::json::array children = {});
    static boost::json::object symbolInstance(const std::string& id, const std::string& symbolID,
                                              const boost::json::object& frame);
    static boost::json::object hidden(boost::json::object layer);

    void addPage(const std::string& id, boost::json::array layers);
    // A shared text style; `encodedAttributes` (font, colour, paragraph) when given.
    void addTextStyle(const std::string& name, const boost::json::object& encodedAttributes = {});
    void addLayerStyle(const std::string& name);

    bool write(const QString& path, QString* error = nullptr) const;
    // Writes the document to `document` and what the export-file writer makes of it to `exportFile`;
    // false, with `error`, when either fails.
    bool writeExportFile(const QString& document, const QString& exportFile, QString* error) const;

private:
    std::vector<boost::json::object> m_pages;
    boost::json::array m_textStyles;
    boost::json::array m_layerStyles;
};
