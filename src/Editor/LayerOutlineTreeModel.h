#pragma once

#include "Import/Sketch/LayerSumModel.h"

#include <QAbstractItemModel>

#include <memory>
#include <unordered_map>
#include <vector>

// Sketch layers as a tree of names. An invisible layer shows no children: its sub-layers are not
// drawn either. Still, any layer that holds sub-layers can be expanded, so the outline tells a
// group from a single layer whether or not it is drawn. A layer never reports more children than
// its own `layers` holds.
class LayerOutlineTreeModel : public QAbstractItemModel {
    Q_OBJECT

public:
    explicit LayerOutlineTreeModel(QObject* parent = nullptr);

    void setLayers(std::vector<std::shared_ptr<LayerSumModel>> layers);
    const std::vector<std::shared_ptr<LayerSumModel>>& layers() const { return m_layers; }

    // Children of a layer as the outline shows them; of the root (nullptr) the top layers.
    int numberOfChildren(const LayerSumModel* item) const;
    const LayerSumModel* layerAt(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;

private:
    struct Place {
        const LayerSumModel* parent = nullptr; // nullptr: a top layer
        int row = 0;
    };
    void indexTree(const std::vector<std::shared_ptr<LayerSumModel>>& list, const LayerSumModel* parent, int depth);
    const std::vector<std::shared_ptr<LayerSumModel>>* childrenOf(const LayerSumModel* item) const;

    std::vector<std::shared_ptr<LayerSumModel>> m_layers;
    std::unordered_map<const LayerSumModel*, Place> m_places;
};
