#pragma once

// A Sketch document of tests/fixtures read the way the importer reads one: every page file is
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
    bool documentRead = false;
    int pagesListed = 0; // pages the document file names
    int pagesRead = 0;   // of those, pages read and parsed
    std::vector<std::shared_ptr<ArtboardSumModel>> artboards;
    std::vector<std::shared_ptr<LayerSumModel>> symbolMasters;
    std::vector<boost::json::object> textStyles;
    std::vector<boost::json::object> layerStyles;

    static FixtureDocument load(const std::string& fixtureName);

    std::shared_ptr<ArtboardSumModel> artboardNamed(std::string_view name) const;
    // The name of the master with this symbol id, or the id itself.
    std::string masterName(const std::string& symbolID) const;
};

// The compact JSON text of the value at a JSON pointer ("/layers/0/frame"; "" for the whole
// dictionary), or "<none>".
std::string jsonAt(const boost::json::object& dict, std::string_view pointer);
// A JSON object from text; empty when the text is not one.
boost::json::object jsonObject(std::string_view text);

} // namespace sketchtest
