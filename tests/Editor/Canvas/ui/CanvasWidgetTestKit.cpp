#include "CanvasWidgetTestKit.h"

#include "Base/ServiceEndPoint.h"
#include "Editor/ArtboardDetailInfoResponse.h"
#include "Editor/ArtboardViewInfoItem.h"
#include "Editor/Canvas/HighlightContainerView.h"
#include "Editor/Canvas/ui/MainEditorDesignViewController.h"
#include "Editor/ui/MainEditorViewController.h"
#include "Import/Sketch/ArtboardContainerModel.h"
#include "Projects/ProjectContainerModel.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QBuffer>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QPainter>
#include <QPointingDevice>
#include <QSignalSpy>
#include <QWheelEvent>

namespace {
std::shared_ptr<ViewInfo> view(const std::string& oid, double x, double y, double width, double height)
{
    auto v = std::make_shared<ViewInfo>();
    v->oid = oid;
    v->layout->x = x;
    v->layout->y = y;
    v->layout->width = width;
    v->layout->height = height;
    return v;
}

void send(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons,
          Qt::KeyboardModifiers modifiers)
{
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, buttons, modifiers);
    QApplication::sendEvent(widget, &event);
}
} // namespace

CanvasWidgetTestKit::CanvasWidgetTestKit()
    : m_previousBaseUrl(ServiceEndPoint::baseUrl())
{
    ServiceEndPoint::setBaseUrl(server.url(QString()));
    views = {view("background", 0, 0, 750, 1334), view("header", 0, 0, 750, 200), view("title", 10, 20, 100, 50),
             view("badge", 180, 60, 60, 40), view("button", 200, 600, 300, 100)};
}

CanvasWidgetTestKit::~CanvasWidgetTestKit()
{
    delete editor.data();
    ServiceEndPoint::setBaseUrl(m_previousBaseUrl);
}

std::string CanvasWidgetTestKit::previewUrl() const
{
    return server.url(QStringLiteral("/preview")).toString().toStdString();
}

void CanvasWidgetTestKit::serve(const std::string& mediaLink, const QByteArray& previewBytes)
{
    const QByteArray reply = "{\"mediaLink\":\"" + QByteArray::fromStdString(mediaLink) + "\",\"fileName\":\"p.png\"}";
    server.reply("/resource/downloadArtboardPreview", 200, reply, "Content-Type: application/json\r\n");
    server.reply("/preview", 200, previewBytes);
}

bool CanvasWidgetTestKit::open(double artboardWidth, double artboardHeight)
{
    if (!editor) {
        editor = MainEditorViewController::instantiate();
        editor->resize(900, 700);
        editor->show();
    }
    auto response = std::make_shared<ArtboardDetailInfoResponse>();
    auto item = std::make_shared<ArtboardViewInfoItem>();
    item->viewInfoList = views;
    response->artboardViewInfoList.push_back(item);
    editor->response = response;

    auto artboard = std::make_shared<ArtboardSumModel>();
    artboard->do_objectID = "AB1";
    artboard->frame.width = artboardWidth;
    artboard->frame.height = artboardHeight;
    auto artboardContainer = std::make_shared<ArtboardContainerModel>();
    artboardContainer->artboard = artboard;
    container = std::make_shared<ProjectContainerModel>();
    container->selectedArtboardContainerModel = artboardContainer;

    QSignalSpy updated(canvas(), &MainEditorDesignViewController::previewUpdated);
    canvas()->setArtboard(container, QStringLiteral("P1"), false);
    if (!updated.wait(10000)) return false;
    return updated.front().front().toBool();
}

MainEditorDesignViewController* CanvasWidgetTestKit::canvas() const
{
    return editor ? editor->getDesignViewController() : nullptr;
}

std::vector<std::string> CanvasWidgetTestKit::selection() const
{
    std::vector<std::string> oids;
    for (const auto& entry : canvas()->highlightContainerView()->scannedViews) oids.push_back(entry.first);
    return oids;
}

QByteArray CanvasWidgetTestKit::pngBytes(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(240, 240, 245));
    QPainter painter(&image);
    painter.fillRect(0, 0, width, 200, QColor(60, 90, 200));
    painter.fillRect(10, 20, 100, 50, QColor(250, 250, 250));
    painter.fillRect(200, 600, 300, 100, QColor(30, 160, 90));
    painter.end();
    return ::pngBytes(image);
}

void CanvasWidgetTestKit::press(QWidget* widget, QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    send(widget, QEvent::MouseButtonPress, at, button, button, modifiers);
}

void CanvasWidgetTestKit::move(QWidget* widget, QPoint at, Qt::MouseButtons buttons)
{
    send(widget, QEvent::MouseMove, at, Qt::NoButton, buttons, {});
}

void CanvasWidgetTestKit::release(QWidget* widget, QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    send(widget, QEvent::MouseButtonRelease, at, button, Qt::NoButton, modifiers);
}

void CanvasWidgetTestKit::click(QWidget* widget, QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    press(widget, at, button, modifiers);
    release(widget, at, button, modifiers);
}

void CanvasWidgetTestKit::wheel(QWidget* widget, QPoint at, int angleDelta, Qt::KeyboardModifiers modifiers)
{
    QWheelEvent event(QPointF(at), widget->mapToGlobal(QPointF(at)), QPoint(), QPoint(0, angleDelta), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

void CanvasWidgetTestKit::pinch(QWidget* widget, QPoint at, double value)
{
    QNativeGestureEvent event(Qt::ZoomNativeGesture, QPointingDevice::primaryPointingDevice(), 2, QPointF(at),
                              QPointF(at), widget->mapToGlobal(QPointF(at)), value, QPointF());
    QApplication::sendEvent(widget, &event);
}
