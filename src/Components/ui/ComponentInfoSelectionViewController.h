#pragma once

#include "App/ui/ViewController.h"

#include <string>
#include <vector>

class QTableWidget;

// Second page of making or converting a component: the layers picked on the canvas, by name.
class ComponentInfoSelectionViewController : public ViewController {
    Q_OBJECT

public:
    static ComponentInfoSelectionViewController* instantiate();

    // Reads the component session's selection into the layer table again.
    void updateSelectedViewInfoList();
    const std::vector<std::string>& selectedViewIds() const { return m_viewIds; }
    QTableWidget* layerTable() const { return m_table; }
    // The layer of the table's current row leaves the component, as its menu or Delete does.
    void removeCurrentLayer();

Q_SIGNALS:
    // The user took this layer out of the selection.
    void layerRemovalRequested(const std::string& viewId);

protected:
    // Delete or Backspace on the table removes the current row's layer.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ComponentInfoSelectionViewController();

    std::vector<std::string> m_viewIds;
    QTableWidget* m_table = nullptr; // owned by the layout
};
