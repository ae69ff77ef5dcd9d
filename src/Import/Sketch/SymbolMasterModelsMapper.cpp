#include "Import/Sketch/SymbolMasterModelsMapper.h"

#include "Import/Sketch/JsonSerialization.h"
#include "Import/Sketch/SketchExportInfoMapper.h"
#include "Import/Sketch/SketchFinderHelperUtils.h"
#include "platform/DebugLog.h"
#include "platform/JsonText.h"

#include <string_view>

std::vector<SymbolMasterExportInfo>
SymbolMasterModelsMapper::map(const std::vector<std::shared_ptr<LayerSumModel>>& symbolMasters)
{
    std::vector<SymbolMasterExportInfo> records;
    records.reserve(symbolMasters.size());
    for (const std::shared_ptr<LayerSumModel>& master : symbolMasters) {
        if (master) records.push_back(map(*master));
    }
    return records;
}

SymbolMasterExportInfo SymbolMasterModelsMapper::map(const LayerSumModel& symbolMaster)
{
    SymbolMasterExportInfo record;
    record.oid = symbolMaster.do_objectID;
    record.class_ = symbolMaster.class_;
    record.name = symbolMaster.name;
    record.frame = SketchExportInfoMapper::map(symbolMaster.frame);
    record.isVisible = symbolMaster.isVisible;
    record.symbolID = symbolMaster.symbolID;
    record.jsonString = JsonSerialization::dataUTF8String(symbolMaster.dict);
    return record;
}

std::shared_ptr<LayerSumModel> SymbolMasterModelsMapper::map(const SymbolMasterExportInfo& record)
{
    auto layer = std::make_shared<LayerSumModel>();
    layer->do_objectID = record.oid;
    layer->class_ = record.class_;
    layer->name = record.name;
    layer->frame.x = 0;
    layer->frame.y = 0;
    layer->frame.width = record.frame.width;
    layer->frame.height = record.frame.height;
    layer->isVisible = record.isVisible;
    layer->symbolID = record.symbolID;
    if (!record.jsonString) return layer;

    // The master's tree may be searched later; keep it within the depth every walk is safe for.
    std::optional<boost::json::value> parsed = platform::parseJson(*record.jsonString, nullptr, kMaxSketchJsonDepth);
    if (!parsed) {
        platform::debugPrint(std::string_view("JSONSerialization error"));
        return layer;
    }
    if (parsed->is_object()) layer->dict = std::move(parsed->get_object());
    return layer;
}
