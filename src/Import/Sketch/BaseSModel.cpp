#include "Import/Sketch/BaseSModel.h"

#include "Import/Sketch/SketchFinder.h"
#include "Import/Sketch/SketchMetrics.h"

#include <utility>

std::vector<boost::json::object> BaseSModel::findDictionary(SketchLayerKeys key, bool isRecursive,
                                                            std::optional<QPointF> containsPoint,
                                                            std::vector<boost::json::object> appendAt,
                                                            const SearchCallbacks& callbacks)
{
    std::vector<boost::json::object> values = std::move(appendAt);
    const LayerKeyModel::Ptr entry = SketchMetrics::instance().getMetrics(key);
    if (!entry) return values;
    entry->containsPoint = containsPoint;

    SketchFinder& finder = SketchFinder::gadget();
    finder.setFirstNode(true);
    finder.walkRoot(dict, *entry, values, isRecursive, callbacks);
    finder.setFirstNode(false);
    return values;
}
