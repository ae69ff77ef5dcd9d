#pragma once

#include "App/ui/ViewController.h"
#include "Editor/Pages/TreeSelectedViewInfo.h"
#include "Editor/Pages/ui/ViewTreeOutlineView.h"
#include "Editor/TreeViewInfo.h"
#include "Editor/ViewInfo.h"
#include "Projects/SideMenuContentType.h"

#include <QPointer>

#include <memory>
#include <string>
#include <vector>

class NoDataView;
class QVBoxLayout;
class SearchableListHeader;
class ViewItemRowView;
class ViewOutlineTreeModel;

// The views page, first page of the side menu: the open artboard's view tree with a search by
// layer or class name. A row selection is mirrored onto the design canvas; the row menu deletes
// a component instance (then the artboard is reloaded) or converts rows into a component. The
// page finds the editor, the canvas and the side menu through the controller hierarchy each
// time; when a link is missing the command does nothing and the page keeps working on its data.
class ViewsViewController : public ViewController, public ViewTreeOutlineViewDelegate {
    Q_OBJECT

public:
    static ViewsViewController* instantiate();

    // Called by the project window with the first artboard item's lists on every detail. The
    // search mode stays as it is.
    void update(const std::vector<std::shared_ptr<ViewInfo>>& list,
                const std::vector<std::shared_ptr<TreeViewInfo>>& treeViewList);

    ViewTreeOutlineView* outlineView() const { return m_outlineView; }
    SearchableListHeader* header() const { return m_header; }
    QWidget* listContentView() const { return m_listContentView; }
    // Null until the shown list is empty the first time.
    NoDataView* noDataView() const;
    ViewOutlineTreeModel* treeModel() const { return m_model; }
    bool isSearchActive() const;

    // The menu commands, acting on the rows they were opened for.
    void deleteInstance(const TreeSelectedViewInfo& selectedViewInfo);
    void convertItems(const TreeSelectedViewInfo& selectedViewInfo);
    void createComponentItems(const TreeSelectedViewInfo& selectedViewInfo);

    void openConvertView();
    void openCreateComponent();
    void closePage();

    QMenu* outlineViewMenuForItem(ViewTreeOutlineView* outlineView, const QModelIndex& item, int row) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    ViewsViewController();

    void viewDidLoad();
    void loadFromEditor();
    void setupHeader();
    void setupOutlineView();
    void setupNoDataView();
    void updateUI();
    NoDataView* getNoDataView();
    void searchTextChanged(const QString& text);
    void mirrorSelection();
    // The one place the page changes the canvas selection: the overlay shows `viewInfoList`.
    void selectOnCanvas(const std::vector<std::shared_ptr<ViewInfo>>& viewInfoList);
    void openSideMenuPage(SideMenuContentType type);

    ViewOutlineTreeModel* m_model = nullptr;      // owned by this widget (QObject child)
    QVBoxLayout* m_stackView = nullptr;           // owned by this widget's layout
    SearchableListHeader* m_header = nullptr;     // owned by the layout
    QWidget* m_listContentView = nullptr;         // owned by the layout
    ViewTreeOutlineView* m_outlineView = nullptr; // owned by m_listContentView
    ViewItemRowView* m_rowView = nullptr;         // owned by this widget (QObject child)
    QPointer<NoDataView> m_noDataView;            // owned by m_listContentView once made
    bool m_loaded = false;
};
