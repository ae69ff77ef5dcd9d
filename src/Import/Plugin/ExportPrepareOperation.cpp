#include "Import/Plugin/ExportPrepareOperation.h"

#include "Import/Sketch/JsonSerialization.h"
#include "Import/Sketch/SketchExportInfoMapper.h"

void ExportPrepareOperation::main()
{
    if (isCancelled() || !sketchImporter) return;
    ArtboardsPreparedInfo prepared = prepareArtboards(artboardItems, *sketchImporter, releasesArtboardTrees);
    if (successHandler) successHandler(prepared);
}

ArtboardsPreparedInfo ExportPrepareOperation::prepareArtboards(
    const std::vector<std::shared_ptr<ArtboardSumModel>>& artboardSumItems, SketchImporter& sketchImporter,
    bool releaseTrees)
{
    ArtboardsPreparedInfo prepared;
    for (const auto& artboard : artboardSumItems) {
        if (!artboard) continue;
        auto info = prepareArtboardExportInfo(artboard, sketchImporter);
        // The layer JSON of an artboard can run to megabytes: it travels once, in the list that
        // goes into the import request; the per-artboard record keeps the rest.
        std::optional<std::string> json = std::move(info->artboardInfo.jsonString);
        info->artboardInfo.jsonString.reset();
        prepared.artboardInfoList.push_back(info->artboardInfo);
        prepared.artboardInfoList.back().jsonString = std::move(json);
        prepared.artboards.push_back(std::move(info));
        if (releaseTrees) artboard->dict = boost::json::object();
    }
    return prepared;
}

std::shared_ptr<ArtboardPreparedInfo>
ExportPrepareOperation::prepareArtboardExportInfo(const std::shared_ptr<ArtboardSumModel>& artboardSumItem,
                                                  SketchImporter& sketchImporter)
{
    auto info = std::make_shared<ArtboardPreparedInfo>();
    info->artboardSumModel = artboardSumItem;
    info->artboardInfo.oid = artboardSumItem->do_objectID;
    info->artboardInfo.name = artboardSumItem->name;
    info->artboardInfo.type = "sketch";
    info->artboardInfo.jsonString = JsonSerialization::dataUTF8String(artboardSumItem->dict);
    info->artboardInfo.frame = SketchExportInfoMapper::map(artboardSumItem->frame);
    info->exportables = sketchImporter.analyzeExportables(*artboardSumItem, std::string());
    return info;
}
