#include "Projects/ui/ProjectScreensViewController.h"

#include "App/ui/NoDataView.h"
#include "Editor/ArtboardPreviewLoader.h"
#include "platform/Localization.h"

#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace {

constexpr int kArtboardIdRole = Qt::UserRole + 1;

// Every thumbnail has the same size (the preview letterboxed on a light ground), so the grid
// never lays itself out again when previews arrive.
QPixmap thumbnail(const QImage& preview = {})
{
    QPixmap pixmap(ProjectScreensViewController::kThumbnailWidth, ProjectScreensViewController::kThumbnailHeight);
    pixmap.fill(QColor(233, 233, 238));
    if (!preview.isNull()) {
        const QImage scaled = preview.scaled(pixmap.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        QPainter painter(&pixmap);
        painter.drawImage((pixmap.width() - scaled.width()) / 2, (pixmap.height() - scaled.height()) / 2, scaled);
    }
    return pixmap;
}

} // namespace

ProjectScreensViewController* ProjectScreensViewController::instantiate(const ProjectDisplayInfo& project)
{
    return new ProjectScreensViewController(project);
}

ProjectScreensViewController::ProjectScreensViewController(const ProjectDisplayInfo& project)
    : m_project(project)
{
    setObjectName(QStringLiteral("ProjectScreensViewController"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 20);
    m_title = new QLabel(platform::localizedFormat("projectScreens.title", {QString::fromStdString(project.name)}), this);
    m_title->setObjectName(QStringLiteral("projectScreensTitle"));
    QFont big = m_title->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    m_title->setFont(big);
    layout->addWidget(m_title);
    auto* hint = new QLabel(platform::localized("projectScreens.hint"), this);
    layout->addWidget(hint);

    auto* body = new QWidget(this);
    m_body = new QStackedLayout(body);
    m_grid = new QListWidget(body);
    m_grid->setObjectName(QStringLiteral("screensGrid"));
    m_grid->setViewMode(QListView::IconMode);
    m_grid->setIconSize(QSize(kThumbnailWidth, kThumbnailHeight));
    m_grid->setGridSize(QSize(kThumbnailWidth + 32, kThumbnailHeight + 48));
    m_grid->setResizeMode(QListView::Adjust);
    m_grid->setMovement(QListView::Static);
    m_grid->setWordWrap(true);
    m_grid->setUniformItemSizes(true);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_body->addWidget(m_grid);
    m_noData = new NoDataView(body);
    m_noData->set(platform::localized("projectScreens.empty.title"), platform::localized("projectScreens.empty.info"));
    m_body->addWidget(m_noData);
    layout->addWidget(body, 1);
    connect(m_grid, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) { openScreenAt(m_grid->row(item)); });

    const QPixmap placeholder = thumbnail();
    int number = 1;
    for (const std::string& artboardId : m_project.artboardIds) {
        auto* item = new QListWidgetItem(QIcon(placeholder),
                                         platform::localizedFormat("projectScreens.screen", {QString::number(number++)}), m_grid);
        item->setData(kArtboardIdRole, QString::fromStdString(artboardId));
        item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
    }
    m_body->setCurrentWidget(m_project.artboardIds.empty() ? static_cast<QWidget*>(m_noData) : m_grid);
    loadThumbnails();
}

void ProjectScreensViewController::loadThumbnails()
{
    for (int i = 0; i < m_grid->count(); ++i) {
        const std::string artboardId = m_grid->item(i)->data(kArtboardIdRole).toString().toStdString();
        ArtboardPreviewLoader::load(m_project.projectId, artboardId, this,
                                    [this, i](ArtboardPreviewLoader::Outcome outcome, const QImage& image) {
                                        QListWidgetItem* item = m_grid->item(i);
                                        if (!item) return;
                                        if (outcome != ArtboardPreviewLoader::Outcome::image) {
                                            ++m_failed;
                                            return;
                                        }
                                        item->setIcon(QIcon(thumbnail(image)));
                                        m_grid->viewport()->update();
                                        ++m_loaded;
                                        Q_EMIT thumbnailLoaded(i);
                                    });
    }
}

void ProjectScreensViewController::openScreenAt(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_project.artboardIds.size()) return;
    Q_EMIT screenOpened(m_project, m_project.artboardIds[static_cast<std::size_t>(index)]);
}

void ProjectScreensViewController::setScreenName(const std::string& artboardId, const QString& name)
{
    if (name.isEmpty()) return;
    const QString id = QString::fromStdString(artboardId);
    for (int i = 0; i < m_grid->count(); ++i) {
        if (m_grid->item(i)->data(kArtboardIdRole).toString() == id) m_grid->item(i)->setText(name);
    }
}
