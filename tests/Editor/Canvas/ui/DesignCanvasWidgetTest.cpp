#include "CanvasWidgetTestKit.h"

#include "Components/CreateComponentSession.h"
#include "Editor/Canvas/HighlightContainerView.h"
#include "Editor/Canvas/ui/CanvasDocumentWidget.h"
#include "Editor/Canvas/ui/MainEditorDesignViewController.h"
#include "platform/Archive.h"
#include "platform/Localization.h"
#include "platform/UserDefaults.h"
#include "App/UserDefaultsKeys.h"
#include "App/ui/TutorialManager.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPaintEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>

#include <cmath>
#include <limits>

namespace {
using Kit = CanvasWidgetTestKit;

// Collects what a widget is asked to paint.
class PaintRecorder : public QObject {
public:
    explicit PaintRecorder(QWidget* widget) { widget->installEventFilter(this); }
    QRegion painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

// Lets the window repaint what earlier steps left to repaint.
void settle()
{
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

// The colour ("#rrggbb") of the canvas's pixel that shows canvas point `at`, as the user sees it
// (the preview's container with everything over it); "none" where the canvas has no such pixel.
std::string canvasPixel(MainEditorDesignViewController* canvas, QPointF at)
{
    QWidget* container = canvas->screenContainerView();
    const QPointF exact = canvas->documentView()->mapTo(container, canvas->documentView()->toWidget(at));
    const QPoint pixel(static_cast<int>(std::floor(exact.x())), static_cast<int>(std::floor(exact.y())));
    if (!container->rect().contains(pixel)) return "none";
    return container->grab(QRect(pixel, QSize(1, 1))).toImage().pixelColor(0, 0).name().toStdString();
}

class DesignCanvasWidgetTest : public ::testing::Test {
protected:
    void SetUp() override { CreateComponentSession::setSession(&session); }
    void TearDown() override { CreateComponentSession::setSession(nullptr); }

    QRectF outlineOf(const std::string& oid)
    {
        const SelectedViewInfo* entry = kit.canvas()->highlightContainerView()->scannedViews.find(oid);
        return entry && entry->scannedView ? entry->scannedView->frame : QRectF();
    }

    CreateComponentSession session;
    Kit kit;
};

TEST_F(DesignCanvasWidgetTest, clicksAtTwoZoomsSelectTheViewUnderThePointerAndOutlineItInCanvasUnits)
{
    kit.serve(kit.previewUrl(), Kit::pngBytes(750, 1334));
    ASSERT_TRUE(kit.open());
    MainEditorDesignViewController* canvas = kit.canvas();
    EXPECT_DOUBLE_EQ(canvas->screenRatio(), 0.5);
    EXPECT_EQ(canvas->previewImage().size(), QSize(375, 667));

    const struct {
        double zoom;
        QPoint pixel;
        const char* oid;
        QRectF outline;
    } cases[] = {
        {1.0, {10, 20}, "title", {5, 10, 50, 25}},   // canvas (10, 20), artboard (20, 40)
        {1.5, {150, 60}, "badge", {90, 30, 30, 20}}, // canvas (100, 40), artboard (200, 80)
        {1.5, {15, 30}, "title", {5, 10, 50, 25}},   // canvas (10, 20)
        {1.0, {300, 400}, "background", {0, 0, 375, 667}},
    };
    for (const auto& c : cases) {
        canvas->setMagnification(c.zoom);
        ASSERT_DOUBLE_EQ(canvas->documentView()->zoom(), c.zoom);
        Kit::click(canvas->documentView(), c.pixel);
        EXPECT_EQ(kit.selection(), std::vector<std::string>{c.oid}) << c.zoom;
        EXPECT_EQ(outlineOf(c.oid), c.outline) << c.oid;
        EXPECT_TRUE(session.selectViewInfoList.contains(c.oid));
    }
}

TEST_F(DesignCanvasWidgetTest, aBandAndControlClicksWorkThroughTheDocumentWidget)
{
    kit.serve(kit.previewUrl(), Kit::pngBytes(750, 1334));
    ASSERT_TRUE(kit.open());
    QWidget* document = kit.canvas()->documentView();
    kit.canvas()->setMagnification(1.5);
    // Canvas (0, 5) to (150, 45): cuts the title and the badge, inside the header.
    Kit::press(document, {0, 8}, Qt::LeftButton);
    Kit::move(document, {100, 40}, Qt::LeftButton);
    Kit::move(document, {225, 68}, Qt::LeftButton);
    EXPECT_TRUE(session.selectViewInfoList.empty()); // not published while dragging
    Kit::release(document, {225, 68}, Qt::LeftButton);
    EXPECT_EQ(kit.selection(), (std::vector<std::string>{"title", "badge"}));
    EXPECT_EQ(session.selectViewInfoList.size(), 2u);
    EXPECT_EQ(kit.canvas()->screenTrackingView()->scannerView(), nullptr);
    EXPECT_EQ(kit.canvas()->highlightContainerView()->pointerViews.size(), 8u);

    Kit::click(document, {15, 30}, Qt::LeftButton, Qt::ControlModifier); // the title leaves
    EXPECT_EQ(kit.selection(), std::vector<std::string>{"badge"});
    Kit::click(document, {300, 480}, Qt::LeftButton, Qt::ControlModifier); // the button joins
    EXPECT_EQ(kit.selection(), (std::vector<std::string>{"badge", "button"}));
    Kit::click(document, {15, 30}, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier); // a plain click
    EXPECT_EQ(kit.selection(), std::vector<std::string>{"title"});
}

TEST_F(DesignCanvasWidgetTest, zoomStaysWithinItsLimitsAndTheLabelFollows)
{
    MainEditorDesignViewController* canvas = MainEditorDesignViewController::instantiate();
    const std::unique_ptr<QWidget> owner(canvas);
    EXPECT_EQ(canvas->zoomPercentage()->text(), QStringLiteral("100%"));
    const struct {
        void (MainEditorDesignViewController::*action)();
        int times;
        const char* label;
    } steps[] = {{&MainEditorDesignViewController::zoomIn, 1, "150%"},
                 {&MainEditorDesignViewController::zoomIn, 10, "400%"},
                 {&MainEditorDesignViewController::zoomOut, 1, "350%"},
                 {&MainEditorDesignViewController::zoomOut, 10, "50%"}};
    for (const auto& step : steps) {
        for (int i = 0; i < step.times; ++i) (canvas->*step.action)();
        EXPECT_EQ(canvas->zoomPercentage()->text(), QLatin1String(step.label));
    }
    EXPECT_DOUBLE_EQ(canvas->getZoomRatio(), 0.5);
}

TEST_F(DesignCanvasWidgetTest, previewsThatCannotBeShownTakeTheWarningRoad)
{
    const QString warning = platform::localized("mainEditorDesignViewController.noScreenWarningTextLabel.text");
    const QByteArray bomb = *platform::gzipData(QByteArray(70 * 1024 * 1024, '\0'));
    const struct {
        const char* name;
        std::string link;
        QByteArray bytes;
        bool warningShown;
    } cases[] = {
        {"missing media link", "", Kit::pngBytes(10, 10), true},
        {"relative media link", "/preview", Kit::pngBytes(10, 10), true},
        {"ftp media link", "ftp://127.0.0.1/preview", Kit::pngBytes(10, 10), true},
        {"bytes that are not an image", kit.previewUrl(), QByteArray("not an image"), false},
        {"gzip bomb", kit.previewUrl(), bomb, false},
        {"truncated gzip", kit.previewUrl(), platform::gzipData(Kit::pngBytes(50, 50))->left(40), false},
    };
    for (const auto& c : cases) {
        kit.serve(kit.previewUrl(), Kit::pngBytes(750, 1334));
        ASSERT_TRUE(kit.open()) << c.name;
        kit.serve(c.link, c.bytes);
        EXPECT_FALSE(kit.open()) << c.name;
        MainEditorDesignViewController* canvas = kit.canvas();
        EXPECT_EQ(canvas->noScreenWarningView()->isVisible(), c.warningShown) << c.name;
        EXPECT_EQ(canvas->noScreenLabel()->text(), warning);
        // Without a usable preview link nothing is shown and gestures are off; bytes that do not
        // decode leave the previous preview and its ratio.
        EXPECT_EQ(canvas->previewImage().isNull(), c.warningShown) << c.name;
        EXPECT_EQ(canvas->screenTrackingView()->trackingDelegate() == nullptr, c.warningShown) << c.name;
        EXPECT_DOUBLE_EQ(canvas->screenRatio(), 0.5) << c.name;
    }
}

TEST_F(DesignCanvasWidgetTest, anArtboardWithoutAUsableWidthShowsTheWarningAndKeepsTheRatio)
{
    kit.serve(kit.previewUrl(), Kit::pngBytes(750, 1334));
    ASSERT_TRUE(kit.open());
    for (double width : {0.0, -10.0, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_FALSE(kit.open(width)) << width;
        EXPECT_TRUE(kit.canvas()->noScreenWarningView()->isVisible()) << width;
        EXPECT_TRUE(kit.canvas()->previewImage().isNull()) << width;
        EXPECT_DOUBLE_EQ(kit.canvas()->screenRatio(), 0.5) << width;
        const QSize size = kit.canvas()->documentView()->size();
        EXPECT_TRUE(size.width() >= 0 && size.width() < 10000 && size.height() < 10000) << width;
    }
}

TEST_F(DesignCanvasWidgetTest, theRightClickMenuOpensInsideThePublishedFrameAndOnAView)
{
    kit.serve(kit.previewUrl(), Kit::pngBytes(750, 1334));
    ASSERT_TRUE(kit.open());
    MainEditorDesignViewController* canvas = kit.canvas();
    QSignalSpy menus(canvas, &MainEditorDesignViewController::menuOpened);
    Kit::click(canvas->documentView(), {10, 20});                                 // title
    Kit::click(canvas->documentView(), {100, 40}, Qt::LeftButton, Qt::ControlModifier); // badge joins
    Kit::click(canvas->documentView(), {60, 30}, Qt::RightButton);                 // inside their frame
    ASSERT_EQ(menus.count(), 1);
    ASSERT_TRUE(canvas->canvasMenu());
    ASSERT_EQ(canvas->canvasMenu()->actions().size(), 1);
    EXPECT_EQ(canvas->canvasMenu()->actions().front()->text(), QStringLiteral("Convert to .."));
    EXPECT_EQ(kit.selection(), (std::vector<std::string>{"title", "badge"}));
    canvas->canvasMenu()->close();

    Kit::click(canvas->documentView(), {250, 400}, Qt::RightButton); // outside, on the background
    EXPECT_EQ(menus.count(), 2);
    EXPECT_EQ(kit.selection(), std::vector<std::string>{"background"});
    canvas->canvasMenu()->close();
}

TEST_F(DesignCanvasWidgetTest, aRightClickOnNoViewOutsideTheFrameOpensNothing)
{
    kit.views = {};
    kit.serve(kit.previewUrl(), Kit::pngBytes(750, 1334));
    ASSERT_TRUE(kit.open());
    QSignalSpy menus(kit.canvas(), &MainEditorDesignViewController::menuOpened);
    Kit::click(kit.canvas()->documentView(), {50, 50}, Qt::RightButton);
    EXPECT_EQ(menus.count(), 0);
}

TEST_F(DesignCanvasWidgetTest, theDragTutorialOpensOnlyOnTheFirstAppearance)
{
    platform::UserDefaults::standard().removeObject(QString(UserDefaultsKeys::artboardDragTutorialShown));
    kit.serve(kit.previewUrl(), Kit::pngBytes(750, 1334));
    ASSERT_TRUE(kit.open()); // the first editor of this account shows it
    ASSERT_TRUE(TutorialManager::instance().openPopup());
    EXPECT_TRUE(TutorialManager::instance().openPopup()->isVisible());
    TutorialManager::instance().closeTutorial();
    kit.editor->hide();
    kit.editor->show();
    Kit second;
    second.serve(second.previewUrl(), Kit::pngBytes(750, 1334));
    ASSERT_TRUE(second.open());
    const QFrame* popup = TutorialManager::instance().openPopup(); // a closed one may await deletion
    EXPECT_FALSE(popup && popup->isVisible());
}

TEST_F(DesignCanvasWidgetTest, controlWheelAndPinchMagnifyAboutThePointerAndThePlainWheelScrolls)
{
    kit.serve(kit.previewUrl(), Kit::pngBytes(750, 1334));
    ASSERT_TRUE(kit.open());
    MainEditorDesignViewController* canvas = kit.canvas();
    CanvasDocumentWidget* document = canvas->documentView();
    QWidget* viewport = canvas->screenScrollView()->viewport();
    canvas->setMagnification(2.0);
    // A wheel event made in code does not travel up to the view as the window system's does: it
    // is handed to the document, and then to the view by hand.
    const int scrolled = canvas->screenScrollView()->verticalScrollBar()->value();
    Kit::wheel(document, {100, 100}, -120);
    Kit::wheel(viewport, {100, 100}, -120);
    EXPECT_GT(canvas->screenScrollView()->verticalScrollBar()->value(), scrolled);
    EXPECT_EQ(canvas->zoomPercentage()->text(), QStringLiteral("200%"));
    const struct {
        const char* name;
        bool pinch; // else a wheel turn with Control
        double amount;
        QPoint at; // where the pointer is in the scroll area's view
        const char* label;
        bool pointStays; // false where the document is smaller than the view and cannot scroll
    } steps[] = {
        {"half a notch of a fine wheel with Control", false, 60, {180, 300}, "224%", true},
        {"a pinch out", true, 0.5, {200, 350}, "335%", true},
        {"many notches", false, 2400, {120, 200}, "400%", true},
        {"a pinch in past the least", true, -0.95, {150, 250}, "50%", false},
        {"a pinch that is not a number", true, std::numeric_limits<double>::quiet_NaN(), {150, 250}, "50%", false},
    };
    for (const auto& step : steps) {
        const QPoint at = document->mapFrom(viewport, step.at);
        const QPointF canvasPoint = document->toCanvas(QPointF(at));
        if (step.pinch) {
            Kit::pinch(document, at, step.amount);
        } else {
            Kit::wheel(document, at, static_cast<int>(step.amount), Qt::ControlModifier);
        }
        EXPECT_EQ(canvas->zoomPercentage()->text(), QLatin1String(step.label)) << step.name;
        if (!step.pointStays) continue;
        const QPointF after = document->mapTo(viewport, document->toWidget(canvasPoint));
        EXPECT_NEAR(after.x(), step.at.x(), 1.0) << step.name;
        EXPECT_NEAR(after.y(), step.at.y(), 1.0) << step.name;
    }
    // A whole notch, over the canvas round the preview.
    Kit::wheel(canvas->screenContainerView(), {5, 5}, 120, Qt::ControlModifier);
    EXPECT_EQ(canvas->zoomPercentage()->text(), QStringLiteral("63%"));
}

// The tip used to hang on the document, which has no size before the preview arrives, so it
// floated over the middle of the canvas.
TEST_F(DesignCanvasWidgetTest, theDragTutorialSitsBesideThePreviewsContainerBeforeThePreviewArrives)
{
    platform::UserDefaults::standard().removeObject(QString(UserDefaultsKeys::artboardDragTutorialShown));
    const std::unique_ptr<MainEditorViewController> editor(MainEditorViewController::instantiate());
    editor->resize(900, 700);
    editor->show();
    const QFrame* popup = TutorialManager::instance().openPopup();
    ASSERT_TRUE(popup && popup->isVisible());
    const QWidget* container = editor->getDesignViewController()->screenContainerView();
    EXPECT_GT(container->width(), 300);
    EXPECT_GT(container->height(), 300);
    // At its right edge, level with its top (the layout may still settle by a pixel or two).
    const QPoint containerTopLeft = container->mapToGlobal(QPoint(0, 0));
    EXPECT_NEAR(popup->x(), containerTopLeft.x() + container->width() - 1, 4);
    EXPECT_NEAR(popup->y(), containerTopLeft.y(), 4);
    TutorialManager::instance().closeTutorial();
}

// A click on a long screen at zoom 4 used to repaint the whole document twice over (the shadow
// effect re-rendered all of it), and moving the pointer framed the view under it in blue; now a
// click repaints the outlines and handles it changes, and nothing follows the pointer.
TEST_F(DesignCanvasWidgetTest, aClickOnALongScreenRepaintsOnlyWhatItChangesAndThePointerNothing)
{
    kit.serve(kit.previewUrl(), Kit::pngBytes(750, 1334));
    ASSERT_TRUE(kit.open(750, 20000));
    MainEditorDesignViewController* canvas = kit.canvas();
    QWidget* document = canvas->documentView();
    canvas->setMagnification(4.0);
    canvas->screenScrollView()->horizontalScrollBar()->setValue(0);
    canvas->screenScrollView()->verticalScrollBar()->setValue(0);
    Kit::click(document, {40, 80}); // the title
    settle();
    PaintRecorder recorder(document);
    Kit::click(document, {400, 160}); // the badge
    settle();
    ASSERT_EQ(kit.selection(), std::vector<std::string>{"badge"});
    // The two outlines with the handles round them (canvas units), and a pixel's rounding.
    QRegion changed;
    for (const QRectF& outline : {QRectF(5, 10, 50, 25), QRectF(90, 30, 30, 20)}) {
        const QRectF withHandles = outline.adjusted(-4, -4, 4, 4);
        changed += QRect((withHandles.topLeft() * 4).toPoint(), (withHandles.bottomRight() * 4).toPoint()).adjusted(-3, -3, 3, 3);
    }
    EXPECT_FALSE(recorder.painted.isEmpty());
    EXPECT_TRUE((recorder.painted - changed).isEmpty());

    recorder.painted = QRegion();
    for (const QPoint at : {QPoint(40, 80), QPoint(600, 1320), QPoint(1200, 2400)}) Kit::move(document, at, Qt::NoButton);
    settle();
    EXPECT_TRUE(recorder.painted.isEmpty());
}

// The shadow is drawn by the canvas itself now, no longer by a widget effect over the document.
TEST_F(DesignCanvasWidgetTest, theDocumentCastsAShadowOnTheCanvasRoundIt)
{
    kit.serve(kit.previewUrl(), Kit::pngBytes(750, 1334));
    ASSERT_TRUE(kit.open());
    MainEditorDesignViewController* canvas = kit.canvas();
    canvas->setMagnification(0.5); // room round the document
    const QRect document = canvas->documentView()->geometry();
    // A row from 20 pixels left of the document's edge into the document.
    const QImage row = canvas->screenContainerView()->grab(QRect(document.left() - 20, document.top() + 150, 24, 1)).toImage();
    const QColor background = row.pixelColor(0, 0);
    EXPECT_EQ(background, QColor(0xe9, 0xe9, 0xee));
    EXPECT_LT(row.pixelColor(19, 0).lightness(), background.lightness() - 10);
    EXPECT_EQ(row.pixelColor(22, 0), QColor(240, 240, 245)); // the preview's own colour there, no shadow on it
}
// The overlay used to be painted inside the preview's rectangle only, so the background, a view
// at the artboard's edge, showed a quarter or half of each handle. Now every handle is whole,
// at any zoom, and the repaint of a new selection reaches the canvas round the preview but no
// further than the outlines and handles it changes.
TEST_F(DesignCanvasWidgetTest, handlesOfAViewAtThePreviewsEdgeAreWholeAndRepaintedBeyondIt)
{
    kit.serve(kit.previewUrl(), Kit::pngBytes(750, 1334));
    ASSERT_TRUE(kit.open());
    MainEditorDesignViewController* canvas = kit.canvas();
    QWidget* document = canvas->documentView();
    for (const double zoom : {1.0, 4.0}) {
        canvas->setMagnification(zoom);
        canvas->screenScrollView()->horizontalScrollBar()->setValue(0);
        canvas->screenScrollView()->verticalScrollBar()->setValue(0);
        Kit::click(document, (QPointF(50, 30) * zoom).toPoint()); // the title
        settle();
        PaintRecorder recorder(canvas->screenContainerView());
        Kit::click(document, (QPointF(300, 400) * zoom).toPoint());
        settle();
        ASSERT_EQ(kit.selection(), std::vector<std::string>{"background"}) << zoom;
        const auto& handles = canvas->highlightContainerView()->pointerViews;
        ASSERT_EQ(handles.size(), 8u);
        // Two canvas units in from each corner of a handle: its white inside.
        for (const auto& handle : handles) {
            const QRectF f = handle->frame;
            for (const QPointF at : {f.topLeft() + QPointF(2, 2), f.bottomRight() - QPointF(2, 2)})
                EXPECT_EQ(canvasPixel(canvas, at), "#ffffff") << zoom << " " << at.x() << "," << at.y();
        }
        // The top left handle's outer quarter was repainted, beside the preview's corner.
        const QPoint corner = document->geometry().topLeft();
        const QRect outerQuarter(corner - QPoint(4, 4) * zoom, corner - QPoint(1, 1));
        EXPECT_TRUE((QRegion(outerQuarter) - recorder.painted).isEmpty()) << zoom;
        // And nothing beyond the outlines and handles that changed, give or take a pixel's rounding.
        const auto onCanvas = [&](const QRectF& r, int grow) {
            const QRect scaled((r.topLeft() * zoom).toPoint(), (r.bottomRight() * zoom).toPoint());
            return QRegion(scaled.adjusted(-grow, -grow, grow, grow).translated(corner));
        };
        QRegion changed;
        for (const QRectF& outline : {QRectF(5, 10, 50, 25), QRectF(0, 0, 375, 667)})
            changed += onCanvas(outline.adjusted(-4, -4, 4, 4), 3) - onCanvas(outline.adjusted(4, 4, -4, -4), -4);
        EXPECT_TRUE((recorder.painted - changed).isEmpty()) << zoom;
    }
}

// A band dragged from the preview out over the canvas round it used to stop at the preview's edge.
TEST_F(DesignCanvasWidgetTest, aBandDraggedPastThePreviewsEdgeShowsItsPartOutside)
{
    kit.serve(kit.previewUrl(), Kit::pngBytes(750, 1334));
    ASSERT_TRUE(kit.open());
    MainEditorDesignViewController* canvas = kit.canvas();
    QWidget* document = canvas->documentView();
    const std::string before = canvasPixel(canvas, {-20, 320});
    ASSERT_EQ(before, "#e9e9ee"); // the canvas round the preview, beyond its shadow
    Kit::press(document, {30, 300}, Qt::LeftButton);
    Kit::move(document, {0, 320}, Qt::LeftButton);
    Kit::move(document, {-40, 340}, Qt::LeftButton);
    // The band's light blue over the canvas, as over the preview.
    const QColor outside(QString::fromStdString(canvasPixel(canvas, {-20, 320})));
    EXPECT_GT(outside.blue() - outside.red(), 0x10) << outside.name().toStdString();
    EXPECT_NE(canvasPixel(canvas, {20, 320}), "#f0f0f5");
    Kit::release(document, {-40, 340}, Qt::LeftButton);
    EXPECT_EQ(canvasPixel(canvas, {-20, 320}), before);
}
} // namespace
