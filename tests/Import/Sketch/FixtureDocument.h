#pragma once

// A Sketch document of ../shared/fixtures read the way the importer reads one: every page file is
// parsed and searched for its top-level artboards and symbol masters, and the document file for
// its shared styles. Entries are read straight from the archive.

#include "Import/Sketch/ArtboardSumModel.h"
#include "Import/Sketch/LayerSumModel.h"

#include <boost/json.hpp>

#include <QString>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sketchtest {

struct FixtureDocument {
    int pagesListed = 0; // pages the document file names
    int pagesRead = 0;   // pages that were read and parsed
    std::vector<std::shared_ptr<ArtboardSumModel>> artboards; // every artboard, page by page
    std::vector<std::shared_ptr<LayerSumModel>> symbolMasters;
    std::vector<boost::json::object> textStyles;
    std::vector<boost::json::object> layerStyles;
    std::vector<boost::json::object> pages; // each page after its two searches
    bool documentRead = false;

    static FixtureDocument load(const QString& sketchFile);

    std::shared_ptr<ArtboardSumModel> artboardNamed(std::string_view name) const;
    std::shared_ptr<LayerSumModel> masterNamed(std::string_view name) const;
    // The name of the master with this symbol id, or the id itself when no master has it.
    std::string masterName(const std::string& symbolID) const;
};

// A compact JSON text of the value at a JSON pointer ("/layers/0/frame"), or "<none>".
std::string jsonAt(const boost::json::object& dict, std::string_view pointer);
// The number at a JSON pointer, or NaN.
double numberAt(const boost::json::object& dict, std::string_view pointer);
// A JSON object from text; empty when the text is not one.
boost::json::object jsonObject(std::string_view text);

} // namespace sketchtest
