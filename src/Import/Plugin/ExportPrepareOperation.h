#pragma once

#include "Import/Plugin/ArtboardsPreparedInfo.h"
#include "Import/Sketch/ArtboardSumModel.h"
#include "Import/Sketch/SketchImporter.h"
#include "platform/OperationQueue.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Turns the selected artboards into upload records and finds their exportable images. Calls its
// success handler once, inside main().
class ExportPrepareOperation : public platform::Operation {
public:
    std::shared_ptr<SketchImporter> sketchImporter;
    std::vector<std::shared_ptr<ArtboardSumModel>> artboardItems;
    std::optional<std::string> sketchToolPath; // kept with the other operations' settings; not used here
    // The run may move the records out of the result.
    std::function<void(ArtboardsPreparedInfo&)> successHandler;
    // Set by an owner that reads no artboard's layer tree after its record is made: each tree is
    // then let go as soon as its record is written, so the trees and their JSON texts are never
    // all held together.
    bool releasesArtboardTrees = false;

    void main() override;

    static ArtboardsPreparedInfo prepareArtboards(const std::vector<std::shared_ptr<ArtboardSumModel>>& artboardSumItems,
                                                  SketchImporter& sketchImporter, bool releaseTrees = false);
    static std::shared_ptr<ArtboardPreparedInfo> prepareArtboardExportInfo(const std::shared_ptr<ArtboardSumModel>& artboardSumItem,
                                                                           SketchImporter& sketchImporter);
};
