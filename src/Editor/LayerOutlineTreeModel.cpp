#include "Editor/LayerOutlineTreeModel.h"

namespace {
// Layer trees of real documents stay far below this; deeper layers are not shown.
constexpr int kMaxDepth = 256;
}

LayerOutlineTreeModel::LayerOutlineTreeModel(QObject* parent)
    : QAbstractItemModel(parent)
{
}

void LayerOutlineTreeModel::setLayers(std::vector<std::shared_ptr<LayerSumModel>> layers)
{
    beginResetModel();
    m_layers = std::move(layers);
    m_places.clear();
    indexTree(m_layers, nullptr, 0);
    endResetModel();
}

void LayerOutlineTreeModel::indexTree(const std::vector<std::shared_ptr<LayerSumModel>>& list,
                                      const LayerSumModel* parentLayer, int depth)
{
    for (std::size_t i = 0; i < list.size(); ++i) {
        const LayerSumModel* layer = list[i].get();
        // A layer listed twice keeps its first place, so parent() stays a function.
        if (!layer || m_places.count(layer)) continue;
        m_places.emplace(layer, Place{parentLayer, static_cast<int>(i)});
        if (depth + 1 < kMaxDepth && layer->isVisible) indexTree(layer->layers, layer, depth + 1);
    }
}

const std::vector<std::shared_ptr<LayerSumModel>>* LayerOutlineTreeModel::childrenOf(const LayerSumModel* item) const
{
    if (!item) return &m_layers;
    if (!item->isVisible) return nullptr;
    return &item->layers;
}

int LayerOutlineTreeModel::numberOfChildren(const LayerSumModel* item) const
{
    const auto* children = childrenOf(item);
    if (!children) return 0;
    // Only children that have their place in this tree (not nullptr, not listed before) show.
    int count = 0;
    for (std::size_t i = 0; i < children->size(); ++i) {
        const LayerSumModel* child = (*children)[i].get();
        const auto found = child ? m_places.find(child) : m_places.end();
        if (found != m_places.end() && found->second.parent == item && found->second.row == static_cast<int>(i)) ++count;
        else break;
    }
    return count;
}

const LayerSumModel* LayerOutlineTreeModel::layerAt(const QModelIndex& index) const
{
    return index.isValid() ? static_cast<const LayerSumModel*>(index.internalPointer()) : nullptr;
}

QModelIndex LayerOutlineTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0) return {};
    const LayerSumModel* parentLayer = layerAt(parent);
    if (row >= numberOfChildren(parentLayer)) return {};
    const auto* children = childrenOf(parentLayer);
    return createIndex(row, 0, const_cast<LayerSumModel*>((*children)[static_cast<std::size_t>(row)].get()));
}

QModelIndex LayerOutlineTreeModel::parent(const QModelIndex& child) const
{
    const LayerSumModel* layer = layerAt(child);
    if (!layer) return {};
    const auto found = m_places.find(layer);
    if (found == m_places.end() || !found->second.parent) return {};
    const LayerSumModel* parentLayer = found->second.parent;
    const auto parentPlace = m_places.find(parentLayer);
    if (parentPlace == m_places.end()) return {};
    return createIndex(parentPlace->second.row, 0, const_cast<LayerSumModel*>(parentLayer));
}

int LayerOutlineTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() && parent.column() != 0) return 0;
    return numberOfChildren(layerAt(parent));
}

int LayerOutlineTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant LayerOutlineTreeModel::data(const QModelIndex& index, int role) const
{
    const LayerSumModel* layer = layerAt(index);
    if (!layer || role != Qt::DisplayRole) return {};
    return QString::fromStdString(layer->name);
}

bool LayerOutlineTreeModel::hasChildren(const QModelIndex& parent) const
{
    if (parent.isValid() && parent.column() != 0) return false;
    const LayerSumModel* layer = layerAt(parent);
    return layer ? !layer->layers.empty() : rowCount(parent) > 0;
}
