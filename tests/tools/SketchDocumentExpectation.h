#pragma once

// What an upload of a Sketch document must carry, worked out from the document's own JSON by a
// reading that shares no code with the importer: the artboards, every symbol master, the masters
// an artboard uses (directly or through other masters), the exportable images of each artboard
// and used master, the style counts, and the marks that the uploaded artboard JSON must hold.

#include <boost/json.hpp>

#include <QString>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

class SketchDocumentExpectation {
public:
    struct Artboard {
        std::string id;
        std::string name;
        boost::json::object frame;
        std::map<std::string, std::string> images; // layer id -> name
        std::set<std::string> usedSymbolIds;       // instances inside, not yet followed through masters
        boost::json::object dict;                  // as the document holds it
    };
    struct Master {
        std::string id;
        boost::json::object frame;
        std::string name;
        std::map<std::string, std::string> images;
        std::vector<std::string> dependencies; // symbol ids of the instances inside
    };

    // nullopt (with `error`) when the archive cannot be read.
    static std::optional<SketchDocumentExpectation> read(const QString& documentPath, QString* error);

    // Artboards of every page, page files in name order, layers in order.
    const std::vector<Artboard>& artboards() const { return m_artboards; }
    const Artboard* artboard(const std::string& id) const;
    // Every master of the document, by symbol id (a later one with the same id replaces the earlier).
    const std::map<std::string, Master>& masters() const { return m_masters; }
    std::size_t masterCount() const { return m_masterCount; }
    std::size_t textStyleCount() const { return m_textStyleCount; }
    std::size_t layerStyleCount() const { return m_layerStyleCount; }

    // The masters the selected artboards use, directly or through other masters.
    std::set<std::string> usedSymbolIds(const std::vector<std::string>& selectedIds) const;

    // What is wrong with the uploaded JSON of an artboard (empty when nothing is): every visible
    // layer below the artboard carries its position relative to the artboard's top-left in its
    // frame and in "ZVExactOrigin", "ZVHasExactOrigin" and its depth in "ZVNodeLevel"; hidden
    // layers are reduced to their level.
    std::vector<std::string> artboardAnnotationProblems(const std::string& artboardId, const boost::json::value& uploaded) const;
    // The same for an uploaded master: only the marks of the page on the master itself.
    std::vector<std::string> masterAnnotationProblems(const std::string& symbolID, const boost::json::value& uploaded) const;

    // An image's name as the service receives it: ASCII letters, digits and "_" kept, every other
    // user-perceived character dropped.
    static std::string strippedImageName(const std::string& name);

private:
    std::vector<Artboard> m_artboards;
    std::map<std::string, Master> m_masters;
    std::size_t m_masterCount = 0;
    std::size_t m_textStyleCount = 0;
    std::size_t m_layerStyleCount = 0;
};
