#pragma once

#include "App/ui/ViewController.h"

#include <string>

class ComponentInfoSelectionViewController;
class MainEditorDesignViewController;
class ComponentTypeSelectionViewController;
class QPushButton;
class QStackedLayout;
class SearchableListHeader;

// The two pages of making or converting a component: the type (child 0), then the layers
// picked on the canvas (child 1).
class ComponentFlowViewController : public ViewController {
    Q_OBJECT

public:
    ComponentTypeSelectionViewController* typeSelectionVC() const;
    ComponentInfoSelectionViewController* infoSelectionVC() const;

    // Shows the type page again.
    void showTypeSelection();
    // Goes on to the layer page with the canvas selection, published to the session.
    void showInfoSelection();
    // Takes a layer out of the canvas selection and publishes what stays.
    void removeLayer(const std::string& viewId);
    bool isShowingInfoSelection() const;

protected:
    explicit ComponentFlowViewController(const char* titleKey);

private:
    // The design canvas of the editor this page works for; none outside an editor.
    MainEditorDesignViewController* designCanvas() const;

    SearchableListHeader* m_header = nullptr; // owned by the layout
    QStackedLayout* m_pages = nullptr;        // owned by its widget
    QPushButton* m_next = nullptr;            // owned by the layout
    QPushButton* m_back = nullptr;            // owned by the layout
};
