#include "Import/Sketch/LayerKeyModel.h"

#include <utility>

LayerKeyModel::LayerKeyModel(std::string key_, std::optional<std::string> className_, bool isArray_, Ptr withChild_,
                             std::optional<std::vector<Ptr>> checkIfHasNodes_, std::optional<QPointF> containsPoint_,
                             bool checkAllNodes_)
    : key(std::move(key_))
    , className(std::move(className_))
    , isArray(isArray_)
    , checkIfHasNodes(std::move(checkIfHasNodes_))
    , checkAllNodes(checkAllNodes_)
    , withChild(std::move(withChild_))
    , containsPoint(containsPoint_)
{
}

LayerKeyModel::Ptr LayerKeyModel::make(std::string key, std::optional<std::string> className, bool isArray,
                                       Ptr withChild, std::optional<std::vector<Ptr>> checkIfHasNodes,
                                       bool checkAllNodes)
{
    return std::make_shared<LayerKeyModel>(std::move(key), std::move(className), isArray, std::move(withChild),
                                           std::move(checkIfHasNodes), std::nullopt, checkAllNodes);
}

bool LayerKeyModel::acceptsClass(std::optional<std::string_view> candidateClass) const
{
    if (!className) return !candidateClass.has_value();
    if (*className == "*") return true;
    return candidateClass && *candidateClass == *className;
}
