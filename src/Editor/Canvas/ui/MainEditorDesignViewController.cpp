#include "Editor/Canvas/ui/MainEditorDesignViewController.h"

#include "App/TutorialType.h"
#include "App/UserDefaultsKeys.h"
#include "App/ui/TutorialManager.h"
#include "App/ui/IndicatorManager.h"
#include "Base/ServiceEndPoints.h"
#include "Base/ServiceManager.h"
#include "CodePreferences/ui/MainEditorCodeViewController.h"
#include "Components/ui/ComponentInfoSelectionViewController.h"
#include "Components/ui/ConvertViewComponentViewController.h"
#include "Components/ui/CreateComponentViewController.h"
#include "Editor/ArtboardDetailInfoResponse.h"
#include "Editor/ArtboardViewInfoItem.h"
#include "Editor/Canvas/CanvasColors.h"
#include "Editor/Canvas/CoordinateUtils.h"
#include "Editor/Canvas/PreviewDecoder.h"
#include "Editor/Canvas/ui/CanvasContainerWidget.h"
#include "Editor/Canvas/ui/CanvasDocumentWidget.h"
#include "Editor/Canvas/ui/CanvasOverlayWidget.h"
#include "Editor/ui/EditorHierarchy.h"
#include "Editor/ui/MainEditorViewController.h"
#include "Import/Plugin/ResourceDownloadRequest.h"
#include "Import/Plugin/ResourceDownloadResponse.h"
#include "Import/Sketch/ArtboardContainerModel.h"
#include "Projects/ProjectContainerModel.h"
#include "Projects/ui/MainViewController.h"
#include "Projects/ui/SideMenuItemsViewController.h"
#include "Projects/ui/SideMenuViewController.h"
#include "platform/Localization.h"
#include "platform/UserDefaults.h"

#include <QCursor>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QNativeGestureEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {
QString colorCss(const QString& name)
{
    return CanvasColors::named(name).name(QColor::HexArgb);
}

SideMenuItemsViewController* sideMenuItemsOf(const ViewController* canvas)
{
    MainEditorViewController* editor = editorhierarchy::editorOfCanvas(canvas);
    MainViewController* root = editorhierarchy::mainViewOfEditor(editor);
    auto* side = root ? root->childAs<SideMenuViewController>(0) : nullptr;
    return side ? side->childAs<SideMenuItemsViewController>(0) : nullptr;
}
} // namespace

MainEditorDesignViewController* MainEditorDesignViewController::instantiate()
{
    return new MainEditorDesignViewController;
}

MainEditorDesignViewController::MainEditorDesignViewController()
{
    setObjectName(QStringLiteral("MainEditorDesignViewController"));
    m_tracking.highlightContainerView = &m_overlay;
    m_selection.overlay = &m_overlay;
    m_selection.tracking = &m_tracking;
    m_selection.viewInfoListProvider = [this] { return viewInfoList(); };
    m_selection.updateActiveVCSelectedViewInfoList = [this] { updateActiveVCSelectedViewInfoList(); };
    m_selection.openMenu = [this] { openMenu(); };
    buildLayout();
    m_overlay.setNeedsDisplayHandler([this](const QRectF& area) { m_overlayLayer->updateCanvasRect(area); });
    m_tracking.needsDisplay = [this](const QRectF& area) { m_overlayLayer->updateCanvasRect(area); };
    m_tracking.trackingChanged = [this](bool installed) { m_document->setMouseTracking(installed); };
    // The view has loaded: every press runs the tracking.
    m_tracking.isDraggingActive = true;
    setupInitialStyle();
}

MainEditorDesignViewController::~MainEditorDesignViewController()
{
    // The document and the overlay's layer paint from the overlay and the tracking: let them go first.
    m_overlay.setNeedsDisplayHandler({});
    m_tracking.needsDisplay = {};
    m_tracking.trackingChanged = {};
    m_tracking.setTrackingDelegate(nullptr);
    m_screenScrollView->viewport()->removeEventFilter(this);
    delete m_screenContainerView;
    m_screenContainerView = nullptr;
    m_document = nullptr;
    m_overlayLayer = nullptr;
}

void MainEditorDesignViewController::buildLayout()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_designToolBar = new QWidget(this);
    m_designToolBar->setObjectName(QStringLiteral("designToolBar"));
    auto* toolBar = new QHBoxLayout(m_designToolBar);
    toolBar->setContentsMargins(8, 6, 8, 6);
    m_createComponentButton = new QPushButton(platform::localized("mainEditorDesignViewController.createComponentButton.title"), m_designToolBar);
    m_createComponentButton->setObjectName(QStringLiteral("createComponentButton"));
    m_convertToButton = new QPushButton(platform::localized("mainEditorDesignViewController.convertToButton.title"), m_designToolBar);
    m_convertToButton->setObjectName(QStringLiteral("convertToButton"));
    connect(m_createComponentButton, &QPushButton::clicked, this, [this] { createComponentAction(); });
    connect(m_convertToButton, &QPushButton::clicked, this, [this] { convertToAction(); });
    toolBar->addWidget(m_createComponentButton);
    toolBar->addWidget(m_convertToButton);
    toolBar->addStretch(1);
    m_zoomView = new QFrame(m_designToolBar);
    m_zoomView->setObjectName(QStringLiteral("zoomView"));
    auto* zoomLayout = new QHBoxLayout(m_zoomView);
    zoomLayout->setContentsMargins(4, 2, 4, 2);
    m_zoomOutButton = new QToolButton(m_zoomView);
    m_zoomOutButton->setObjectName(QStringLiteral("zoomOutButton"));
    m_zoomOutButton->setText(QStringLiteral("\u2212"));
    m_zoomPercentage = new QLabel(m_zoomView);
    m_zoomPercentage->setObjectName(QStringLiteral("zoomPercentage"));
    m_zoomPercentage->setMinimumWidth(44);
    m_zoomPercentage->setAlignment(Qt::AlignCenter);
    m_zoomInButton = new QToolButton(m_zoomView);
    m_zoomInButton->setObjectName(QStringLiteral("zoomInButton"));
    m_zoomInButton->setText(QStringLiteral("+"));
    connect(m_zoomOutButton, &QToolButton::clicked, this, [this] { zoomOut(); });
    connect(m_zoomInButton, &QToolButton::clicked, this, [this] { zoomIn(); });
    zoomLayout->addWidget(m_zoomOutButton);
    zoomLayout->addWidget(m_zoomPercentage);
    zoomLayout->addWidget(m_zoomInButton);
    toolBar->addWidget(m_zoomView);
    layout->addWidget(m_designToolBar);

    m_designerModeInfoView = new QFrame(this);
    m_designerModeInfoView->setObjectName(QStringLiteral("designerModeInfoView"));
    auto* banner = new QHBoxLayout(m_designerModeInfoView);
    banner->setContentsMargins(10, 6, 10, 6);
    m_designerModeLabel = new QLabel(m_designerModeInfoView);
    m_designerModeLabel->setObjectName(QStringLiteral("designerModeLabel"));
    m_designerModeLabel->setWordWrap(true);
    banner->addWidget(m_designerModeLabel);
    m_designerModeInfoView->hide();
    layout->addWidget(m_designerModeInfoView);

    // The scroll area and the warning share one cell: the warning lies over the canvas.
    auto* canvasArea = new QWidget(this);
    auto* grid = new QGridLayout(canvasArea);
    grid->setContentsMargins(0, 0, 0, 0);
    m_screenScrollView = new QScrollArea(canvasArea);
    m_screenScrollView->setObjectName(QStringLiteral("screenScrollView"));
    // The container fills the visible canvas at least and grows with the document.
    m_screenScrollView->setWidgetResizable(true);
    m_document = new CanvasDocumentWidget(&m_tracking);
    m_overlayLayer = new CanvasOverlayWidget(&m_overlay, &m_tracking, m_document);
    m_screenContainerView = new CanvasContainerWidget(m_document, m_overlayLayer);
    m_screenScrollView->setWidget(m_screenContainerView);
    // It paints its own background, for the exposed pixels only.
    m_screenContainerView->setAutoFillBackground(false);
    for (QWidget* widget : {static_cast<QWidget*>(m_document), static_cast<QWidget*>(m_screenContainerView),
                            m_screenScrollView->viewport()})
        widget->installEventFilter(this);
    grid->addWidget(m_screenScrollView, 0, 0);
    m_noScreenWarningView = new QWidget(canvasArea);
    m_noScreenWarningView->setObjectName(QStringLiteral("noScreenWarningView"));
    m_noScreenWarningView->setAttribute(Qt::WA_StyledBackground, true);
    auto* warningLayout = new QVBoxLayout(m_noScreenWarningView);
    m_warningSubView = new QWidget(m_noScreenWarningView);
    m_warningSubView->setObjectName(QStringLiteral("warningSubView"));
    auto* subLayout = new QVBoxLayout(m_warningSubView);
    m_noScreenWarningTextLabel = new QLabel(m_warningSubView);
    m_noScreenWarningTextLabel->setObjectName(QStringLiteral("noScreenWarningTextLabel"));
    m_noScreenWarningTextLabel->setAlignment(Qt::AlignCenter);
    m_noScreenWarningTextLabel->setWordWrap(true);
    subLayout->addWidget(m_noScreenWarningTextLabel);
    warningLayout->addStretch(1);
    warningLayout->addWidget(m_warningSubView);
    warningLayout->addStretch(1);
    grid->addWidget(m_noScreenWarningView, 0, 0);
    layout->addWidget(canvasArea, 1);

    connect(m_screenScrollView->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { collectionViewDidScroll(); });
    connect(m_screenScrollView->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { collectionViewDidScroll(); });
}

void MainEditorDesignViewController::setupInitialStyle()
{
    m_designToolBar->setStyleSheet(QStringLiteral("#designToolBar{background:transparent;}"));
    // The shadow is painted beside the document, never by an effect that re-renders the document.
    m_screenContainerView->setShadow(CanvasColors::named(QStringLiteral("breadcrumbBg")), 12);
    m_screenContainerView->setBackgroundColor(QColor(0xe9, 0xe9, 0xee));
    m_screenScrollView->setStyleSheet(QStringLiteral("QScrollArea{background:#e9e9ee;border:none;}"));
    m_designerModeLabel->setText(QString());
    m_designerModeInfoView->setStyleSheet(QStringLiteral("#designerModeInfoView{background:#fff4c2;} #designerModeLabel{color:#5a4500;}"));
    m_noScreenWarningView->setStyleSheet(QStringLiteral("#noScreenWarningView{background:") + colorCss(QStringLiteral("noDataBackground"))
                                         + QStringLiteral(";}"));
    showNoScreen(false);
    m_zoomView->setStyleSheet(QStringLiteral("#zoomView{background:") + colorCss(QStringLiteral("zoomViewColor"))
                              + QStringLiteral(";border:1px solid ") + colorCss(QStringLiteral("projectIconBorder"))
                              + QStringLiteral(";border-radius:4px;}"));
    m_zoomPercentage->setStyleSheet(QStringLiteral("color:") + colorCss(QStringLiteral("zoomLabel")) + QLatin1Char(';'));
    collectionViewDidScroll();
}

void MainEditorDesignViewController::showEvent(QShowEvent* event)
{
    ViewController::showEvent(event);
    m_tracking.setTrackingDelegate(&m_selection);
    showTutorialIfNeeded();
}

void MainEditorDesignViewController::showTutorialIfNeeded()
{
    auto& defaults = platform::UserDefaults::standard();
    const QString key(UserDefaultsKeys::artboardDragTutorialShown);
    if (defaults.boolForKey(key)) return;
    // Beside the preview's container: it has the canvas's size from the start, while the
    // document has none until a preview arrives.
    TutorialManager::instance().openTutorial(TutorialType::drag, m_screenScrollView, m_screenContainerView,
                                             QSize(316, 338), Qt::RightEdge);
    defaults.setBool(key, true);
}

void MainEditorDesignViewController::setArtboard(const std::shared_ptr<ProjectContainerModel>& container,
                                                 const QString& projectId, bool withoutDesignUpdate)
{
    ++m_loadGeneration;
    m_projectId = projectId;
    m_artboardContainer = container ? container->selectedArtboardContainerModel : nullptr;
    m_projectContainer = container;
    showNoScreen(false);
    if (!withoutDesignUpdate) requestImageData();
}

void MainEditorDesignViewController::requestImageData()
{
    const auto artboard = m_artboardContainer ? m_artboardContainer->artboard : nullptr;
    if (!artboard || artboard->do_objectID.empty() || !m_projectId || m_projectId->isEmpty()) {
        // Nothing to ask for: the canvas has no screen to show.
        showNoScreen(true);
        Q_EMIT previewUpdated(false);
        return;
    }
    ResourceDownloadRequest request;
    request.projectId = m_projectId->toStdString();
    request.oid = artboard->do_objectID;
    ServiceCallOptions options;
    options.silentNoInternetConnection = true;
    options.showIndicatorView = true;
    options.targetIndicatorView = this;
    QPointer<MainEditorDesignViewController> guard(this);
    const unsigned generation = m_loadGeneration;
    ServiceManager::shared().callService<ResourceDownloadResponse>(
        ServiceEndPoints::Project::downloadArtboardPreview, request, options,
        [guard, generation](const ResourceDownloadResponse& response) {
            if (!guard || guard->m_loadGeneration != generation) return;
            if (const auto url = PreviewDecoder::mediaUrl(response.mediaLink)) {
                guard->downloadImage(*url);
            } else {
                guard->showNoScreen(true);
                Q_EMIT guard->previewUpdated(false);
            }
        });
}

void MainEditorDesignViewController::downloadImage(const QUrl& url)
{
    m_noScreenWarningView->show();
    IndicatorManager::shared().addIndicator(this);
    QPointer<MainEditorDesignViewController> guard(this);
    const unsigned generation = m_loadGeneration;
    ServiceManager::shared().getData(url, [guard, generation](std::optional<QByteArray> bytes, QString) {
        if (!guard || guard->m_loadGeneration != generation) return;
        IndicatorManager::shared().removeIndicator();
        if (!bytes) {
            guard->showNoScreen(true);
            Q_EMIT guard->previewUpdated(false);
            return;
        }
        guard->m_noScreenWarningView->hide();
        guard->m_tracking.setTrackingDelegate(&guard->m_selection);
        guard->updateUIForScreenData(PreviewDecoder::decode(*bytes));
    });
}

void MainEditorDesignViewController::updateUIForScreenData(const QImage& image)
{
    bool shown = false;
    if (!image.isNull() && m_artboardContainer && m_artboardContainer->artboard) {
        const ArtboardSumModel& artboard = *m_artboardContainer->artboard;
        const auto ratio = CoordinateUtils::screenRatio(artboard.frame.width);
        const QImage normalized = ratio ? CoordinateUtils::getNormalizedPreview(image, artboard, *ratio) : QImage();
        if (normalized.isNull()) {
            // No usable scale for this artboard: the warning, and the previous ratio stays.
            showNoScreen(true);
        } else {
            m_screenRatio = *ratio;
            m_selection.setScreenRatio(m_screenRatio);
            m_previewImage = normalized;
            m_document->setCanvasSize(QSizeF(artboard.frame.width * m_screenRatio, artboard.frame.height * m_screenRatio));
            m_document->setPreview(normalized);
            showNoScreen(false);
            shown = true;
        }
    }
    m_overlay.hideHighlightView(false);
    m_overlay.hideHighlightView(true);
    Q_EMIT previewUpdated(shown);
}

void MainEditorDesignViewController::showNoScreen(bool show)
{
    m_warningSubView->setVisible(show);
    m_noScreenWarningView->setVisible(show);
    m_noScreenWarningTextLabel->setText(platform::localized("mainEditorDesignViewController.noScreenWarningTextLabel.text"));
    if (!show) return;
    m_previewImage = QImage();
    m_document->setPreview(QImage());
    m_tracking.setTrackingDelegate(nullptr);
}

void MainEditorDesignViewController::setUserMode(const QString& info, bool show)
{
    m_designerModeInfoView->setVisible(show);
    m_designerModeLabel->setText(info);
    m_designerModeInfoView->setToolTip(platform::localized("designerModeInfoView.ToolTip.Message"));
}

double MainEditorDesignViewController::getZoomRatio() const
{
    return m_magnification;
}

void MainEditorDesignViewController::zoomIn()
{
    setMagnification(m_magnification + kMagnificationStep);
}

void MainEditorDesignViewController::zoomOut()
{
    setMagnification(m_magnification - kMagnificationStep);
}

void MainEditorDesignViewController::setMagnification(double magnification, std::optional<QPointF> anchor)
{
    if (!std::isfinite(magnification)) return;
    const double clamped = std::clamp(magnification, kMinMagnification, kMaxMagnification);
    QWidget* viewport = m_screenScrollView->viewport();
    const QPointF at = anchor ? *anchor : QPointF(viewport->width() * 0.5, viewport->height() * 0.5);
    const QPointF canvasPoint = m_document->toCanvas(m_document->mapFrom(viewport, at));
    m_magnification = clamped;
    m_document->setZoom(clamped);
    // The container has taken the document's new size, and the scroll ranges with it: bring the
    // canvas point back under `at`.
    const QPointF after = m_document->mapTo(m_screenContainerView, m_document->toWidget(canvasPoint));
    m_screenScrollView->horizontalScrollBar()->setValue(static_cast<int>(std::lround(after.x() - at.x())));
    m_screenScrollView->verticalScrollBar()->setValue(static_cast<int>(std::lround(after.y() - at.y())));
    collectionViewDidScroll();
}

bool MainEditorDesignViewController::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    QWidget* viewport = m_screenScrollView->viewport();
    const auto inViewport = [&](const QPointF& point) {
        return widget == viewport ? point : widget->mapTo(viewport, point);
    };
    if (widget && event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (!wheel->modifiers().testFlag(Qt::ControlModifier)) return false; // the plain wheel scrolls
        if (const auto next = CanvasZoom::afterWheel(m_magnification, wheel->angleDelta().y()))
            setMagnification(*next, inViewport(wheel->position()));
        wheel->accept(); // taken here: the widgets round the document must not act on it again
        return true;
    }
    if (widget && event->type() == QEvent::NativeGesture) {
        auto* gesture = static_cast<QNativeGestureEvent*>(event);
        if (gesture->gestureType() != Qt::ZoomNativeGesture) return false;
        if (const auto next = CanvasZoom::afterPinch(m_magnification, gesture->value()))
            setMagnification(*next, inViewport(gesture->position()));
        gesture->accept();
        return true;
    }
    return ViewController::eventFilter(watched, event);
}

QWidget* MainEditorDesignViewController::screenContainerView() const
{
    return m_screenContainerView;
}

void MainEditorDesignViewController::collectionViewDidScroll()
{
    m_zoomPercentage->setText(CanvasZoom::label(m_magnification));
}

const std::vector<std::shared_ptr<ViewInfo>>* MainEditorDesignViewController::viewInfoList() const
{
    MainEditorViewController* editor = editorhierarchy::editorOfCanvas(this);
    if (!editor || !editor->response || editor->response->artboardViewInfoList.empty()) return nullptr;
    const auto& item = editor->response->artboardViewInfoList.front();
    return item ? &item->viewInfoList : nullptr;
}

void MainEditorDesignViewController::updateActiveVCSelectedViewInfoList()
{
    MainEditorViewController* editor = editorhierarchy::editorOfCanvas(this);
    SideMenuContentViewController* content = editorhierarchy::sideMenuContentOfEditor(editor);
    ViewController* active = content ? content->getActiveVC() : nullptr;
    if (auto* create = qobject_cast<CreateComponentViewController*>(active)) {
        if (auto* info = create->infoSelectionVC()) info->updateSelectedViewInfoList();
    } else if (auto* convert = qobject_cast<ConvertViewComponentViewController*>(active)) {
        if (auto* info = convert->infoSelectionVC()) info->updateSelectedViewInfoList();
    }
}

void MainEditorDesignViewController::openMenu()
{
    if (m_menu) m_menu->close();
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setObjectName(QStringLiteral("canvasMenu"));
    QAction* convert = menu->addAction(platform::localized("mainEditorDesignViewController.menu.convertTo"));
    connect(convert, &QAction::triggered, this, [this] { convertToAction(); });
    m_menu = menu;
    menu->popup(QCursor::pos(), convert);
    Q_EMIT menuOpened(menu);
}

void MainEditorDesignViewController::createComponentAction()
{
    if (auto* items = sideMenuItemsOf(this)) items->openCreateComponent();
}

void MainEditorDesignViewController::convertToAction()
{
    if (auto* items = sideMenuItemsOf(this)) items->openConvertView();
}

void MainEditorDesignViewController::menuItemSelected(QAction* item)
{
    if (auto* code = editorhierarchy::codeTabOfCanvas(this)) code->menuItemSelected(item);
}

std::vector<SelectedViewInfo>
MainEditorDesignViewController::getSelectedViewInfoList(const std::vector<std::shared_ptr<ViewInfo>>& selectedViews) const
{
    return m_selection.getSelectedViewInfoList(selectedViews);
}

void MainEditorDesignViewController::highlight(const SelectedViewInfo& selectedViewInfo, bool isHighlighting)
{
    m_selection.highlight(selectedViewInfo, isHighlighting);
}

void MainEditorDesignViewController::update(const SelectedViewInfo& selectedViewInfo)
{
    m_selection.update(selectedViewInfo);
}

void MainEditorDesignViewController::resetSelectedViews()
{
    m_selection.resetSelectedViews();
}

void MainEditorDesignViewController::setSelectedViewsToSessionAndHighlightSelectionBorder()
{
    m_selection.setSelectedViewsToSessionAndHighlightSelectionBorder();
}
