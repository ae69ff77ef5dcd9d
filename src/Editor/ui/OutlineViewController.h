#pragma once

#include "App/ui/ViewController.h"
#include "Import/Sketch/LayerSumModel.h"

#include <memory>
#include <vector>

class LayerOutlineTreeModel;
class QTreeView;
struct ViewInfo;

// A plain outline of Sketch layers by name.
class OutlineViewController : public ViewController {
    Q_OBJECT

public:
    static OutlineViewController* instantiate();

    void setLayers(std::vector<std::shared_ptr<LayerSumModel>> layers);
    const std::vector<std::shared_ptr<LayerSumModel>>& layers() const;
    // No caller yet. The outline shows Sketch layers, which a view record does not carry: it is
    // taken for the screen it belongs to, and the outline shows the layers again.
    virtual void updateUIForScreenData(const std::shared_ptr<ViewInfo>& viewInfo);

    QTreeView* treeView() const { return m_treeView; }
    LayerOutlineTreeModel* outlineModel() const { return m_model; }

private:
    OutlineViewController();

    QTreeView* m_treeView = nullptr;       // owned by the layout
    LayerOutlineTreeModel* m_model = nullptr; // owned by this widget
};
