#pragma once

#include "App/ui/ViewController.h"
#include "Components/ComponentDisplayInfo.h"
#include "Projects/ProjectDisplayInfo.h"

#include <QPointer>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class ComponentsViewController;
class ConvertViewComponentViewController;
class CreateComponentViewController;
class MainEditorCodeViewController;
class MainEditorDesignViewController;
class MainEditorWindowDelegate;
class QSplitter;
struct ArtboardDetailInfoResponse;
struct GetProjectComponentTypeListResponse;
struct ProjectContainerModel;

// The design editor of one artboard: the design half (child 0) and the code tab (child 1).
// Lives on top of the project window's content stack beside the side menu.
class MainEditorViewController : public ViewController {
    Q_OBJECT

public:
    // Tags of the window's export item: usable while the editor shows, not otherwise.
    static constexpr int kExportItemActiveTag = 0;
    static constexpr int kExportItemInactiveTag = -20;

    static MainEditorViewController* instantiate();
    ~MainEditorViewController() override;

    // The hosting window; must be a QObject (the editor stops using it once it is gone).
    void setWindowDelegate(MainEditorWindowDelegate* delegate); // not owned
    MainEditorWindowDelegate* windowDelegate() const;

    std::shared_ptr<ArtboardDetailInfoResponse> response;
    std::optional<ProjectDisplayInfo> project;
    std::optional<std::string> projectId;
    bool isSample = false;

    // No caller needs them; they answer the shown artboard's name and id.
    virtual std::string getSelectedArtboardInfo() const;
    virtual std::string getArtboardId() const;

    // A new artboard detail has been built into `container` by the project window.
    void updateUI(const std::shared_ptr<ProjectContainerModel>& container, bool withoutDesign);
    // Child 1 when it is the code tab.
    MainEditorCodeViewController* getCodeViewController() const;
    MainEditorDesignViewController* getDesignViewController() const;

    // Reloads the shown artboard's detail; the reply goes through the project window.
    void fetchArtboardDetail();
    void fetchComponents();
    void fetchComponentTypeList();
    void update(const GetProjectComponentTypeListResponse& componentTypeListResponse);
    // Deletes the component with all its instances; a confirmed delete refreshes the
    // components, the component types and the artboard detail, in that order.
    void deleteComponent(const std::string& componentId, const std::vector<ComponentDisplayInfo>& currentComponents);

    ComponentsViewController* getComponentsVC() const;
    CreateComponentViewController* getCreateComponentVC() const;
    ConvertViewComponentViewController* getConvertViewVC() const;

    // Hides the code half from designers and tells the canvas which banner to show.
    void showUserMode();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    MainEditorViewController();
    void setExportItemActive(bool active);
    // Empties the component session's selection and the component pages' layer tables.
    void forgetComponentSelection();

    QSplitter* m_splitter = nullptr; // owned by the layout
    std::string m_shownArtboardId;   // of the last detail shown; empty before the first
    QPointer<QObject> m_windowObject;
    MainEditorWindowDelegate* m_windowDelegate = nullptr; // not owned; valid while m_windowObject lives
};
