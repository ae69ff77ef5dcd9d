#pragma once

#include "App/ui/ViewController.h"
#include "Projects/ProjectDisplayInfo.h"

#include <string>

class NoDataView;
class QLabel;
class QListWidget;
class QStackedLayout;

// The screens uploaded into one project, as a grid of preview thumbnails; a double click opens
// one in the editor.
class ProjectScreensViewController : public ViewController {
    Q_OBJECT

public:
    static constexpr int kThumbnailWidth = 160;
    static constexpr int kThumbnailHeight = 280;

    static ProjectScreensViewController* instantiate(const ProjectDisplayInfo& project);

    const ProjectDisplayInfo& project() const { return m_project; }
    QListWidget* gridView() const { return m_grid; }
    NoDataView* noDataView() const { return m_noData; }
    // Thumbnails that arrived so far.
    int loadedThumbnailCount() const { return m_loaded; }
    // Thumbnails that could not be had; their placeholders stay, and no dialog says so: a
    // refusing service would raise one per screen of the project.
    int failedThumbnailCount() const { return m_failed; }

    // Names the screen of `artboardId` (once known from its detail) under its thumbnail.
    void setScreenName(const std::string& artboardId, const QString& name);

    // Opens the screen of a grid position (a double click does the same).
    void openScreenAt(int index);

Q_SIGNALS:
    void screenOpened(const ProjectDisplayInfo& project, const std::string& artboardId);
    void thumbnailLoaded(int index);

private:
    explicit ProjectScreensViewController(const ProjectDisplayInfo& project);
    void loadThumbnails();

    ProjectDisplayInfo m_project;
    int m_loaded = 0;
    int m_failed = 0;
    QLabel* m_title = nullptr;        // owned by the layout
    QStackedLayout* m_body = nullptr; // owned by its widget
    QListWidget* m_grid = nullptr;    // owned by the layout
    NoDataView* m_noData = nullptr;   // owned by the layout
};
