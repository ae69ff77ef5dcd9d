#include "Editor/Canvas/ui/MainEditorDesignViewController.h"

#include "CodePreferences/ui/MainEditorCodeViewController.h"
#include "Editor/ArtboardPreviewLoader.h"
#include "Editor/ui/EditorHierarchy.h"
#include "Import/Sketch/ArtboardContainerModel.h"
#include "Projects/ProjectContainerModel.h"
#include "platform/Localization.h"

#include <QLabel>
#include <QPixmap>
#include <QScrollArea>
#include <QVBoxLayout>

#include <cmath>

MainEditorDesignViewController* MainEditorDesignViewController::instantiate()
{
    return new MainEditorDesignViewController;
}

MainEditorDesignViewController::MainEditorDesignViewController()
{
    setObjectName(QStringLiteral("MainEditorDesignViewController"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_userModeLabel = new QLabel(this);
    m_userModeLabel->setObjectName(QStringLiteral("userModeLabel"));
    m_userModeLabel->setWordWrap(true);
    m_userModeLabel->setMargin(8);
    m_userModeLabel->setStyleSheet(QStringLiteral("background:#fff4c2;color:#5a4500;"));
    m_userModeLabel->hide();
    layout->addWidget(m_userModeLabel);
    m_noScreen = new QLabel(platform::localized("designCanvas.noScreen"), this);
    m_noScreen->setObjectName(QStringLiteral("noScreenLabel"));
    m_noScreen->setAlignment(Qt::AlignCenter);
    m_noScreen->hide();
    layout->addWidget(m_noScreen);
    m_scroll = new QScrollArea(this);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setStyleSheet(QStringLiteral("QScrollArea{background:#e9e9ee;}"));
    m_preview = new QLabel;
    m_preview->setObjectName(QStringLiteral("previewLabel"));
    m_preview->setAlignment(Qt::AlignCenter);
    m_scroll->setWidget(m_preview);
    m_scroll->setWidgetResizable(false);
    layout->addWidget(m_scroll, 1);
}

void MainEditorDesignViewController::setArtboard(const std::shared_ptr<ProjectContainerModel>& container,
                                                 const QString& projectId, bool withoutDesignUpdate)
{
    m_container = container;
    m_projectId = projectId;
    const ArtboardContainerModel* artboardContainer = container ? container->selectedArtboardContainerModel.get() : nullptr;
    m_artboardId = artboardContainer && artboardContainer->artboard ? artboardContainer->artboard->do_objectID : std::string();
    m_artboardWidth = artboardContainer && artboardContainer->artboard ? artboardContainer->artboard->frame.width : 0;
    if (withoutDesignUpdate) return;
    requestImageData();
}

void MainEditorDesignViewController::requestImageData()
{
    if (m_artboardId.empty() || m_projectId.isEmpty()) {
        showNoScreen(true);
        return;
    }
    ArtboardPreviewLoader::load(
        m_projectId.toStdString(), m_artboardId, this,
        [this](ArtboardPreviewLoader::Outcome outcome, const QImage& image) {
            if (outcome == ArtboardPreviewLoader::Outcome::noLink || outcome == ArtboardPreviewLoader::Outcome::failed) {
                showNoScreen(true);
                Q_EMIT previewUpdated(false);
                return;
            }
            updateUIForScreenData(image);
        },
        this);
}

void MainEditorDesignViewController::updateUIForScreenData(const QImage& image)
{
    if (image.isNull()) {
        Q_EMIT previewUpdated(false);
        return;
    }
    m_image = image;
    const double artboardWidth = m_artboardWidth > 0 ? m_artboardWidth : image.width();
    m_screenRatio = artboardWidth > 0 ? kPreviewWidth / artboardWidth : 0;
    const int width = static_cast<int>(kPreviewWidth);
    const int height = image.width() > 0 ? static_cast<int>(std::round(image.height() * kPreviewWidth / image.width())) : 0;
    m_preview->setPixmap(QPixmap::fromImage(image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    m_preview->resize(width, height);
    showNoScreen(false);
    Q_EMIT previewUpdated(true);
}

void MainEditorDesignViewController::showNoScreen(bool show)
{
    m_noScreen->setVisible(show);
    if (show) {
        m_preview->clear();
        m_preview->resize(0, 0);
    }
}

void MainEditorDesignViewController::setUserMode(const QString& info, bool show)
{
    m_userModeLabel->setText(info);
    m_userModeLabel->setVisible(show);
}

void MainEditorDesignViewController::menuItemSelected(QAction* item)
{
    if (auto* code = editorhierarchy::codeTabOfCanvas(this)) code->menuItemSelected(item);
}
