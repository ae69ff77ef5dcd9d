#pragma once

#include "App/ui/ViewController.h"
#include "Editor/Canvas/CanvasZoom.h"
#include "Editor/Canvas/DesignCanvasSelection.h"
#include "Editor/Canvas/GMTrackingView.h"
#include "Editor/Canvas/HighlightContainerView.h"

#include <QImage>
#include <QFrame>
#include <QMenu>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class CanvasContainerWidget;
class CanvasDocumentWidget;
class CanvasOverlayWidget;
class QAction;

class QLabel;

class QPushButton;
class QScrollArea;
class QToolButton;
struct ArtboardContainerModel;
struct ProjectContainerModel;

// The design half of the editor: the artboard's preview at the canvas scale in a zoomable
// scroll area, the selection overlay and the mouse tracking over it (one geometry, inside the
// preview's container; the overlay's drawings reach past the preview onto the canvas round it),
// the zoom controls, magnification by Control + wheel and by a touchpad pinch, the canvas menu,
// the designer banner, the warning shown without a preview, and the drag tutorial shown once
// beside the preview's container. Gestures go to the canvas selection logic, which hit-tests the
// editor's view records and publishes to the component-creation session.
class MainEditorDesignViewController : public ViewController {
    Q_OBJECT

public:
    // Width of the canvas preview in points (PreviewConstants::previewSize()), for the editor's layout.
    static constexpr double kPreviewWidth = 375.0;
    static constexpr double kMinMagnification = CanvasZoom::kMinMagnification;
    static constexpr double kMaxMagnification = CanvasZoom::kMaxMagnification;
    static constexpr double kMagnificationStep = CanvasZoom::kButtonStep;

    static MainEditorDesignViewController* instantiate();
    ~MainEditorDesignViewController() override;

    // Shows the selected artboard of `container`; loads its preview unless `withoutDesignUpdate`.
    void setArtboard(const std::shared_ptr<ProjectContainerModel>& container, const QString& projectId,
                     bool withoutDesignUpdate);
    // The designer-mode banner: shown with `info` when `show`, hidden otherwise.
    void setUserMode(const QString& info, bool show);
    // A file chosen in the code menu; handed to the editor's code tab.
    void menuItemSelected(QAction* item);
    void createComponentAction();
    void convertToAction();
    void zoomIn();
    void zoomOut();
    double getZoomRatio() const;
    // Sets the magnification (kept within its limits), keeping the canvas point under `anchor`
    // (a point of the scroll area's viewport; its middle when none is given) where it was.
    void setMagnification(double magnification, std::optional<QPointF> anchor = std::nullopt);

    // For the component pages and the views page.
    std::vector<SelectedViewInfo> getSelectedViewInfoList(const std::vector<std::shared_ptr<ViewInfo>>& selectedViews) const;
    void highlight(const SelectedViewInfo& selectedViewInfo, bool isHighlighting);
    void update(const SelectedViewInfo& selectedViewInfo);
    void resetSelectedViews();
    void setSelectedViewsToSessionAndHighlightSelectionBorder();

    HighlightContainerView* highlightContainerView() { return &m_overlay; }
    GMTrackingView* screenTrackingView() { return &m_tracking; }
    DesignCanvasSelection* canvasSelection() { return &m_selection; }
    CanvasDocumentWidget* documentView() const { return m_document; }
    QWidget* screenContainerView() const;
    QScrollArea* screenScrollView() const { return m_screenScrollView; }
    QLabel* zoomPercentage() const { return m_zoomPercentage; }
    QWidget* noScreenWarningView() const { return m_noScreenWarningView; }
    QWidget* warningSubView() const { return m_warningSubView; }
    QLabel* noScreenLabel() const { return m_noScreenWarningTextLabel; }
    QWidget* designerModeInfoView() const { return m_designerModeInfoView; }
    QLabel* userModeLabel() const { return m_designerModeLabel; }
    QMenu* canvasMenu() const { return m_menu.data(); }
    double screenRatio() const { return m_screenRatio; }
    const QImage& previewImage() const { return m_previewImage; }

Q_SIGNALS:
    // A preview load ended: shown, or without one (warning or undecodable bytes).
    void previewUpdated(bool shown);
    // The canvas menu opened (it is open until the user picks or dismisses it).
    void menuOpened(QMenu* menu);

protected:
    void showEvent(QShowEvent* event) override;
    // Control + wheel and a pinch over the canvas magnify; everything else passes on.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MainEditorDesignViewController();
    void buildLayout();
    void setupInitialStyle();
    void requestImageData();
    void downloadImage(const QUrl& url);
    void updateUIForScreenData(const QImage& image);
    void showNoScreen(bool show);
    void collectionViewDidScroll();
    void updateActiveVCSelectedViewInfoList();
    void openMenu();
    void showTutorialIfNeeded();
    const std::vector<std::shared_ptr<ViewInfo>>* viewInfoList() const;

    std::shared_ptr<ArtboardContainerModel> m_artboardContainer;
    std::shared_ptr<ProjectContainerModel> m_projectContainer;
    double m_screenRatio = 0.0;
    std::optional<QString> m_projectId;
    double m_magnification = 1.0;
    // Bumped by every new artboard: a load that answers after the next one started is dropped.
    unsigned m_loadGeneration = 0;
    QImage m_previewImage; // the normalised preview shown, canvas scale

    HighlightContainerView m_overlay;
    GMTrackingView m_tracking;
    DesignCanvasSelection m_selection;

    // Widgets, owned through the layout.
    QWidget* m_designToolBar = nullptr;
    QPushButton* m_createComponentButton = nullptr;
    QPushButton* m_convertToButton = nullptr;
    QFrame* m_zoomView = nullptr;
    QToolButton* m_zoomOutButton = nullptr;
    QToolButton* m_zoomInButton = nullptr;
    QLabel* m_zoomPercentage = nullptr;
    QFrame* m_designerModeInfoView = nullptr;
    QLabel* m_designerModeLabel = nullptr;
    QScrollArea* m_screenScrollView = nullptr;
    CanvasContainerWidget* m_screenContainerView = nullptr; // the scroll area's content
    CanvasDocumentWidget* m_document = nullptr; // preview and tracking; in the container
    CanvasOverlayWidget* m_overlayLayer = nullptr; // the overlay's drawings, over the document and round it
    QWidget* m_noScreenWarningView = nullptr;
    QWidget* m_warningSubView = nullptr;
    QLabel* m_noScreenWarningTextLabel = nullptr;
    QPointer<QMenu> m_menu;
};
