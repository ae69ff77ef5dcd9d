#include "Import/Sketch/SketchReaderOnline.h"

#include "Import/Sketch/FlatModelsMapper.h"
#include "Import/Sketch/SketchLayerKeys.h"

#include <cstddef>

// Both walks over the dependency graph keep their own stack: a document may chain thousands of
// masters, one inside the next, and a recursive walk would need that many stack frames.

namespace {

std::optional<std::string> textMember(const boost::json::object& dict, std::string_view key)
{
    const boost::json::value* v = dict.if_contains(key);
    if (!v || !v->is_string()) return std::nullopt;
    return std::string(v->get_string().data(), v->get_string().size());
}

// The name a master is listed under in the order.
const std::string& orderName(const SymbolMasterModel& model)
{
    static const std::string none;
    if (!model.masterLayer) return none;
    return model.masterLayer->symbolID.empty() ? model.masterLayer->do_objectID : model.masterLayer->symbolID;
}

const std::shared_ptr<SymbolMasterModel>* findMaster(const SketchReaderOnline::MasterMap& map, const std::string& id)
{
    const std::shared_ptr<SymbolMasterModel>* found = map.find(id);
    return found && *found ? found : nullptr;
}

} // namespace

std::pair<SketchReaderOnline::MasterMap, std::vector<std::string>>
SketchReaderOnline::prepareSymbolHashMap(std::span<const std::shared_ptr<LayerSumModel>> masters)
{
    MasterMap map;
    for (const std::shared_ptr<LayerSumModel>& master : masters) {
        if (!master) continue;
        auto model = std::make_shared<SymbolMasterModel>();
        model->masterLayer = master;
        std::vector<boost::json::object> instances = master->findDictionary(SketchLayerKeys::kSymbolInstances, true);
        for (const boost::json::object& instance : instances) {
            if (std::optional<std::string> id = textMember(instance, "symbolID"))
                model->dependentMasterSymbolIds.push_back(std::move(*id));
        }
        model->dependentMasterSymbolInstances = std::move(instances);
        map.insert_or_assign(master->symbolID, std::move(model));
    }
    std::vector<std::string> order = dfsSortArray(map);
    return {std::move(map), std::move(order)};
}

std::vector<std::shared_ptr<SymbolMasterModel>>
SketchReaderOnline::getSymbolInstanceIn(ArtboardSumModel& artboard, const MasterMap& symbolHashMap,
                                        const std::vector<std::string>& /*symbolMasterOrderList*/)
{
    MasterMap used;
    ExpandedSet expanded;
    const std::vector<boost::json::object> instances =
        artboard.findDictionary(SketchLayerKeys::kSymbolInstances, true);
    for (const boost::json::object& instance : instances) {
        std::optional<std::string> id = textMember(instance, "symbolID");
        if (!id) continue;
        const std::shared_ptr<SymbolMasterModel>* master = findMaster(symbolHashMap, *id);
        if (!master) continue;
        const std::shared_ptr<SymbolMasterModel> model = *master; // `master` points into the map
        used.insert_or_assign(*id, model);
        addDependenciesOfMasters(model, symbolHashMap, used, expanded);
    }

    std::vector<std::shared_ptr<SymbolMasterModel>> result;
    result.reserve(used.size());
    for (const auto& entry : used) result.push_back(entry.second);
    return result;
}

void SketchReaderOnline::addDependenciesOfMasters(const std::shared_ptr<SymbolMasterModel>& master,
                                                  const MasterMap& symbolHashMap, MasterMap& usedMasters,
                                                  ExpandedSet& expanded)
{
    if (!master || !expanded.insert(master.get()).second) return;

    struct Frame {
        std::shared_ptr<SymbolMasterModel> model;
        std::size_t next = 0;
        const std::string* usedAs = nullptr; // the id that led here; stored once expanded
    };
    std::vector<Frame> stack;
    stack.push_back({master, 0, nullptr});
    while (!stack.empty()) {
        Frame& top = stack.back();
        const std::vector<std::string>& ids = top.model->dependentMasterSymbolIds;
        if (top.next < ids.size()) {
            const std::string& id = ids[top.next++];
            const std::shared_ptr<SymbolMasterModel>* dependency = findMaster(symbolHashMap, id);
            if (!dependency) continue;
            // Marked before descending: a master on the current path (a cycle) or expanded
            // earlier in this collection is only recorded as used, not walked again.
            if (expanded.insert(dependency->get()).second)
                stack.push_back({*dependency, 0, &id}); // `top` is not used after this
            else
                usedMasters.insert_or_assign(id, *dependency);
            continue;
        }
        if (top.usedAs) usedMasters.insert_or_assign(*top.usedAs, top.model);
        stack.pop_back();
    }
}

std::vector<std::string> SketchReaderOnline::dfsSortArray(const MasterMap& hashMap)
{
    std::vector<std::string> list;
    for (const auto& entry : hashMap) dfsSortHelperArray(entry.second, hashMap, list);
    return list;
}

void SketchReaderOnline::dfsSortHelperArray(const std::shared_ptr<SymbolMasterModel>& symbolMasterModel,
                                            const MasterMap& sortedHashMap, std::vector<std::string>& initialList)
{
    if (!symbolMasterModel || symbolMasterModel->orderedBefore) return;
    symbolMasterModel->orderedBefore = true;

    struct Frame {
        SymbolMasterModel* model; // not owned: held by the map
        std::size_t next = 0;
    };
    std::vector<Frame> stack;
    stack.push_back({symbolMasterModel.get(), 0});
    while (!stack.empty()) {
        Frame& top = stack.back();
        const std::vector<std::string>& ids = top.model->dependentMasterSymbolIds;
        if (top.next < ids.size()) {
            const std::shared_ptr<SymbolMasterModel>* dependency = findMaster(sortedHashMap, ids[top.next++]);
            if (!dependency || (*dependency)->orderedBefore) continue;
            // Marked on entry, so a master already on the path closes a cycle instead of
            // being entered again.
            (*dependency)->orderedBefore = true;
            stack.push_back({dependency->get(), 0});
            continue;
        }
        initialList.push_back(orderName(*top.model));
        stack.pop_back();
    }
}

SketchReaderOnline::ArtboardContainerMap
SketchReaderOnline::prepareArtboardMap(const ArtboardContainerFlatModel& containerFlatModel)
{
    ArtboardContainerMap map;
    std::shared_ptr<ArtboardContainerModel> container = FlatModelsMapper::map(containerFlatModel);
    if (!container || !container->artboard) return map;
    const std::string id = container->artboard->do_objectID;
    map.insert_or_assign(id, std::move(container));
    return map;
}
