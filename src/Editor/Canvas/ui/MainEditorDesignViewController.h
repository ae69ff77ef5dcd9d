#pragma once

#include "App/ui/ViewController.h"

#include <QImage>
#include <QString>

#include <memory>
#include <string>

class QAction;
class QLabel;
class QScrollArea;
struct ProjectContainerModel;

// The design canvas of the editor. This version shows the artboard's preview at the canvas width;
// selection on the canvas comes with the canvas proper.
class MainEditorDesignViewController : public ViewController {
    Q_OBJECT

public:
    // Width of the canvas preview in points.
    static constexpr double kPreviewWidth = 375.0;

    static MainEditorDesignViewController* instantiate();

    // Shows the selected artboard of `container`; loads its preview unless `withoutDesignUpdate`.
    void setArtboard(const std::shared_ptr<ProjectContainerModel>& container, const QString& projectId,
                     bool withoutDesignUpdate);
    // The designer-mode banner: shown with `info` when `show`, hidden otherwise.
    void setUserMode(const QString& info, bool show);
    // A file chosen in the code menu; handed to the editor's code tab.
    void menuItemSelected(QAction* item);

    double screenRatio() const { return m_screenRatio; }
    QLabel* userModeLabel() const { return m_userModeLabel; }
    QLabel* previewLabel() const { return m_preview; }
    QLabel* noScreenLabel() const { return m_noScreen; }
    const QImage& previewImage() const { return m_image; }

Q_SIGNALS:
    // A preview arrived and is shown (or the load ended without one).
    void previewUpdated(bool shown);

private:
    MainEditorDesignViewController();
    void requestImageData();
    void updateUIForScreenData(const QImage& image);
    void showNoScreen(bool show);

    std::shared_ptr<ProjectContainerModel> m_container;
    QString m_projectId;
    std::string m_artboardId;
    double m_artboardWidth = 0;
    double m_screenRatio = 0;
    QImage m_image;
    QLabel* m_userModeLabel = nullptr; // owned by the layout
    QScrollArea* m_scroll = nullptr;   // owned by the layout
    QLabel* m_preview = nullptr;       // owned by m_scroll
    QLabel* m_noScreen = nullptr;      // owned by the layout
};
