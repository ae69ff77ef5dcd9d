#pragma once

#include "App/ui/ViewController.h"
#include "Import/Sketch/LayerSumModel.h"

#include <memory>
#include <vector>

class LayerOutlineTreeModel;
class QTreeView;

// A plain outline of Sketch layers by name.
class OutlineViewController : public ViewController {
    Q_OBJECT

public:
    static OutlineViewController* instantiate();

    void setLayers(std::vector<std::shared_ptr<LayerSumModel>> layers);
    const std::vector<std::shared_ptr<LayerSumModel>>& layers() const;
    // No caller yet; shows the layers again.
    virtual void updateUIForScreenData();

    QTreeView* treeView() const { return m_treeView; }
    LayerOutlineTreeModel* outlineModel() const { return m_model; }

private:
    OutlineViewController();

    QTreeView* m_treeView = nullptr;       // owned by the layout
    LayerOutlineTreeModel* m_model = nullptr; // owned by this widget
};
