#pragma once

#include "Editor/ViewInfo.h"
#include "Editor/ui/MainEditorViewController.h"
#include "platform/LocalHttpServer.h"

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QPointer>

#include <memory>
#include <string>
#include <vector>

class MainEditorDesignViewController;

class QWidget;
struct ProjectContainerModel;

// An editor on a local service that answers the preview request and serves the bytes, with an
// artboard 750 x 1334 (screen ratio 0.5) and known views.
class CanvasWidgetTestKit {
public:
    CanvasWidgetTestKit();
    ~CanvasWidgetTestKit();

    // The preview reply names `mediaLink`; "/preview" serves `previewBytes`.
    void serve(const std::string& mediaLink, const QByteArray& previewBytes);
    std::string previewUrl() const;
    // Opens the artboard in the canvas and waits for the load to end; answers whether it showed.
    bool open(double artboardWidth = 750.0, double artboardHeight = 1334.0);

    MainEditorDesignViewController* canvas() const;
    std::vector<std::string> selection() const;

    static QByteArray pngBytes(int width, int height);
    // Mouse events as the window system sends them, in the document's pixels.
    static void press(QWidget* widget, QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers = {});
    static void move(QWidget* widget, QPoint at, Qt::MouseButtons buttons);
    static void release(QWidget* widget, QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers = {});
    static void click(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton,
                      Qt::KeyboardModifiers modifiers = {});
    // A wheel turn of `angleDelta` eighths of a degree, and a touchpad pinch step, at `at`.
    static void wheel(QWidget* widget, QPoint at, int angleDelta, Qt::KeyboardModifiers modifiers = {});
    static void pinch(QWidget* widget, QPoint at, double value);

    LocalHttpServer server;
    std::vector<std::shared_ptr<ViewInfo>> views;
    std::shared_ptr<ProjectContainerModel> container;
    QPointer<MainEditorViewController> editor;

private:
    QUrl m_previousBaseUrl;
};
