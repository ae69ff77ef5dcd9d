#include "FixtureDocument.h"

#include "Import/Sketch/SketchLayerKeys.h"
#include "Import/Sketch/SketchReaderOnline.h"
#include "Import/Sketch/SymbolMasterModelsMapper.h"
#include "platform/JsonText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

// The real documents of tests/fixtures/sketch run through the search as an import runs it:
// page walks, the exportables analysis of every artboard, the master map, the used masters of
// every artboard. The artboard and master counts equal what Sketch shows, since Sketch keeps both
// only at the top level of a page, which is all the page walks look at.

namespace {

using namespace sketchtest;
using Names = std::vector<std::string>;

struct DocumentCase {
    std::string file;
    int pages;
    std::size_t artboards, masters, textStyles, layerStyles;
};
// Readable names in test listings.
void PrintTo(const DocumentCase& c, std::ostream* os) { *os << c.file; }

class FixtureDocuments : public ::testing::TestWithParam<DocumentCase> {};

TEST_P(FixtureDocuments, LoadWithTheirArtboardsMastersAndStyles)
{
    const DocumentCase& c = GetParam();
    FixtureDocument doc = FixtureDocument::load(c.file);
    ASSERT_TRUE(doc.documentRead);
    EXPECT_EQ(doc.pagesListed, c.pages);
    EXPECT_EQ(doc.pagesRead, c.pages);
    EXPECT_EQ(doc.artboards.size(), c.artboards);
    EXPECT_EQ(doc.symbolMasters.size(), c.masters);
    EXPECT_EQ(doc.textStyles.size(), c.textStyles);
    EXPECT_EQ(doc.layerStyles.size(), c.layerStyles);

    // Everything the upload sends can be written as JSON text.
    for (const auto& artboard : doc.artboards) {
        artboard->findDictionary(SketchLayerKeys::kExportables, true);
        EXPECT_TRUE(platform::jsonText(artboard->dict, platform::JsonStyle::Pretty).has_value()) << artboard->name;
    }
    for (const SymbolMasterExportInfo& record : SymbolMasterModelsMapper::map(doc.symbolMasters))
        EXPECT_TRUE(record.jsonString.has_value()) << record.name;
    SketchReaderOnline reader;
    const auto [map, order] = reader.prepareSymbolHashMap(doc.symbolMasters);
    EXPECT_EQ(order.size(), map.size());
}

INSTANTIATE_TEST_SUITE_P(Sketch, FixtureDocuments,
                         ::testing::Values(DocumentCase{"assistants-blended-layer-bitmap-export.sketch", 1, 0, 0, 0, 0},
                                           DocumentCase{"assistants-empty.sketch", 1, 0, 0, 0, 0},
                                           DocumentCase{"assistants-exported-layer.sketch", 1, 0, 0, 0, 0},
                                           DocumentCase{"assistants-hidden-layer.sketch", 1, 0, 0, 0, 0},
                                           DocumentCase{"assistants-shared-text-styles.sketch", 1, 1, 0, 1, 2},
                                           DocumentCase{"assistants-slice-backgrounds.sketch", 1, 0, 0, 0, 0},
                                           DocumentCase{"assistants-symbols.sketch", 2, 0, 2, 0, 0},
                                           DocumentCase{"assistants-used-in-override.sketch", 2, 0, 3, 0, 0},
                                           DocumentCase{"carbon-8.1.0.sketch", 9, 35, 584, 33, 53},
                                           DocumentCase{"wikimedia-icon-template.sketch", 1, 8, 0, 0, 0},
                                           DocumentCase{"wikimedia-ui-2018-10.sketch", 2, 2, 100, 28, 57},
                                           DocumentCase{"xlayers-date-picker-69.sketch", 1, 0, 0, 0, 1},
                                           DocumentCase{"xlayers-tabs-status-bar-49.sketch", 2, 0, 1, 1, 1},
                                           DocumentCase{"xlayers-tabs-status-bar-53.sketch", 2, 0, 1, 1, 1},
                                           DocumentCase{"xlayers-tabs-status-bar-69.sketch", 2, 0, 1, 1, 1}),
                         [](const ::testing::TestParamInfo<DocumentCase>& caseInfo) {
                             std::string name = caseInfo.param.file.substr(0, caseInfo.param.file.rfind('.'));
                             std::replace_if(name.begin(), name.end(), [](char ch) { return !std::isalnum(static_cast<unsigned char>(ch)); }, '_');
                             return name;
                         });

struct Mark {
    const char* pointer;
    const char* json;
};

struct ArtboardCase {
    std::string artboard;
    std::size_t exportables;
    std::size_t usedCount;
    Names used;                 // sorted master names, where worked out by hand
    std::vector<Mark> fromPage; // marks the page walk left on the artboard
    std::vector<Mark> after;    // marks after the exportables analysis and the symbol search
};

struct DocumentArtboards {
    std::string file;
    std::vector<ArtboardCase> artboards;
};

TEST(FixtureArtboards, ExportablesUsedMastersAndMarks)
{
    const std::vector<DocumentArtboards> documents = {
        {"assistants-shared-text-styles.sketch",
         {{"Artboard", 0, 0, {},
           {{"/ZVExactOrigin", R"({"x":241,"y":191})"}, {"/ZVNodeLevel", "1"}, {"/layers/0/ZVNodeLevel", "<none>"}},
           {{"/ZVExactOrigin", R"({"x":0,"y":0})"},
            {"/ZVNodeLevel", "0"},
            {"/frame/x", "241"},
            {"/layers/1/name", R"("Simple shared style Copy")"},
            {"/layers/1/ZVExactOrigin", R"({"x":118,"y":125})"},
            {"/layers/1/ZVNodeLevel", "1"},
            {"/layers/1/exportOptions/ZVNodeLevel", "2"},
            {"/layers/1/exportOptions/ZVExactOrigin", "<none>"}}}}},
        {"wikimedia-icon-template.sketch",
         {{"Icon template", 0, 0, {},
           {{"/ZVExactOrigin", R"({"x":0,"y":0})"}, {"/ZVNodeLevel", "1"}},
           {{"/layers/0/layers/3/name", R"("guide-square-icon")"},
            {"/layers/0/layers/3/layers/0/ZVExactOrigin", R"({"x":1,"y":1})"},
            {"/layers/0/layers/3/layers/0/ZVNodeLevel", "3"},
            {"/layers/0/layers/4/layers/0/frame/y", "2"}}},
          {"Example-Circular-icon", 0, 0, {}, {{"/ZVExactOrigin", R"({"x":160,"y":0})"}}, {{"/frame/x", "160"}}}}},
        {"wikimedia-ui-2018-10.sketch",
         {{"WikimediaUI Color palette", 0, 3, {"101 / Headline--Sub", "101 / Headline__line", "Color palette"},
           {{"/ZVExactOrigin", R"({"x":2033,"y":2165})"}}, {{"/ZVExactOrigin", R"({"x":0,"y":0})"}}},
          // Counts of the larger artboards agree with a second, copy-based implementation.
          {"WikimediaUI Overview", 11, 76, {}, {}, {}}}},
        {"carbon-8.1.0.sketch",
         {{"UI Icons", 0, 69, {}, {}, {}},
          {"Components", 0, 340, {}, {}, {}},
          {"About Layout Templates", 1, 0, {}, {}, {}},
          {"Add-on components", 0, 44, {}, {}, {}}}},
    };

    for (const DocumentArtboards& d : documents) {
        FixtureDocument doc = FixtureDocument::load(d.file);
        for (const ArtboardCase& c : d.artboards) {
            ASSERT_NE(doc.artboardNamed(c.artboard), nullptr) << c.artboard;
            for (const Mark& m : c.fromPage) EXPECT_EQ(jsonAt(doc.artboardNamed(c.artboard)->dict, m.pointer), m.json) << c.artboard << m.pointer;
        }
        // The import's order: exportables of every artboard, then the masters, then the used masters.
        std::map<std::string, std::size_t> exportables;
        for (const auto& artboard : doc.artboards)
            exportables[artboard->name] = artboard->findDictionary(SketchLayerKeys::kExportables, true).size();
        SketchReaderOnline reader;
        const auto [map, order] = reader.prepareSymbolHashMap(doc.symbolMasters);

        for (const ArtboardCase& c : d.artboards) {
            const auto artboard = doc.artboardNamed(c.artboard);
            EXPECT_EQ(exportables[c.artboard], c.exportables) << c.artboard;
            Names used;
            for (const auto& m : SketchReaderOnline::getSymbolInstanceIn(*artboard, map, order)) used.push_back(m->masterLayer->name);
            std::sort(used.begin(), used.end());
            EXPECT_EQ(used.size(), c.usedCount) << c.artboard;
            if (!c.used.empty()) {
                EXPECT_EQ(used, c.used) << c.artboard;
            }
            for (const Mark& m : c.after) EXPECT_EQ(jsonAt(artboard->dict, m.pointer), m.json) << c.artboard << m.pointer;
        }
    }
}

TEST(FixtureMasters, DependencyOrder)
{
    const std::vector<std::pair<std::string, Names>> cases = {
        {"assistants-symbols.sketch", {"Symbol 2", "Symbol 1"}},
        {"assistants-used-in-override.sketch", {"Inner1", "Main", "Inner2"}},
        {"xlayers-tabs-status-bar-69.sketch", {"Material/Android/Status bar content"}},
    };
    for (const auto& [file, expected] : cases) {
        FixtureDocument doc = FixtureDocument::load(file);
        SketchReaderOnline reader;
        const auto [map, order] = reader.prepareSymbolHashMap(doc.symbolMasters);
        Names names;
        for (const std::string& id : order) names.push_back(doc.masterName(id));
        EXPECT_EQ(names, expected) << file;
    }
}

} // namespace
